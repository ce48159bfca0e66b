#pragma once
// List boxes that show the icons of an icon library, a program with icon resources or an
// icon file, one cell per icon, and act as drag sources: a dragged icon travels as an
// image, which the page inserts into a day cell.
#include "imaging/IconLibrary.h"

#include <QImage>
#include <QListWidget>

#include <functional>
#include <vector>

class QMimeData;

namespace velmora {

// The data type of a dragged icon: names its library and its index ("index\npath").
inline constexpr char kIconMimeType[] = "application/x-velmora-icon";

// The loading, caching and drawing rules both list boxes share.
class TIconListBase : public QListWidget
{
    Q_OBJECT
    Q_PROPERTY(QString FileName READ fileName WRITE setFileName)
    Q_PROPERTY(bool AutoDisable READ autoDisable WRITE setAutoDisable)
    Q_PROPERTY(bool EnableCaching READ enableCaching WRITE setEnableCaching)
    Q_PROPERTY(int NumberOfIcons READ numberOfIcons)

public:
    // Icons are shown at the standard icon size.
    static constexpr int kIconSize = 32;

    QString fileName() const { return fileName_; }
    // A different name (compared exactly) reloads the list and raises OnFileChange.
    void setFileName(const QString &name);
    bool autoDisable() const { return autoDisable_; }
    void setAutoDisable(bool on);
    bool enableCaching() const { return enableCaching_; }
    void setEnableCaching(bool on) { enableCaching_ = on; }
    // −1 while no file is loaded.
    int numberOfIcons() const { return numberOfIcons_; }

    int cellSize() const { return kIconSize + padding_; }
    // The icon at an index, extracted now when caching left it for later; null when the
    // file has no readable picture for it.
    QImage iconImage(int index);
    bool isIconExtracted(int index) const;
    // What a drag of the icon at an index carries: the icon as an image, and the library
    // and index for receivers that want them. Null when there is no icon to drag.
    QMimeData *iconMimeData(int index);

    std::function<void()> OnFileChange;

signals:
    void fileChanged();

protected:
    TIconListBase(int padding, QWidget *parent);

    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QList<QListWidgetItem *> &items) const override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    void load();
    void updateEnabled();

    int padding_;
    QString fileName_;
    bool autoDisable_ = true;
    bool enableCaching_ = true;
    int numberOfIcons_ = -1;
    TIconLibrary library_;
    // One slot per item; an empty optional has not been extracted yet.
    std::vector<std::optional<QImage>> icons_;
};

class TIconListBox : public TIconListBase
{
    Q_OBJECT
    Q_PROPERTY(int XIcons READ xIcons WRITE setXIcons)
    Q_PROPERTY(int YIcons READ yIcons WRITE setYIcons)
    Q_PROPERTY(QString Version READ version)

public:
    explicit TIconListBox(QWidget *parent = nullptr);

    int xIcons() const { return xIcons_; }
    void setXIcons(int columns); // values below 1 are ignored
    int yIcons() const { return yIcons_; }
    void setYIcons(int rows);
    QString version() const { return QStringLiteral("TIconListBox v1.10"); }

private:
    void fitToIcons();

    int xIcons_ = 4;
    int yIcons_ = 1;
};

// The simpler variant: tighter cells, no size in icons, an orientation that only affects
// how it is painted.
class TGIconListBox : public TIconListBase
{
    Q_OBJECT
    Q_PROPERTY(TOrientation Orientation READ orientation WRITE setOrientation)

public:
    enum TOrientation { lbHorizontal = 0, lbVertical = 1 };
    Q_ENUM(TOrientation)

    explicit TGIconListBox(QWidget *parent = nullptr);

    TOrientation orientation() const { return orientation_; }
    void setOrientation(TOrientation orientation);

private:
    TOrientation orientation_ = lbVertical;
};

} // namespace velmora
