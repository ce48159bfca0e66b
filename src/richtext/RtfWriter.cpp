#include "richtext/RtfWriter.h"

#include "common/Cp1252.h"
#include "richtext/RtfPicture.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <vector>

namespace velmora {

namespace {
constexpr double kTwipsPerPixel = 15.0; // 1440 twips an inch over 96 pixels an inch
constexpr char kHex[] = "0123456789abcdef";

std::string number(long long value)
{
    return std::to_string(value);
}

int twips(double pixels)
{
    return static_cast<int>(std::lround(std::clamp(pixels * kTwipsPerPixel, -1e9, 1e9)));
}

// The byte Windows-1252 gives a character, or 0 when the code page lacks it.
unsigned char cp1252Byte(char16_t unit)
{
    if (unit >= 0xA0 && unit <= 0xFF)
        return static_cast<unsigned char>(unit);
    const QByteArray utf8 = QString(QChar(unit)).toUtf8();
    const std::string b = Utf8ToCp1252(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    return (b.size() == 1 && b[0] != '?') ? static_cast<unsigned char>(b[0]) : 0;
}

void appendEscaped(std::string &out, QStringView text)
{
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == QChar::LineSeparator) {
            out += "\\line ";
        } else if (u < 0x20 || u == QChar::ObjectReplacementCharacter) {
            continue; // controls have no RTF text form; pictures are written on their own
        } else if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (const unsigned char b = cp1252Byte(u); b != 0) {
            out += "\\'";
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        } else {
            out += "\\u" + number(static_cast<int16_t>(u)) + "?";
        }
    }
}

QString familyOf(const QTextCharFormat &f, const QFont &fallback)
{
    const QStringList families = f.property(QTextFormat::FontFamilies).toStringList();
    if (!families.isEmpty() && !families.front().isEmpty())
        return families.front();
    const QString single = f.stringProperty(QTextFormat::FontFamily); // set by older code paths
    return single.isEmpty() ? fallback.family() : single;
}

struct PictureBytes {
    QByteArray data;
    const char *blip = "\\pngblip";
    QSize pixels;
};

PictureBytes pictureBytes(const QVariant &resource)
{
    PictureBytes p;
    QImage image;
    if (resource.userType() == QMetaType::QByteArray) {
        const QByteArray bytes = resource.toByteArray();
        image = QImage::fromData(bytes);
        if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
            p.data = bytes;
        else if (bytes.startsWith("\xFF\xD8\xFF")) {
            p.data = bytes;
            p.blip = "\\jpegblip";
        }
    } else if (resource.userType() == QMetaType::QImage) {
        image = resource.value<QImage>();
    } else if (resource.userType() == QMetaType::QPixmap) {
        image = resource.value<QPixmap>().toImage();
    }
    if (image.isNull())
        return {};
    p.pixels = image.size();
    if (p.data.isEmpty()) {
        QBuffer buffer(&p.data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    return p;
}

class Writer
{
public:
    explicit Writer(const QTextDocument &d) : doc(d), defaultFont(d.defaultFont()) {}
    std::string run();

private:
    void collectTables();
    void addColor(const QTextCharFormat &f, QTextFormat::Property property);
    int fontIndex(const QTextCharFormat &f) const;
    int colorIndex(const QBrush &brush) const;
    void writeHeader();
    void writeBlock(const QTextBlock &block);
    void writeCharFormat(const QTextCharFormat &f);
    std::string charFormatWords(const QTextCharFormat &f);
    void writePicture(const QTextImageFormat &f);
    double pointSize(const QTextCharFormat &f) const;

    const QTextDocument &doc;
    const QFont defaultFont;
    std::string out;
    std::vector<QString> fonts;
    std::vector<QRgb> colors;
};

std::string Writer::run()
{
    collectTables();
    writeHeader();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        writeBlock(block);
    out += "}\n";
    return out;
}

void Writer::collectTables()
{
    fonts.push_back(defaultFont.family());
    const auto note = [this](const QTextCharFormat &f) {
        const QString family = familyOf(f, defaultFont);
        if (std::find(fonts.begin(), fonts.end(), family) == fonts.end())
            fonts.push_back(family);
        addColor(f, QTextFormat::ForegroundBrush);
        addColor(f, QTextFormat::BackgroundBrush);
    };
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().isValid() && !it.fragment().charFormat().isImageFormat())
                note(it.fragment().charFormat());
        note(block.charFormat());
    }
}

void Writer::addColor(const QTextCharFormat &f, QTextFormat::Property property)
{
    if (!f.hasProperty(property) || f.brushProperty(property).style() == Qt::NoBrush)
        return;
    const QRgb rgb = f.brushProperty(property).color().rgb();
    if (std::find(colors.begin(), colors.end(), rgb) == colors.end())
        colors.push_back(rgb);
}

int Writer::fontIndex(const QTextCharFormat &f) const
{
    const auto it = std::find(fonts.begin(), fonts.end(), familyOf(f, defaultFont));
    return it == fonts.end() ? 0 : static_cast<int>(it - fonts.begin());
}

// Index in the colour table, whose entry 0 is "automatic"; 0 when the brush paints nothing.
int Writer::colorIndex(const QBrush &brush) const
{
    if (brush.style() == Qt::NoBrush)
        return 0;
    const auto it = std::find(colors.begin(), colors.end(), brush.color().rgb());
    return it == colors.end() ? 0 : static_cast<int>(it - colors.begin()) + 1;
}

void Writer::writeHeader()
{
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + number(static_cast<long long>(i)) + "\\fnil\\fcharset0 ";
        std::string name;
        appendEscaped(name, fonts[i]);
        for (char c : name)
            out += c == ';' ? std::string("\\'3b") : std::string(1, c);
        out += ";}";
    }
    out += "}\n{\\colortbl;";
    for (const QRgb c : colors)
        out += "\\red" + number(qRed(c)) + "\\green" + number(qGreen(c)) + "\\blue"
            + number(qBlue(c)) + ";";
    out += "}\n";
}

