// Objects as component records: the common properties, the filer, and the four operations
// the document reader uses.
#include "TestObjects.h"

#include "objects/ObjectFiler.h"

#include <gmock/gmock.h>

#include <set>

namespace velmora::test {
namespace {

using ::testing::ElementsAre;

TEST(ObjectStream, DefaultsAreLeftOutAndOrderIsCommonFirst)
{
    TTestBox box;
    box.SetBounds(10, 20, 30, 40);
    TWriter w;
    w.writeComponent(box, "Special1");
    EXPECT_THAT(storedNames(w.bytes()),
                ElementsAre("Left", "Top", "Width", "Height", "Locked", "Unselectable", "Fill"));
}

TEST(ObjectStream, CommonPropertiesRoundTrip)
{
    RegisterDesignObject<TTestBox>(TTestBox::kClassName);
    TTestBox box;
    box.SetBounds(-5, 700, 300, 1);
    box.SetTag(70000);
    box.SetCursor(-21);
    box.SetHint("Tipp \xc3\xa4");
    box.SetLocked(true);
    box.SetUnselectable(true);
    box.fill = clRed;
    TWriter w;
    w.writeComponent(box, "Special3");
    EXPECT_THAT(storedNames(w.bytes()),
                ElementsAre("Tag", "Left", "Top", "Width", "Height", "Cursor", "Hint", "Locked",
                            "Unselectable", "Fill"));

    TReader r(w.bytes());
    const std::unique_ptr<TGGraphicControl> copy = ReadDesignObject(r);
    EXPECT_EQ(copy->Name(), "Special3");
    EXPECT_EQ(copy->BoundsRect(), (TRect{-5, 700, 295, 701}));
    EXPECT_EQ(copy->Tag(), 70000);
    EXPECT_EQ(copy->Cursor(), -21);
    EXPECT_EQ(copy->Hint(), "Tipp \xc3\xa4");
    EXPECT_TRUE(copy->Locked());
    EXPECT_TRUE(copy->Unselectable());
    EXPECT_EQ(static_cast<TTestBox &>(*copy).fill, clRed);
    EXPECT_FALSE(copy->PopupMenu().empty()); // Loaded ran after reading
}

TEST(ObjectStream, FilerReadsAllOrNothing)
{
    RegisterDesignObject<TTestBox>(TTestBox::kClassName);
    TTestBox a, b;
    a.SetName("A");
    b.SetName("B");
    TGGraphicControl *both[] = {&a, &b};
    TBytes bytes = TGLabelObjectFiler::WriteObjects(both);
    EXPECT_EQ(TGLabelObjectFiler::ReadObjects(bytes).size(), 2U);
    bytes.resize(bytes.size() - 8);
    EXPECT_THROW(TGLabelObjectFiler::ReadObjects(bytes), EReadError);
    TWriter unknown;
    unknown.writeListBegin();
    unknown.writeComponentHeader("TNoSuchObject", "X");
    unknown.endProperties();
    unknown.endChildren();
    unknown.writeListEnd();
    EXPECT_THROW(TGLabelObjectFiler::ReadObjects(unknown.bytes()), EReadError);
}

class DocumentObjects : public ::testing::Test
{
protected:
    TTestPanel t;

    // What the document reader does with one record.
    TGGraphicControl *load(const TBytes &record)
    {
        TReader r(record);
        const TComponentHeader header = r.readComponentHeader();
        TGGraphicControl *o = t.panel.Objects().CreateObject(header.className);
        if (o == nullptr) return nullptr;
        r.readProperties(*o);
        t.panel.Objects().ObjectLoaded(o);
        return o;
    }
    static TBytes record(int left, const std::string &name)
    {
        TTestBox box;
        box.SetBounds(left, 10, 40, 20);
        TWriter w;
        w.writeComponent(box, name);
        return w.takeBytes();
    }
};

TEST_F(DocumentObjects, LoadedObjectsAreRenamedAroundNamesAlreadyTaken)
{
    t.panel.Objects().OwnerHasName = [](std::string_view n) { return n == "Component0"; };
    t.add(1, 1, 20, 20)->SetName("component1"); // names compare without case
    TGGraphicControl *o = load(record(50, "Component0"));
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->Name(), "Component2");
    EXPECT_EQ(o->BoundsRect(), (TRect{50, 10, 90, 30}));
    EXPECT_EQ(o->Parent(), &t.panel);
    EXPECT_EQ(load(record(60, "x"))->Name(), "Component3");
    EXPECT_EQ(t.panel.ObjectCount(), 3);

