// The picture object: its stored form, AutoSize against zoom and drags, the sizing toggles,
// the browser step, and the browser itself driven as a user would.
#include "TestObjects.h"
#include "support/TestPaths.h"
#include "common/Canvas.h"
#include "common/Program.h"
#include "imaging/EmfWriter.h"
#include "objects/Gimage.h"
#include "objects/Gimageb.h"
#include "objects/ObjectFiler.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gmock/gmock.h>

namespace velmora::test {
namespace {

using ::testing::ElementsAre;

TPicture bitmapPicture(int w, int h, QColor color = Qt::red)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return TPicture::fromImage(image);
}

TPicture metafilePicture(int w, int h)
{
    const QByteArray emf = recordEmf(QSize(w, h), [w, h](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::blue);
        p.drawEllipse(QRect(0, 0, w, h));
    });
    return TPicture::fromMetafile(emf);
}

TBytes recordOf(const TGImage &image)
{
    TWriter w;
    w.writeComponent(image, "Special1");
    return w.bytes();
}

std::unique_ptr<TGImage> readBack(const TBytes &record)
{
    TReader r(record);
    std::unique_ptr<TGGraphicControl> o = ReadDesignObject(r);
    return std::unique_ptr<TGImage>(dynamic_cast<TGImage *>(o.release()));
}

QRgb pixelAt(TGGraphicControl &o, int x, int y, QSize size = {300, 300})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::green);
    QPainter p(&image);
    TCanvas canvas(p, 96);
    o.Paint(canvas);
    p.end();
    return image.pixel(x, y);
}

class ImageObject : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterImageObject();
        t.panel.SetToolClass(psImage, TGImage::kClassName);
    }
    void TearDown() override { ImageBrowserHooks() = {}; }

    TGImage *add(int left, int top, int width, int height)
    {
        auto image = std::make_unique<TGImage>();
        image->Loaded();
        return static_cast<TGImage *>(
            t.panel.AddObject(std::move(image), {left, top, left + width, top + height}));
    }

    TTestPanel t;
};

TEST_F(ImageObject, NewObjectAndItsStoredProperties)
{
    TGImage image;
    EXPECT_EQ(image.Width(), TGImage::kDefaultSize);
    EXPECT_EQ(image.Height(), TGImage::kDefaultSize);
    EXPECT_TRUE(image.Stretch());
    EXPECT_FALSE(image.AutoSize());
    EXPECT_EQ(image.BorderStyle(), bsNone);
    // BorderStyle is always written; an empty picture and the default Stretch are not.
    EXPECT_THAT(storedNames(recordOf(image)),
                ElementsAre("Left", "Top", "Width", "Height", "Locked", "Unselectable",
                            "BorderStyle"));

    image.SetPicture(bitmapPicture(4, 3));
    image.SetAutoSize(true);
    EXPECT_FALSE(image.Stretch());
    EXPECT_THAT(storedNames(recordOf(image)),
                ElementsAre("Left", "Top", "Width", "Height", "Locked", "Unselectable", "AutoSize",
                            "BorderStyle", "Picture.Data", "Stretch"));
}

TEST_F(ImageObject, PictureDataRoundTripsByteForByte)
{
    // A bitmap, a metafile, a placeable WMF from a file, the stored forms on disk, and both
    // sizing boxes off (only the browser can do that).
    std::vector<TPicture> pictures{bitmapPicture(7, 5), metafilePicture(40, 30)};
    for (const char *name : {"picdata_bitmap.bin", "picdata_wmf.bin", "picdata_emf.bin",
                             "picdata_empty_bitmap.bin"}) {
        QFile f(QString::fromStdString(fixture(std::string("imaging/") + name)));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        const QByteArray data = f.readAll();
        const TPicture p = TPicture::fromPictureData(data);
        ASSERT_NE(p.kind(), TPicture::Empty) << name;
        EXPECT_EQ(p.toPictureData(), data) << name;
        pictures.push_back(p);
    }
    for (const TPicture &picture : pictures) {
        TGImage image;
        image.SetBounds(12, 34, 56, 78);
        image.SetPicture(picture);
        image.SetBorderStyle(bsSingle);
        image.SetSizing(false, false);
        const TBytes first = recordOf(image);
        const std::unique_ptr<TGImage> copy = readBack(first);
        ASSERT_TRUE(copy);
        EXPECT_EQ(copy->Picture().kind(), picture.kind());
        EXPECT_EQ(copy->Picture().size(), picture.size());
        EXPECT_EQ(copy->Picture().bytes(), picture.bytes());
        EXPECT_FALSE(copy->Stretch());
        EXPECT_FALSE(copy->AutoSize());
        EXPECT_EQ(copy->BorderStyle(), bsSingle);
        EXPECT_EQ(copy->BoundsRect(), (TRect{12, 34, 68, 112}));
        EXPECT_EQ(recordOf(*copy), first);
    }
}

