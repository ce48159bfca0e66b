#pragma once
// The reader's state machine; use readRtf() from RtfReader.h.
#include "richtext/RtfCodePage.h"
#include "richtext/RtfLexer.h"
#include "richtext/RtfPicture.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWords.h"

#include <QColor>
#include <QSizeF>
#include <QTextCursor>

#include <map>
#include <string>
#include <vector>

class QTextBlockFormat;
class QTextCharFormat;

namespace velmora::rtf {

enum class Dest {
    Text,          // body text
    Skip,          // everything up to the group's end
    Upr,           // like Skip, but a \ud inside brings the Unicode text back
    FontTable,
    ColorTable,
    Picture,
    Shape,         // inside \shpinst: only the picture property counts
    ShapePropName, // \sn
    ShapePicture,  // the \sv of the "pib" property
};

struct CharProps {
    int font = -1; // -1: the document's default font (\deff)
    int halfPoints = 24;
    bool bold = false, italic = false, underline = false, strike = false, hidden = false;
    int vertical = 0; // 1 superscript, -1 subscript
    int foreground = -1, background = -1; // colour table indices; -1 is "automatic"
    bool operator==(const CharProps &) const = default;
};

struct ParaProps {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftIndent = 0, rightIndent = 0, firstIndent = 0, spaceBefore = 0, spaceAfter = 0; // twips
};

struct GroupState {
    CharProps chr;
    ParaProps para;
    Dest dest = Dest::Text;
    int unicodeSkip = 1;
    bool opensPicture = false; // this group's end completes the picture being collected
    bool opensFont = false;    // this group holds one font table entry
};

struct FontEntry {
    QString name;
    int codePage = 0; // 0: the document's code page
};

class Parser
{
public:
    Parser(std::string_view rtf, QTextDocument &doc);
    RtfReadReport run();

private:
    // tokens and groups
    void openGroup();
    bool closeGroup(); // false once the outermost group is closed
    void onText(std::string_view bytes);
    void onHexByte(unsigned char byte);
    void onSymbol(unsigned char symbol);
    void onWord(const Token &t);
    bool skipsWord(Word w, const Token &t);
    bool consumeSkippedCharacter();

    // control words, by what they change
    bool destinationWord(Word w, const Token &t);
    bool characterWord(Word w, const Token &t);
    bool paragraphWord(Word w, const Token &t);
    bool tableWord(Word w, const Token &t);
    bool pictureWord(Word w, const Token &t);
    void documentWord(Word w, const Token &t);
    void unicodeCharacter(const Token &t);
    void binaryData(const Token &t);

    // body text and document building
    void appendCharacter(const QString &text);
    void appendText(const QString &text);
    void addBytes(std::string_view bytes);
    void flushBytes();
    void flushText();
    void ensureParagraph();
    void endParagraph();
    void finishDocument();
    void finishPicture();
    void finishFontEntry();
    QTextCharFormat charFormat(const CharProps &c) const;
    QTextBlockFormat blockFormat(const ParaProps &p) const;
    int codePageOf(const CharProps &c) const;
    QColor colorAt(int index) const;
    QSizeF pictureSize(const QImage &image) const;

    RtfLexer lex;
    QTextDocument &doc;
    QTextCursor cursor;
    RtfReadReport report;

    GroupState st;
    std::vector<GroupState> stack;
    int overflowDepth = 0; // groups opened beyond the depth cap, closed without a state
    bool starPending = false;
    int skipCount = 0;     // fallback characters still to drop after \uN

    int ansiCodePage = 1252;
    int defaultFont = 0;
    std::map<int, FontEntry> fonts;
    int fontNumber = 0;
    std::string fontNameBytes;
    QString fontNameText; // the name decoded so far, when \uN interrupts its bytes
    std::vector<QColor> colors;
    int red = 0, green = 0, blue = 0;
    bool colorGiven = false;

    std::string pendingBytes; // 8-bit text not yet decoded
    QString pendingText;
    CharProps pendingProps;
    bool breakPending = false; // a \par was read; its new paragraph waits for content

    PictureData picture;
    struct {
        int left = 0, top = 0, right = 0, bottom = 0;
        std::string propName;
        bool havePicture = false;
    } shape;
    CodePageDecoder decoder;
};

} // namespace velmora::rtf
