#pragma once
// A dialog around one check list of entries with the buttons Ok, All, None and Cancel. The
// holiday picker and the fill command's selection are both built on it.

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace velmora {

class TCheckListDialog : public QDialog
{
public:
    // Lines of the selected (checked) rows, top to bottom.
    std::vector<std::string> selectedLines() const;
    QListWidget *list() const { return list_; }

    void selectAllRows();
    void selectNoRows();
    // With no row selected OK only beeps and the dialog stays open.
    void okbuttonClick();
    void CancelButtonClick();

protected:
    struct Design
    {
        QString caption;
        const char *list;
        const char *allButton;
        const char *noneButton;
        QSize listSize;
    };
    TCheckListDialog(const Design &design, QWidget *parent);
    // Replaces the rows, in the given order, none selected.
    void setLines(const std::vector<std::string> &lines);

private:
    QListWidget *list_ = nullptr;
};

} // namespace velmora