TEST_F(ImageObject, DamagedPictureDataFailsTheRecord)
{
    TGImage image;
    image.SetPicture(bitmapPicture(3, 3));
    TBytes record = recordOf(image);
    // The bitmap's "BM" becomes "XM": the record no longer holds a picture we can show.
    const std::string bm = "\x07TBitmap";
    const auto at = std::search(record.begin(), record.end(), bm.begin(), bm.end());
    ASSERT_NE(at, record.end());
    *(at + 12) = 'X';
    EXPECT_THROW(readBack(record), EReadError);
}

TEST_F(ImageObject, AutoSizeFollowsZoomAndSnapsBackAfterADrag)
{
    t.panel.SetZoom(0.6F);
    TGImage *image = add(60, 60, 90, 90);
    image->SetPicture(bitmapPicture(200, 100));
    image->SetAutoSize(true);
    EXPECT_EQ(image->ScreenRect(), (TRect{60, 60, 180, 120}));
    EXPECT_EQ(image->Width(), 200);
    EXPECT_EQ(image->Height(), 100);

    // Drag the bottom-right handle well outward: the object returns to the picture's size.
    t.click({100, 80});
    t.now += 500;
    ASSERT_EQ(t.panel.Handle().SelectedCount(), 1);
    const TRect r = image->ScreenRect();
    t.hover({r.right + 2, r.bottom + 2});
    t.drag({r.right + 2, r.bottom + 2}, {r.right + 60, r.bottom + 40});
    EXPECT_EQ(image->ScreenRect(), (TRect{60, 60, 180, 120}));

    // A move keeps the size too.
    t.hover({100, 80});
    t.drag({100, 80}, {130, 100});
    EXPECT_EQ(image->ScreenRect().width(), 120);
    EXPECT_EQ(image->ScreenRect().height(), 60);
    EXPECT_EQ(image->ScreenRect().left, 90);

    t.panel.SetZoom(1.0F);
    EXPECT_EQ(image->ScreenRect().width(), 200);
}

TEST_F(ImageObject, StretchAndAutoSizeToggles)
{
    TGImage *image = add(10, 10, 80, 80);
    image->SetPicture(bitmapPicture(30, 20));
    const int changes = t.changes;

    image->ToggleAutoSize();
    EXPECT_TRUE(image->AutoSize());
    EXPECT_FALSE(image->Stretch());
    EXPECT_EQ(rectOf(*image), (TRect{10, 10, 40, 30}));
    EXPECT_GT(t.changes, changes);

    // Stretch to Fit keeps the size, turns AutoSize off, and alone does not mark a change.
    const int before = t.changes;
    image->ToggleStretch();
    EXPECT_TRUE(image->Stretch());
    EXPECT_FALSE(image->AutoSize());
    EXPECT_EQ(rectOf(*image), (TRect{10, 10, 40, 30}));
    EXPECT_EQ(t.changes, before);
    image->ChangeScreenBounds(0, 0, 50, 50);
    EXPECT_EQ(rectOf(*image), (TRect{10, 10, 90, 80}));

    image->PopupShowing();
    EXPECT_TRUE(image->PopupMenu().find("StretchToFit")->checked);
    EXPECT_FALSE(image->PopupMenu().find("AutoSize")->checked);
    EXPECT_FALSE(image->PopupMenu().find("Border")->checked);
    image->ToggleBorder();
    image->PopupShowing();
    EXPECT_TRUE(image->PopupMenu().find("Border")->checked);
    EXPECT_EQ(image->BorderStyle(), bsSingle);

    // The menu's entries, in order after the common ones.
    std::vector<QString> texts;
    for (const TMenuEntry &e : image->PopupMenu().entries()) texts.push_back(e.text);
    EXPECT_THAT(std::vector<QString>(texts.end() - 6, texts.end()),
                ElementsAre("-", "Load Image From Disk", "-", "Border", "Stretch to Fit",
                            "AutoSize"));
}

