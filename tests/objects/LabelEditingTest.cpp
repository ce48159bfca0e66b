// Editing a text label: its popup menu, the text tool, and the text and 3D effects dialogs,
// each run through the dialog hooks so that nothing waits for a user.
#include "objects/Gplabel.h"

#include "TestObjects.h"
#include "objects/ColorCombo.h"
#include "objects/Gf3d.h"
#include "objects/LabelTextDialog.h"
#include "objects/ObjectDialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>

#include <gmock/gmock.h>

namespace velmora::test {
namespace {

using ::testing::ElementsAre;

class LabelEditing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterTextLabel();
        t.panel.SetToolClass(psLabel, TGPLabel::kClassName);
    }
    void TearDown() override { ObjectDialogHooks() = {}; }

    TGPLabel *place(const TRect &r)
    {
        auto label = std::make_unique<TGPLabel>();
        label->Loaded();
        return static_cast<TGPLabel *>(t.panel.AddObject(std::move(label), r));
    }
    QMenu &menuOf(TGPLabel &label)
    {
        t.panel.ShowObjectMenu(label, {});
        return *t.lastMenu;
    }
    static std::vector<std::string> texts(const QMenu &menu)
    {
        std::vector<std::string> list;
        for (const QAction *a : menu.actions())
            list.push_back(a->isSeparator() ? "-" : a->text().toStdString());
        return list;
    }
    static QAction *entry(const QMenu &menu, const QString &text)
    {
        for (QAction *a : menu.actions()) {
            if (a->text() == text) return a;
            if (a->menu() != nullptr)
                if (QAction *inner = entry(*a->menu(), text)) return inner;
        }
        return nullptr;
    }
    void trigger(TGPLabel &label, const QString &text)
    {
        QAction *a = entry(menuOf(label), text);
        ASSERT_NE(a, nullptr) << text.toStdString();
        a->trigger();
    }

    TTestPanel t;
};

TEST_F(LabelEditing, MenuEntriesAndTheirCheckMarks)
{
    TGPLabel *label = place({10, 10, 152, 43});
    std::vector<std::string> shown = texts(menuOf(*label));
    ASSERT_GE(shown.size(), 11U);
    shown.erase(shown.begin(), shown.end() - 11);
    EXPECT_THAT(shown,
                ElementsAre("-", "Font", "3D Effects", "Alignment", "Transparent",
                            "Background Color", "Border", "-", "Text", "-", "Rotation"));
    QMenu &menu = menuOf(*label);
    EXPECT_THAT(texts(*entry(menu, "Alignment")->menu()),
                ElementsAre("Left", "Center", "Right"));
    EXPECT_THAT(texts(*entry(menu, "Rotation")->menu()),
                ElementsAre("No Rotation", "90 Degrees", "180 Degrees", "270 Degrees"));
    EXPECT_TRUE(entry(menu, "Transparent")->isChecked());
    EXPECT_FALSE(entry(menu, "Border")->isChecked());

    t.changes = 0;
    trigger(*label, "Right");
    EXPECT_EQ(label->Alignment(), taRightJustify);
    EXPECT_GT(t.changes, 0);
    label->SetBorderStyle(bsSingle);
    QMenu &again = menuOf(*label);
    EXPECT_FALSE(entry(again, "Left")->isChecked());
    EXPECT_FALSE(entry(again, "Center")->isChecked());
    EXPECT_TRUE(entry(again, "Right")->isChecked());
    EXPECT_TRUE(entry(again, "Border")->isChecked());
    trigger(*label, "90 Degrees");
    EXPECT_EQ(rectOf(*label), (TRect{10, 10, 43, 152}));
}

TEST_F(LabelEditing, BackgroundColorMakesTheLabelOpaque)
{
    TGPLabel *label = place({10, 10, 152, 43});
    std::vector<TColor> offered;
    std::optional<TColor> answer;
    ObjectDialogHooks().chooseColor = [&](TColor initial) {
        offered.push_back(initial);
        return answer;
    };
    trigger(*label, "Background Color"); // cancelled
    EXPECT_TRUE(label->Transparent());

    answer = clYellow;
    t.changes = 0;
    trigger(*label, "Background Color");
    EXPECT_THAT(offered, ElementsAre(clWhite, clWhite));
    EXPECT_FALSE(label->Transparent());
    EXPECT_EQ(label->BackColor(), clYellow);
    EXPECT_GT(t.changes, 0);
    EXPECT_FALSE(entry(menuOf(*label), "Transparent")->isChecked());
}