    TWriter w;
    t.panel.Objects().WriteObjects(w);
    TReader r(w.bytes());
    r.readComponentHeader();
    r.skipProperties();
    r.skipChildren();
    EXPECT_EQ(r.readComponentHeader().name, "Component2");
}

TEST_F(DocumentObjects, UnknownClassAndDiscardLeaveNothingBehind)
{
    EXPECT_EQ(t.panel.Objects().CreateObject("TGNoSuchClass"), nullptr);
    TGGraphicControl *half = t.panel.Objects().CreateObject(TTestBox::kClassName);
    ASSERT_NE(half, nullptr);
    EXPECT_TRUE(t.panel.NameTaken(half->Name())); // reserved while it is being read
    t.panel.Objects().DiscardObject(half);
    EXPECT_EQ(t.panel.ObjectCount(), 0);
    EXPECT_FALSE(t.panel.NameTaken("Component0"));
}

TEST_F(DocumentObjects, FirstMoveAfterLoadingCountsAsAChange)
{
    TGGraphicControl *o = load(record(50, "A"));
    t.changes = 0;
    o->SetLeft(51);
    EXPECT_EQ(t.changes, 1);
}

TEST_F(DocumentObjects, FiveThousandObjectsKeepTheirOrderAndUniqueNames)
{
    // Past "Component1000" the numbering goes on rather than leaving names empty.
    for (int i = 0; i < 5000; ++i)
        ASSERT_NE(load(record(i, "x")), nullptr);
    ASSERT_EQ(t.panel.ObjectCount(), 5000);
    std::set<std::string> names;
    for (int i = 0; i < 5000; ++i) {
        EXPECT_EQ(t.panel.Object(i)->Left(), i) << "object order at " << i;
        names.insert(t.panel.Object(i)->Name());
    }
    EXPECT_EQ(names.size(), 5000U);
    EXPECT_EQ(t.panel.Object(0)->Name(), "Component0");
    EXPECT_EQ(t.panel.Object(1000)->Name(), "Component1000");
    EXPECT_EQ(t.panel.Object(4999)->Name(), "Component4999");
    EXPECT_EQ(t.panel.FreeName("Component", 0), "");
}

TEST_F(DocumentObjects, NamesFollowRenamesAndRemovals)
{
    TGGraphicControl *a = load(record(1, "x")); // Component0
    TGGraphicControl *b = load(record(2, "x")); // Component1
    load(record(3, "x"));                       // Component2
    EXPECT_EQ(t.panel.FreeName("Component", 0), "Component3");
    a->SetName("Mine");
    EXPECT_TRUE(t.panel.NameTaken("MINE"));
    EXPECT_FALSE(t.panel.NameTaken("Component0"));
    EXPECT_EQ(t.panel.FreeName("Component", 0), "Component0");
    EXPECT_EQ(load(record(4, "x"))->Name(), "Component0");
    t.panel.DestroyObject(b);
    EXPECT_EQ(t.panel.FreeName("Component", 0), "Component1");
    t.panel.RemoveAllObjects();
    EXPECT_FALSE(t.panel.NameTaken("Mine"));
    EXPECT_EQ(t.panel.FreeName("Component", 0), "Component0");
    t.add(1, 1, 20, 20)->SetName("component0"); // a placed object renamed later still counts
    EXPECT_EQ(t.panel.FreeName("Component", 0), "Component1");
}

TEST_F(DocumentObjects, NamesRunOutAfterAThousand)
{
    t.panel.Objects().OwnerHasName = [](std::string_view) { return true; };
    EXPECT_EQ(t.panel.FreeName("Special", 1), "");
    EXPECT_EQ(t.add(1, 1, 20, 20)->Name(), "");
}

} // namespace
} // namespace velmora::test