TEST_F(ImageObject, DrawingEmptyPictureBorderAndMetafile)
{
    TGImage image;
    image.SetBounds(10, 10, 100, 50);
    // Empty: a white box with a black outline.
    EXPECT_EQ(pixelAt(image, 10, 30), qRgb(0, 0, 0));
    EXPECT_EQ(pixelAt(image, 50, 30), qRgb(255, 255, 255));
    EXPECT_EQ(pixelAt(image, 111, 30), qRgb(0, 255, 0));

    // A metafile stretched over the whole object; its corners stay the white it covers.
    image.SetPicture(metafilePicture(40, 20));
    EXPECT_EQ(pixelAt(image, 60, 35), qRgb(0, 0, 255));
    EXPECT_EQ(pixelAt(image, 11, 11), qRgb(255, 255, 255));
    image.SetBorderStyle(bsSingle);
    EXPECT_EQ(pixelAt(image, 10, 30), qRgb(0, 0, 0));
    EXPECT_EQ(pixelAt(image, 109, 59), qRgb(0, 0, 0));
}

class ImageBrowser : public ImageObject
{
protected:
    void SetUp() override
    {
        ImageObject::SetUp();
        ASSERT_TRUE(dir.isValid());
        SetAppFolder(dir.path() + "/app/");
        SetSystemClipArtRoot(dir.path() + "/openclipart");
        QDir(dir.path()).mkpath("app/ClipArt");
        QDir(dir.path()).mkpath("other");
        clipArt = dir.path() + "/app/ClipArt";
        QImage red(20, 10, QImage::Format_RGB32);
        red.fill(Qt::red);
        red.save(clipArt + "/red.png");
        red.save(clipArt + "/Logo.Bmp", "BMP");
        red.save(clipArt + "/photo.gif", "GIF");
        QFile bad(clipArt + "/broken.tga");
        bad.open(QIODevice::WriteOnly);
        bad.write("not a picture at all");
        bad.close();
        QFile svg(dir.path() + "/other/circle.svg");
        svg.open(QIODevice::WriteOnly);
        svg.write("<svg xmlns='http://www.w3.org/2000/svg' width='64' height='32'>"
                  "<circle cx='16' cy='16' r='14' fill='blue'/></svg>");
        svg.close();
        ImageBrowserHooks().error = [this](const QString &text) { errors << text; };
    }
    void TearDown() override
    {
        ImageObject::TearDown();
        SetAppFolder({});
        SetDataFolder({});
        SetSystemClipArtRoot({});
    }

    static QStringList names(const QList<std::pair<QString, QString>> &places)
    {
        QStringList list;
        for (const auto &place : places) list << place.first;
        return list;
    }

    QTemporaryDir dir;
    QString clipArt;
    QStringList errors;
};

TEST_F(ImageBrowser, ListsPictureFilesOfTheClipArtFolderFirst)
{
    TGImageBrowser browser;
    EXPECT_EQ(browser.windowTitle(), "Load Image File ");
    EXPECT_EQ(QDir(browser.Folder()), QDir(clipArt));
    // GIF files can be read but are not listed; the mask ignores the case of names.
    EXPECT_THAT(browser.Files(), ElementsAre("broken.tga", "Logo.Bmp", "red.png"));
    EXPECT_TRUE(browser.SelectedFile().isEmpty());
}

// Points HOME (and so Pictures) at a folder of the test for as long as it lives.
class HomeFolder
{
public:
    explicit HomeFolder(const QString &home)
        : oldHome(qgetenv("HOME")), oldConfig(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("HOME", home.toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home + "/.config").toLocal8Bit());
    }
    ~HomeFolder()
    {
        qputenv("HOME", oldHome);
        oldConfig.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", oldConfig);
    }

private:
    QByteArray oldHome, oldConfig;
};