double Writer::pointSize(const QTextCharFormat &f) const
{
    if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0)
        return f.fontPointSize();
    if (f.hasProperty(QTextFormat::FontPixelSize) && f.intProperty(QTextFormat::FontPixelSize) > 0)
        return f.intProperty(QTextFormat::FontPixelSize) * 0.75;
    if (defaultFont.pointSizeF() > 0)
        return defaultFont.pointSizeF();
    return defaultFont.pixelSize() > 0 ? defaultFont.pixelSize() * 0.75 : 12.0;
}

void Writer::writeCharFormat(const QTextCharFormat &f)
{
    out += charFormatWords(f);
}

std::string Writer::charFormatWords(const QTextCharFormat &f)
{
    const std::size_t start = out.size();
    out += "\\f" + number(fontIndex(f));
    out += "\\fs" + number(std::clamp<long>(std::lround(pointSize(f) * 2), 2, 3276));
    const auto flag = [&f](QTextFormat::Property p, bool fallback) {
        return f.hasProperty(p) ? f.boolProperty(p) : fallback;
    };
    const int weight = f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() : defaultFont.weight();
    if (weight >= QFont::DemiBold)
        out += "\\b";
    if (flag(QTextFormat::FontItalic, defaultFont.italic()))
        out += "\\i";
    const auto underline = f.underlineStyle();
    if (underline != QTextCharFormat::NoUnderline && underline != QTextCharFormat::SpellCheckUnderline)
        out += "\\ul";
    else if (!f.hasProperty(QTextFormat::TextUnderlineStyle) && defaultFont.underline())
        out += "\\ul";
    if (flag(QTextFormat::FontStrikeOut, defaultFont.strikeOut()))
        out += "\\strike";
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        out += "\\super";
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        out += "\\sub";
    if (const int fg = colorIndex(f.foreground()); fg > 0)
        out += "\\cf" + number(fg);
    if (const int bg = colorIndex(f.background()); bg > 0)
        out += "\\highlight" + number(bg);
    out += ' ';
    std::string words = out.substr(start);
    out.resize(start);
    return words;
}

