// The formatting toolbar makes its font list only when an editor is attached.
#include "richtext/WPRichText.h"
#include "richtext/WPToolBar.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QTextCursor>

using namespace velmora;

TEST(WPToolBar, FontListComesWithTheFirstEditorAndSetsItsFont)
{
    TWPToolBar bar;
    EXPECT_EQ(bar.findChild<QFontComboBox *>(), nullptr);
    const QList<QComboBox *> before = bar.findChildren<QComboBox *>();
    ASSERT_EQ(before.size(), 3); // the stand-in, size and colour
    const QSize standInHint = before.front()->sizeHint();

    TWPRichText editor;
    editor.setPlainText(QStringLiteral("text"));
    editor.selectAll();
    bar.Attach(&editor);
    auto *fonts = bar.findChild<QFontComboBox *>();
    ASSERT_NE(fonts, nullptr);
    EXPECT_EQ(bar.findChildren<QComboBox *>().size(), 3); // the stand-in is gone
    EXPECT_EQ(fonts->sizeHint().width(), standInHint.width());
    // The list stands where the stand-in stood: first on the bar.
    EXPECT_EQ(bar.widgetForAction(bar.actions().front()), fonts);

    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    const QString other = families.back();
    fonts->setCurrentFont(QFont(other));
    emit fonts->activated(fonts->currentIndex()); // as a pick from the list does
    EXPECT_TRUE(editor.currentCharFormat().fontFamilies().toStringList().contains(fonts->currentFont().family()));

    bar.Attach(nullptr);
    bar.Attach(&editor);
    EXPECT_EQ(bar.findChildren<QFontComboBox *>().size(), 1);
}