TEST_F(ImageBrowser, StartsInTheLastFolderElseClipArtElsePicturesElseHome)
{
    const HomeFolder home(dir.path() + "/home");
    QDir(dir.path()).mkpath("home/Pictures");
    QDir(dir.path()).mkpath("openclipart/svg");

    TGImageBrowser::RememberFolder(dir.path() + "/other");
    EXPECT_EQ(QDir(TGImageBrowser::StartFolder()), QDir(dir.path() + "/other"));
    // A remembered folder that has since gone is passed over.
    QDir(dir.path()).mkpath("gone");
    TGImageBrowser::RememberFolder(dir.path() + "/gone");
    QDir(dir.path() + "/gone").removeRecursively();
    EXPECT_EQ(QDir(TGImageBrowser::StartFolder()), QDir(clipArt));

    // No shipped clip art: the system's clip art is offered but never the start.
    SetAppFolder(dir.path() + "/bare/");
    SetDataFolder(dir.path() + "/bare/");
    EXPECT_EQ(QDir(TGImageBrowser::StartFolder()), QDir(dir.path() + "/home/Pictures"));
    QDir(dir.path() + "/home/Pictures").removeRecursively();
    EXPECT_EQ(QDir(TGImageBrowser::StartFolder()), QDir(dir.path() + "/home"));
    EXPECT_TRUE(ProgramClipArtFolder().isEmpty());

    // Installed, the clip art is in the shared data, not beside the settings.
    QDir(dir.path()).mkpath("share/velmora/ClipArt");
    SetDataFolder(dir.path() + "/share/velmora/");
    EXPECT_EQ(QDir(TGImageBrowser::StartFolder()), QDir(dir.path() + "/share/velmora/ClipArt"));
    TGImageBrowser browser;
    EXPECT_EQ(QDir(browser.Folder()), QDir(dir.path() + "/share/velmora/ClipArt"));
}

TEST_F(ImageBrowser, OffersTheShippedClipArtFirstAndOpenClipArtWhenInstalled)
{
    const HomeFolder home(dir.path() + "/home");
    QDir(dir.path()).mkpath("home/Pictures");
    EXPECT_EQ(names(TGImageBrowser::Places()), QStringList({"Clip Art", "Pictures", "Home"}));
    EXPECT_TRUE(SystemClipArtFolders().isEmpty());

    // The packages keep their pictures by format, one folder each.
    QDir(dir.path()).mkpath("openclipart/svg");
    QDir(dir.path()).mkpath("openclipart/png");
    TGImageBrowser::RememberFolder(dir.path() + "/other");
    const auto places = TGImageBrowser::Places();
    EXPECT_EQ(names(places), QStringList({"Clip Art", "Open Clip Art (SVG)", "Open Clip Art (PNG)",
                                          "Last used", "Pictures", "Home"}));
    EXPECT_EQ(QDir(places[0].second), QDir(clipArt));
    EXPECT_EQ(QDir(places[1].second), QDir(dir.path() + "/openclipart/svg"));
    EXPECT_EQ(QDir(places[2].second), QDir(dir.path() + "/openclipart/png"));

    // Choosing a place in the browser lists that folder.
    QFile svg(dir.path() + "/other/circle.svg");
    ASSERT_TRUE(svg.copy(dir.path() + "/openclipart/svg/sun.svg"));
    TGImageBrowser browser;
    auto *combo = browser.findChild<QComboBox *>("DriveComboBox1");
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 6);
    EXPECT_EQ(combo->itemText(1), "Open Clip Art (SVG)");
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    EXPECT_EQ(QDir(browser.Folder()), QDir(dir.path() + "/openclipart/svg"));
    EXPECT_EQ(browser.Files(), QStringList({"sun.svg"}));

    // A layout without the format folders is offered whole.
    QDir(dir.path() + "/openclipart/svg").removeRecursively();
    QDir(dir.path() + "/openclipart/png").removeRecursively();
    ASSERT_EQ(SystemClipArtFolders().size(), 1);
    EXPECT_EQ(SystemClipArtFolders()[0].first, "Open Clip Art");
}