TEST_F(LabelEditing, TextToolPlacesALabelAndAsksForItsText)
{
    t.panel.SetPanelFont(TFontDesc::make("Liberation Serif", 12, 0, clMaroon));
    QString preset;
    int asked = 0;
    ObjectDialogHooks().runLabelText = [&](TGetLabelText &dialog) {
        ++asked;
        preset = dialog.LabelText()->text();
        dialog.LabelText()->setText(QStringLiteral("Anniversary of the first landing"));
        dialog.OkClick();
        return dialog.result() == QDialog::Accepted;
    };
    t.panel.SetPanelState(psLabel);
    t.click({100, 200}); // no drag: a 50 × 15 rectangle
    ASSERT_EQ(t.panel.ObjectCount(), 1);
    auto *label = dynamic_cast<TGPLabel *>(t.panel.Object(0));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(t.panel.PanelState(), psPointing);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(preset, QStringLiteral("Enter text..."));
    EXPECT_EQ(label->Caption(), "Anniversary of the first landing");
    EXPECT_EQ(label->Font().name, "Liberation Serif");
    EXPECT_EQ(label->Font().size(), 20);
    EXPECT_EQ(label->Font().color, clMaroon);
    EXPECT_FALSE(label->Transparent());
    EXPECT_EQ(label->BorderStyle(), bsSingle);
    EXPECT_EQ(label->Left(), 100);
    EXPECT_EQ(label->Top(), 200);
    EXPECT_GT(label->Width(), 300); // grown to the whole text
}

TEST_F(LabelEditing, EffectsDialogTriesChoicesOnThePreviewFirst)
{
    TGPLabel *label = place({10, 10, 152, 43});
    label->SetDepthShadow(15); // more than the list offers, as a document may hold
    label->SetDepthHighlight(2);
    label->SetDirectionHighlight(hdUp);
    bool okay = true;
    ObjectDialogHooks().runFont3DEffects = [&](TGFont3DEffects &d) {
        EXPECT_EQ(d.ShadowDepth()->currentIndex(), -1);
        EXPECT_EQ(d.HighLightDepth()->currentIndex(), 2);
        EXPECT_EQ(d.HighlightDirection()->currentIndex(), int(hdUp));
        EXPECT_EQ(d.ShadowDirection()->currentIndex(), int(sdDownRight));
        EXPECT_EQ(d.Sample().DepthShadow(), 15);
        d.HighlightDirection()->setCurrentIndex(int(hdLeft));
        d.FontColorCombo()->PickColor(clGreen);
        EXPECT_EQ(d.Sample().DirectionHighlight(), hdLeft);
        EXPECT_EQ(d.Sample().Font().color, clGreen);
        EXPECT_EQ(label->DirectionHighlight(), hdUp); // the label waits for OK
        okay ? d.OkClick() : d.CancelClick();
        return d.result() == QDialog::Accepted;
    };
    okay = false;
    trigger(*label, "3D Effects");
    EXPECT_EQ(label->DirectionHighlight(), hdUp);
    EXPECT_EQ(label->Font().color, clBlack);

    okay = true;
    t.changes = 0;
    trigger(*label, "3D Effects");
    EXPECT_EQ(label->DepthShadow(), 15);
    EXPECT_EQ(label->DirectionHighlight(), hdLeft);
    EXPECT_EQ(label->HighlightOffset(), (TPixelOffset{-2, 0}));
    EXPECT_EQ(label->Font().color, clGreen);
    EXPECT_GT(t.changes, 0);
}

TEST_F(LabelEditing, RotationIsMarkedAndTheEffectsPreviewShowsTheLabelsWords)
{
    TGPLabel *label = place({10, 10, 152, 43});
    label->SetCaption("Party");
    EXPECT_TRUE(entry(menuOf(*label), "No Rotation")->isChecked());
    trigger(*label, "180 Degrees");
    QMenu &menu = menuOf(*label);
    EXPECT_TRUE(entry(menu, "180 Degrees")->isChecked());
    EXPECT_FALSE(entry(menu, "No Rotation")->isChecked());
    EXPECT_FALSE(entry(menu, "90 Degrees")->isChecked());

    std::string shown;
    ObjectDialogHooks().runFont3DEffects = [&](TGFont3DEffects &d) {
        shown = d.Sample().Caption();
        d.CancelClick();
        return false;
    };
    trigger(*label, "3D Effects");
    EXPECT_EQ(shown, "Party");
}

} // namespace
} // namespace velmora::test