void Writer::writeBlock(const QTextBlock &block)
{
    const QTextBlockFormat bf = block.blockFormat();
    out += "\\pard";
    const Qt::Alignment align = bf.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        out += "\\qc";
    else if (align & Qt::AlignJustify)
        out += "\\qj";
    else if (align & Qt::AlignRight)
        out += "\\qr";
    else
        out += "\\ql";
    const std::pair<const char *, double> indents[] = {
        {"\\li", bf.leftMargin()}, {"\\ri", bf.rightMargin()}, {"\\fi", bf.textIndent()},
        {"\\sb", bf.topMargin()},  {"\\sa", bf.bottomMargin()},
    };
    for (const auto &[word, pixels] : indents)
        if (twips(pixels) != 0)
            out += word + number(twips(pixels));
    out += '\n';
    // Fragments whose formats differ only in what RTF cannot say (a font missing from the
    // table, properties set to their defaults) write the same words; they are one run, or
    // a second write of what the reader made of the first would join them and differ.
    std::string runWords, runText;
    const auto endRun = [this, &runWords, &runText] {
        if (!runWords.empty())
            out += '{' + runWords + runText + "}\n";
        runWords.clear();
        runText.clear();
    };
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        const QTextCharFormat f = fragment.charFormat();
        if (f.isImageFormat()) {
            endRun();
            // Adjacent identical pictures share one fragment, one character each.
            for (int i = 0; i < fragment.length(); ++i)
                writePicture(f.toImageFormat());
            continue;
        }
        std::string text;
        appendEscaped(text, fragment.text());
        if (text.empty())
            continue; // nothing RTF can hold; it must not split a run either
        std::string words = charFormatWords(f);
        if (words != runWords)
            endRun();
        runWords = std::move(words);
        runText += text;
    }
    endRun();
    out += '{';
    writeCharFormat(block.charFormat());
    out += "\\par}\n";
}

void Writer::writePicture(const QTextImageFormat &f)
{
    const PictureBytes p = pictureBytes(doc.resource(QTextDocument::ImageResource, QUrl(f.name())));
    if (p.data.isEmpty())
        return;
    double w = p.pixels.width();
    double h = p.pixels.height();
    const bool hasW = f.hasProperty(QTextFormat::ImageWidth) && f.width() > 0;
    const bool hasH = f.hasProperty(QTextFormat::ImageHeight) && f.height() > 0;
    // Qt keeps the aspect ratio when only one side is given; so does the written size.
    if (hasW && hasH) {
        w = f.width();
        h = f.height();
    } else if (hasW) {
        h = f.width() * h / w;
        w = f.width();
    } else if (hasH) {
        w = f.height() * w / h;
        h = f.height();
    }
    out += "{\\pict";
    out += p.blip;
    out += "\\picw" + number(p.pixels.width()) + "\\pich" + number(p.pixels.height());
    const auto goal = [](double pixels) { return std::clamp(twips(pixels), 1, rtf::kMaxPictureTwips); };
    out += "\\picwgoal" + number(goal(w)) + "\\pichgoal" + number(goal(h)) + '\n';
    for (qsizetype i = 0; i < p.data.size(); ++i) {
        const auto b = static_cast<unsigned char>(p.data[i]);
        out += kHex[b >> 4];
        out += kHex[b & 0xF];
        if (i % 64 == 63)
            out += '\n';
    }
    out += "}\n";
}
} // namespace

std::string writeRtf(const QTextDocument &doc)
{
    return Writer(doc).run();
}

} // namespace velmora
