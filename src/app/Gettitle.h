#pragma once
// The "User Defined Title" dialog: one line of text that becomes the page's own title;
// an empty line gives the page back its default title.
#include <QDialog>

#include <string>

class QLineEdit;

namespace velmora {

class TUserTitleForm : public QDialog
{
    Q_OBJECT
public:
    explicit TUserTitleForm(QWidget *parent = nullptr);

    QLineEdit *TitleText() const { return titleText_; }
    // The title as the page stores it (UTF-8).
    void SetTitle(const std::string &title);
    std::string Title() const;

public slots:
    void reject() override;

private:
    QLineEdit *titleText_;
};

} // namespace velmora
