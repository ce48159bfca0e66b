#pragma once
// A titled group of radio buttons chosen by index, whose change is reported whether the
// user or the program made it (callers hold their handlers back while filling controls).
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace velmora {

class TRadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    TRadioGroup(const QString &title, const QStringList &items, QWidget *parent = nullptr);

    // -1 when no item is chosen.
    int ItemIndex() const;
    // An index outside the items leaves no item chosen.
    void SetItemIndex(int index);
    QRadioButton *Item(int index) const;
    int Count() const;

signals:
    void itemChanged(int index);

private:
    QButtonGroup *buttons_;
};

} // namespace velmora