TEST_F(ImageBrowser, PreviewBoxesAndTheObjectsPicture)
{
    TGImage *image = add(10, 10, 80, 80);
    ImageBrowserHooks().run = [&](TGImageBrowser &b) {
        EXPECT_TRUE(b.StretchChecked());
        EXPECT_FALSE(b.AutoSizeChecked());
        auto *list = b.findChild<QListWidget *>("FileListBox1");
        auto *autoSize = b.findChild<QCheckBox *>("AutoSizeBox");
        // Clicking a file in the list shows it.
        const QListWidgetItem *item = list->findItems("red.png", Qt::MatchExactly).first();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
        EXPECT_EQ(b.PreviewPicture().size(), QSize(20, 10));
        // The two boxes exclude each other, but may both be off.
        QTest::mouseClick(autoSize, Qt::LeftButton);
        EXPECT_TRUE(b.AutoSizeChecked());
        EXPECT_FALSE(b.StretchChecked());
        QTest::mouseClick(b.findChild<QPushButton *>("OKButton"), Qt::LeftButton);
        return b.result() == QDialog::Accepted;
    };
    image->LoadImageFromDisk();
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(image->Picture().size(), QSize(20, 10));
    EXPECT_TRUE(image->AutoSize());
    EXPECT_EQ(rectOf(*image), (TRect{10, 10, 30, 20}));

    // The folder used is where the next browser starts.
    ImageBrowserHooks().run = [&](TGImageBrowser &b) {
        b.SetFolder(dir.path() + "/other");
        EXPECT_TRUE(b.SelectFile("circle.svg"));
        b.SetStretchChecked(false);
        b.SetAutoSizeChecked(false);
        b.OKButtonClick();
        return true;
    };
    image->LoadImageFromDisk();
    EXPECT_EQ(image->Picture().kind(), TPicture::Metafile);
    EXPECT_FALSE(image->Stretch());
    EXPECT_FALSE(image->AutoSize());
    EXPECT_EQ(QDir(TGImageBrowser::StartFolder()), QDir(dir.path() + "/other"));
}

TEST_F(ImageBrowser, DamagedFilesCancelAndNoSelectionLeaveThePicture)
{
    TGImage *image = add(10, 10, 80, 80);
    image->SetPicture(bitmapPicture(8, 8, Qt::yellow));
    const QByteArray kept = image->Picture().bytes();
    const int changes = t.changes;

    ImageBrowserHooks().run = [&](TGImageBrowser &b) {
        EXPECT_TRUE(b.SelectFile("broken.tga"));
        EXPECT_TRUE(b.PreviewPicture().isEmpty());
        b.OKButtonClick();
        return true;
    };
    image->LoadImageFromDisk();
    // Once in the browser and once for the object.
    EXPECT_EQ(errors, QStringList({"Error loading file!", "Error loading file!"}));
    EXPECT_EQ(image->Picture().bytes(), kept);

    ImageBrowserHooks().run = [](TGImageBrowser &b) {
        EXPECT_TRUE(b.SelectFile("red.png"));
        b.CancelbuttonClick();
        return false;
    };
    image->LoadImageFromDisk();
    ImageBrowserHooks().run = [](TGImageBrowser &b) {
        b.OKButtonClick();
        return true;
    };
    image->LoadImageFromDisk();
    EXPECT_EQ(image->Picture().bytes(), kept);
    EXPECT_EQ(t.changes, changes);
    EXPECT_EQ(errors.size(), 2);
}

TEST_F(ImageBrowser, ClipArtToolPlacesAPictureAndRunsTheBrowserOnce)
{
    int runs = 0;
    ImageBrowserHooks().run = [&runs](TGImageBrowser &b) {
        ++runs;
        b.SelectFile("Logo.Bmp");
        return true;
    };
    t.panel.SetPanelState(psImage);
    t.drag({100, 100}, {300, 250});
    ASSERT_EQ(t.panel.ObjectCount(), 1);
    auto *image = dynamic_cast<TGImage *>(t.panel.Object(0));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(t.panel.PanelState(), psPointing);
    EXPECT_EQ(rectOf(*image), (TRect{100, 100, 300, 250}));
    // A BMP file is kept as it came.
    QFile bmp(clipArt + "/Logo.Bmp");
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    EXPECT_EQ(image->Picture().bytes(), bmp.readAll());

    // Cancelled: an empty picture object stays, an outlined white box.
    ImageBrowserHooks().run = [](TGImageBrowser &) { return false; };
    t.panel.SetPanelState(psImage);
    t.drag({400, 400}, {500, 500});
    ASSERT_EQ(t.panel.ObjectCount(), 2);
    EXPECT_TRUE(dynamic_cast<TGImage *>(t.panel.Object(1))->Picture().isEmpty());
}

} // namespace
} // namespace velmora::test
