#pragma once
// The "Text" dialog of a text label: one line of text.
#include <QDialog>

#include <string>

class QLineEdit;

namespace velmora {

class TGetLabelText : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 40004;

    explicit TGetLabelText(QWidget *parent = nullptr);

    QLineEdit *LabelText() const { return labelText_; }
    // The text as labels keep it (UTF-8).
    void SetText(const std::string &text);
    std::string Text() const;

    void OkClick() { accept(); }
    void CancelClick() { reject(); }
    void HelpClick();

private:
    QLineEdit *labelText_;
};

} // namespace velmora
