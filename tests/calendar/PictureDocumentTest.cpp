// Picture objects inside documents, among other objects.
#include "HandMadeDocument.h"
#include "objects/Gimage.h"

#include <gtest/gtest.h>

#include <QPainter>

using namespace velmora;
using namespace velmora::test;

namespace {

TBytes pictureRecord(const TPicture &picture, const std::string &name)
{
    TGImage image;
    image.SetBounds(40, 300, 200, 100);
    image.SetPicture(picture);
    image.SetBorderStyle(bsSingle);
    TWriter w;
    w.writeComponent(image, name);
    return w.takeBytes();
}

TEST(PictureDocument, PictureBetweenTwoLabelsKeepsAllThree)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const TPicture picture = TPicture::fromImage(image);
    const TBytes doc =
        documentWith(page, {labelRecord("First", "Component0", 10),
                            pictureRecord(picture, "Component1"),
                            labelRecord("Second", "Component2", 200)});

    TCalendarPanel32 target;
    const TLoadReport report = ReadDocument(target, doc, &target.DocumentObjects());
    EXPECT_EQ(report.objectsLoaded, 3);
    EXPECT_EQ(report.objectsKept, 0);
    EXPECT_EQ(report.objectsLost, 0);
    ASSERT_EQ(target.ObjectCount(), 3);
    EXPECT_EQ(target.Object(0)->Caption(), "First");
    const auto *read = dynamic_cast<const TGImage *>(target.Object(1));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Picture().size(), QSize(30, 20));
    EXPECT_EQ(read->Picture().image().pixel(5, 5), QColor(Qt::darkCyan).rgb());
    EXPECT_EQ(read->BoundsRect(), (TRect{40, 300, 240, 400}));
    EXPECT_EQ(target.Object(2)->Caption(), "Second");
    EXPECT_EQ(DocumentBytes(target, &target.DocumentObjects()), doc);
}

TEST(PictureDocument, DamagedPictureIsReportedAndTheOthersStay)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    TBytes picture = pictureRecord(TPicture::fromImage(image), "Component1");
    const std::string bm = "BM";
    const auto at = std::search(picture.begin(), picture.end(), bm.begin(), bm.end());
    ASSERT_NE(at, picture.end());
    *at = 'Q';
    const TBytes doc = documentWith(page, {labelRecord("First", "Component0", 10), picture,
                                           labelRecord("Second", "Component2", 200)});
    TCalendarPanel32 target;
    const TLoadReport report = ReadDocument(target, doc, &target.DocumentObjects());
    // The picture costs only its own value, and the load says so; the labels stay.
    EXPECT_EQ(report.objectsLoaded, 3);
    EXPECT_EQ(report.objectsPartlyRead, 1);
    EXPECT_EQ(report.objectsLost, 0);
    ASSERT_EQ(target.ObjectCount(), 3);
    EXPECT_EQ(target.Object(0)->Caption(), "First");
    const auto *read = dynamic_cast<const TGImage *>(target.Object(1));
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(read->Picture().isEmpty());
    EXPECT_EQ(read->BorderStyle(), bsSingle);
    EXPECT_EQ(target.Object(2)->Caption(), "Second");
}

} // namespace
