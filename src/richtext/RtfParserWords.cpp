// Control words of the reader, grouped by what they change.
#include "richtext/RtfParser.h"

#include <algorithm>

namespace velmora::rtf {

namespace {
constexpr int kMaxTwips = 1440 * 22; // wider than any page
constexpr int kMaxShapeTwips = 1 << 24;

// Toggles such as \b are on without a parameter and off with \b0.
bool toggle(const Token &t)
{
    return !t.hasParam || t.param != 0;
}

int param(const Token &t, int fallback, int low, int high)
{
    return std::clamp(t.hasParam ? t.param : fallback, low, high);
}

std::string_view trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// Words that may follow \*; any other word there opens a destination this reader skips.
bool understoodAfterStar(Word w)
{
    return w == Word::ShpPict || w == Word::ShpInst || w == Word::Ud
        || w == Word::SkippedDestination;
}
} // namespace

void Parser::onWord(const Token &t)
{
    flushBytes();
    const WordInfo info = lookupWord(t.text);
    const bool star = std::exchange(starPending, false);
    if (skipsWord(info.word, t))
        return;
    if (star && !understoodAfterStar(info.word)) {
        st.dest = Dest::Skip;
        return;
    }
    if (info.word == Word::Character) {
        appendCharacter(QString(QChar(info.character)));
        return;
    }
    if (destinationWord(info.word, t) || characterWord(info.word, t)
        || paragraphWord(info.word, t) || tableWord(info.word, t) || pictureWord(info.word, t))
        return;
    documentWord(info.word, t);
}

// Words inside skipped text, and a word standing in as a \uN fallback, have no effect; only
// \bin must still step over its data, which may contain any byte.
bool Parser::skipsWord(Word w, const Token &t)
{
    const bool skipped = st.dest == Dest::Skip || (st.dest == Dest::Upr && w != Word::Ud);
    if (!skipped && !consumeSkippedCharacter())
        return false;
    if (w == Word::Bin)
        lex.takeBytes(static_cast<std::size_t>(std::max(t.param, 0)));
    return true;
}

bool Parser::destinationWord(Word w, const Token &)
{
    switch (w) {
    case Word::FontTable:
        st.dest = Dest::FontTable;
        return true;
    case Word::ColorTable:
        st.dest = Dest::ColorTable;
        colors.clear();
        red = green = blue = 0;
        colorGiven = false;
        return true;
    case Word::Pict:
        if (st.dest == Dest::Text || st.dest == Dest::ShapePicture) {
            picture = {};
            picture.fromShape = st.dest == Dest::ShapePicture;
            st.dest = Dest::Picture;
            st.opensPicture = true;
        } else {
            st.dest = Dest::Skip;
        }
        return true;
    case Word::ShpPict:
    case Word::ShpTxt:
    case Word::Ud:
        st.dest = Dest::Text;
        return true;
    case Word::NonShpPict:
    case Word::SkippedDestination:
        st.dest = Dest::Skip;
        return true;
    case Word::Upr:
        st.dest = Dest::Upr;
        return true;
    case Word::Shp:
        shape = {};
        return true;
    case Word::ShpInst:
        st.dest = Dest::Shape;
        return true;
    case Word::ShpRslt:
        // The result is the shape drawn for readers that cannot read shapes; we could.
        st.dest = shape.havePicture ? Dest::Skip : Dest::Text;
        return true;
    case Word::Sn:
        if (st.dest == Dest::Shape) {
            st.dest = Dest::ShapePropName;
            shape.propName.clear();
        }
        return true;
    case Word::Sv:
        if (st.dest == Dest::Shape)
            st.dest = trimmed(shape.propName) == "pib" ? Dest::ShapePicture : Dest::Skip;
        return true;
    default:
        return false;
    }
}

bool Parser::characterWord(Word w, const Token &t)
{
    CharProps &c = st.chr;
    switch (w) {
    case Word::Plain: c = CharProps{}; return true;
    case Word::F:
        if (st.dest == Dest::FontTable) {
            finishFontEntry();
            fontNumber = param(t, 0, 0, 0x7FFF);
            fonts[fontNumber];
            st.opensFont = true;
        } else {
            c.font = param(t, 0, 0, 0x7FFF);
        }
        return true;
    case Word::Fs: c.halfPoints = param(t, 24, 2, 3276); return true;
    case Word::B: c.bold = toggle(t); return true;
    case Word::I: c.italic = toggle(t); return true;
    case Word::Ul: c.underline = toggle(t); return true;
    case Word::UlNone: c.underline = false; return true;
    case Word::Strike: c.strike = toggle(t); return true;
    case Word::Hidden: c.hidden = toggle(t); return true;
    case Word::Cf: c.foreground = param(t, 0, 0, 0xFFFF); return true;
    case Word::Cb:
    case Word::Highlight: c.background = param(t, 0, 0, 0xFFFF); return true;
    case Word::Super: c.vertical = 1; return true;
    case Word::Sub: c.vertical = -1; return true;
    case Word::NoSuperSub: c.vertical = 0; return true;
    default: return false;
    }
}

bool Parser::paragraphWord(Word w, const Token &t)
{
    ParaProps &p = st.para;
    switch (w) {
    case Word::Pard: p = ParaProps{}; return true;
    case Word::Par:
    case Word::Row: endParagraph(); return true;
    case Word::Line: appendCharacter(QString(QChar(QChar::LineSeparator))); return true;
    case Word::Tab:
    case Word::Cell: appendCharacter(QStringLiteral("\t")); return true;
    case Word::Ql: p.alignment = Qt::AlignLeft; return true;
    case Word::Qc: p.alignment = Qt::AlignHCenter; return true;
    case Word::Qr: p.alignment = Qt::AlignRight; return true;
    case Word::Qj: p.alignment = Qt::AlignJustify; return true;
    case Word::Li: p.leftIndent = param(t, 0, -kMaxTwips, kMaxTwips); return true;
    case Word::Ri: p.rightIndent = param(t, 0, -kMaxTwips, kMaxTwips); return true;
    case Word::Fi: p.firstIndent = param(t, 0, -kMaxTwips, kMaxTwips); return true;
    case Word::Sb: p.spaceBefore = param(t, 0, 0, kMaxTwips); return true;
    case Word::Sa: p.spaceAfter = param(t, 0, 0, kMaxTwips); return true;
    default: return false;
    }
}

bool Parser::tableWord(Word w, const Token &t)
{
    switch (w) {
    case Word::FCharset:
        if (st.dest == Dest::FontTable)
            fonts[fontNumber].codePage = codePageOfCharset(param(t, 0, 0, 255));
        return true;
    case Word::Cpg:
        if (st.dest == Dest::FontTable)
            fonts[fontNumber].codePage = param(t, 0, 0, 65535);
        return true;
    case Word::Red: red = param(t, 0, 0, 255); colorGiven = true; return true;
    case Word::Green: green = param(t, 0, 0, 255); colorGiven = true; return true;
    case Word::Blue: blue = param(t, 0, 0, 255); colorGiven = true; return true;
    default: return false;
    }
}

bool Parser::pictureWord(Word w, const Token &t)
{
    PictureData &p = picture;
    switch (w) {
    case Word::PngBlip: p.kind = PictureKind::Png; return true;
    case Word::JpegBlip: p.kind = PictureKind::Jpeg; return true;
    case Word::DiBitmap: p.kind = PictureKind::Dib; return true;
    case Word::WBitmap: p.kind = PictureKind::DeviceBitmap; return true;
    case Word::Metafile: p.kind = PictureKind::Metafile; return true;
    case Word::PicW: p.width = param(t, 0, 0, 0x7FFF); return true;
    case Word::PicH: p.height = param(t, 0, 0, 0x7FFF); return true;
    case Word::PicWGoal: p.goalWidth = param(t, 0, 0, kMaxPictureTwips); return true;
    case Word::PicHGoal: p.goalHeight = param(t, 0, 0, kMaxPictureTwips); return true;
    case Word::PicScaleX: p.scaleX = param(t, 100, 1, 1000); return true;
    case Word::PicScaleY: p.scaleY = param(t, 100, 1, 1000); return true;
    case Word::WbmBitsPixel: p.bitsPerPixel = param(t, 1, 1, 32); return true;
    case Word::WbmWidthBytes: p.widthBytes = param(t, 0, 0, 1 << 20); return true;
    case Word::Bin: binaryData(t); return true;
    case Word::ShpLeft: shape.left = param(t, 0, -kMaxShapeTwips, kMaxShapeTwips); return true;
    case Word::ShpTop: shape.top = param(t, 0, -kMaxShapeTwips, kMaxShapeTwips); return true;
    case Word::ShpRight: shape.right = param(t, 0, -kMaxShapeTwips, kMaxShapeTwips); return true;
    case Word::ShpBottom: shape.bottom = param(t, 0, -kMaxShapeTwips, kMaxShapeTwips); return true;
    default: return false;
    }
}

void Parser::binaryData(const Token &t)
{
    const auto wanted = static_cast<std::size_t>(std::max(t.param, 0));
    const std::string_view data = lex.takeBytes(wanted);
    if (data.size() < wanted)
        report.damaged = true;
    if (st.dest == Dest::Picture)
        picture.addBinary(data);
}

void Parser::unicodeCharacter(const Token &t)
{
    if (!t.hasParam)
        return;
    // Writers give code units above 32767 as negative numbers.
    const int unit = std::clamp(t.param, -32768, 65535);
    appendCharacter(QString(QChar(static_cast<char16_t>(unit < 0 ? unit + 65536 : unit))));
    skipCount = st.unicodeSkip;
}

void Parser::documentWord(Word w, const Token &t)
{
    switch (w) {
    case Word::Ansi: ansiCodePage = 1252; break;
    case Word::Mac: ansiCodePage = 10000; break;
    case Word::Pc: ansiCodePage = 437; break;
    case Word::Pca: ansiCodePage = 850; break;
    case Word::AnsiCpg: ansiCodePage = param(t, 1252, 1, 65535); break;
    case Word::Deff: defaultFont = param(t, 0, 0, 0x7FFF); break;
    case Word::Uc: st.unicodeSkip = param(t, 1, 0, 16); break;
    case Word::U: unicodeCharacter(t); break;
    default: break;
    }
}

} // namespace velmora::rtf
