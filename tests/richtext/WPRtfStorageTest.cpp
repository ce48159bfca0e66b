#include "DocumentProbe.h"

#include "richtext/WPRtfStorage.h"

#include <QTextCursor>

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

TEST(WPRtfStorage, Emptiness)
{
    TWPRtfStorage store;
    EXPECT_TRUE(store.isEmpty());
    EXPECT_TRUE(store.rtfBytes().empty());

    // An empty paragraph stays empty whatever format it carries.
    QTextDocument doc;
    QTextCharFormat big;
    big.setFontPointSize(30);
    big.setFontWeight(QFont::Bold);
    QTextCursor(&doc).setBlockCharFormat(big);
    store.saveFromDocument(doc);
    EXPECT_FALSE(store.rtfBytes().empty());
    EXPECT_TRUE(store.isEmpty());

    const auto emptyAfter = [](const std::string &rtf) {
        TWPRtfStorage s;
        s.setRtfBytes(rtf);
        return s.isEmpty();
    };
    EXPECT_TRUE(emptyAfter("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\par}"));
    EXPECT_TRUE(emptyAfter(std::string("{\\rtf1 }\0\0\0\0", 12))); // as documents store it
    EXPECT_FALSE(emptyAfter("{\\rtf1 \\par\\par}"));
    EXPECT_FALSE(emptyAfter("{\\rtf1 x}"));
    EXPECT_FALSE(emptyAfter("{\\rtf1 \\tab}"));
    EXPECT_FALSE(emptyAfter("{\\rtf1 {\\pict\\dibitmap0 280000000100000001000000010018000000000004"
                            "0000000000000000000000000000000000000000ffffff00}}"));

    store.setRtfBytes("{\\rtf1 text}");
    EXPECT_FALSE(store.isEmpty());
    store.clear();
    EXPECT_TRUE(store.isEmpty());
    EXPECT_TRUE(store.rtfBytes().empty());
}

TEST(WPRtfStorage, CopiesAndDocuments)
{
    QTextDocument source;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCursor(&source).insertText(QStringLiteral("Dentist 10:00"), bold);

    TWPRtfStorage store, copy;
    store.saveFromDocument(source);
    copy.assign(store);
    EXPECT_EQ(copy.rtfBytes(), store.rtfBytes());
    EXPECT_FALSE(copy.isEmpty());
    store.clear();
    EXPECT_FALSE(copy.isEmpty()); // a copy, not a shared text

    QTextDocument target;
    QTextCursor(&target).insertText(QStringLiteral("old text"));
    copy.loadIntoDocument(target);
    EXPECT_EQ(paragraphs(target), QStringList{"Dentist 10:00"});
    EXPECT_EQ(formatOf(target, "Dentist").fontWeight(), QFont::Bold);
    EXPECT_FALSE(target.isUndoAvailable()); // loading is not an edit the user can undo

    TWPRtfStorage().loadIntoDocument(target);
    EXPECT_TRUE(target.isEmpty());
}

TEST(WPRtfStorage, AppendParagraphStacksTexts)
{
    QTextDocument doc;
    QTextCharFormat red;
    red.setForeground(QColor(Qt::red));
    appendParagraph(doc, QStringLiteral("x"), red);
    appendParagraph(doc, QStringLiteral("x"), red);
    EXPECT_EQ(paragraphs(doc), (QStringList{"x", "x", ""}));
    EXPECT_EQ(formatOf(doc, "x").foreground().color(), QColor(Qt::red));

    // Text the user typed last is closed with a paragraph of its own first.
    QTextDocument typed;
    QTextCursor(&typed).insertText(QStringLiteral("note"));
    appendParagraph(typed, QStringLiteral("Holiday"), QTextCharFormat());
    EXPECT_EQ(paragraphs(typed), (QStringList{"note", "Holiday", ""}));

    // The store keeps the trailing empty paragraph.
    TWPRtfStorage store;
    store.saveFromDocument(doc);
    QTextDocument back;
    store.loadIntoDocument(back);
    EXPECT_EQ(paragraphs(back), (QStringList{"x", "x", ""}));
}
