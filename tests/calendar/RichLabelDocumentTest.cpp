// Rich text labels in documents: read with the master they draw through, and without one
// left out on their own, the objects after them still read.
#include "HandMadeDocument.h"

#include "objects/Gprichl.h"
#include "richtext/WPMasterRichText.h"

#include <QTextDocument>

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

TBytes richRecord(const std::string &text)
{
    QTextDocument doc;
    doc.setPlainText(QString::fromStdString(text));
    TWPRtfStorage store;
    store.saveFromDocument(doc);
    TGPRichBaseLabel label;
    label.SetBounds(60, 80, 200, 50);
    label.SetRTFText(store);
    label.SetTransparent(false);
    TWriter w;
    w.writeComponent(label, "Component1");
    return w.takeBytes();
}

TEST(RichLabelDocument, ReadWithItsMasterAndWrittenBackUnchanged)
{
    const auto master = TWPMasterRichText::Create();
    TCalendarPanel32 page;
    const TBytes doc = documentWith(page, {labelRecord("First", "Component0", 10), richRecord("Fair"),
                                           labelRecord("Second", "Component2", 200)});
    TCalendarPanel32 target;
    const TLoadReport report = ReadDocument(target, doc, &target.DocumentObjects());
    EXPECT_EQ(report.objectsLoaded, 3);
    EXPECT_EQ(report.objectsLost, 0);
    ASSERT_EQ(target.ObjectCount(), 3);
    auto *label = dynamic_cast<TGPRichBaseLabel *>(target.Object(1));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Master(), master);
    EXPECT_FALSE(label->Transparent());
    QTextDocument text;
    label->RTFText().loadIntoDocument(text);
    EXPECT_EQ(text.toPlainText(), QStringLiteral("Fair"));
    EXPECT_EQ(DocumentBytes(target, &target.DocumentObjects()), doc);
}

TEST(RichLabelDocument, WithoutMasterOnlyTheLabelIsLeftOut)
{
    TCalendarPanel32 page; // registers the label class
    ASSERT_EQ(TWPMasterRichText::Find(TWPMasterRichText::kMasterName), nullptr);
    const TBytes doc = documentWith(page, {labelRecord("First", "Component0", 10), richRecord("Fair"),
                                           labelRecord("Second", "Component2", 200)});
    TCalendarPanel32 target;
    const TLoadReport report = ReadDocument(target, doc, &target.DocumentObjects());
    EXPECT_EQ(report.objectsLoaded, 2);
    EXPECT_EQ(report.objectsLost, 1);
    ASSERT_EQ(target.ObjectCount(), 2);
    EXPECT_EQ(target.Object(0)->Caption(), "First");
    EXPECT_EQ(target.Object(1)->Caption(), "Second");
    EXPECT_EQ(LoadReportMessage(report.objectsLost, 0, QStringLiteral("Fair.QXF")),
              QStringLiteral("1 design object(s) in Fair.QXF could not be read and were left out."));
    // Its record is whole, so saving does not lose it; it keeps its place.
    const TBytes saved = DocumentBytes(target, &target.DocumentObjects());
    const size_t at = find(saved, richRecord("Fair"));
    ASSERT_NE(at, std::string::npos);
    EXPECT_LT(at, find(saved, {'S', 'e', 'c', 'o', 'n', 'd'}));
}

} // namespace
} // namespace velmora::test
