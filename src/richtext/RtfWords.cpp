#include "richtext/RtfWords.h"

#include <unordered_map>

namespace velmora::rtf {

namespace {
using Table = std::unordered_map<std::string_view, WordInfo>;

void addSkipped(Table &t)
{
    // Destinations whose text is not part of the body. Most arrive behind \* and would be
    // skipped anyway; these are also skipped when a producer leaves the \* out.
    static constexpr std::string_view names[] = {
        "info", "stylesheet", "header", "headerl", "headerr", "headerf", "footer", "footerl",
        "footerr", "footerf", "footnote", "annotation", "atnid", "atnauthor", "atndate",
        "atnref", "fldinst", "listtext", "pntext", "pntxta", "pntxtb", "pn", "xmlnstbl",
        "xmlnsd", "themedata", "colorschememapping", "latentstyles", "datastore",
        "generator", "listtable", "listoverridetable", "revtbl", "rsidtbl", "filetbl",
        "pgdsctbl", "mmathPr", "template", "userprops", "docvar", "bkmkstart", "bkmkend",
        "objdata", "objclass", "objname", "txe", "xe", "tc", "rxe", "comment", "title",
        "subject", "author", "operator", "keywords", "doccomm", "company", "manager",
        "category", "hlinkbase", "private", "fchars", "lchars", "ftnsep", "ftnsepc",
        "aftnsep", "aftnsepc", "ftncn", "aftncn", "do", "falt", "panose", "blipuid",
        "picprop", "protusertbl", "wgrffmtfilter", "passwordhash", "formfield", "pgptbl",
        "expandedcolortbl", "listpicture", "nesttableprops", "nonesttables",
    };
    for (auto n : names)
        t.emplace(n, WordInfo{Word::SkippedDestination});
}

void addCharacters(Table &t)
{
    static constexpr std::pair<std::string_view, char16_t> chars[] = {
        {"emdash", 0x2014},   {"endash", 0x2013},    {"emspace", 0x2003}, {"enspace", 0x2002},
        {"qmspace", 0x2005},  {"bullet", 0x2022},    {"lquote", 0x2018},  {"rquote", 0x2019},
        {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"zwj", 0x200D},     {"zwnj", 0x200C},
        {"zwbo", 0x200B},     {"ltrmark", 0x200E},   {"rtlmark", 0x200F},
    };
    for (const auto &[n, c] : chars)
        t.emplace(n, WordInfo{Word::Character, c});
}

void addUnderlines(Table &t)
{
    static constexpr std::string_view names[] = {
        "ul", "uld", "uldb", "ulw", "ulwave", "uldash", "uldashd", "uldashdd", "ulth",
        "ulhwave", "ululdbwave", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulldash",
        "ulthldash",
    };
    for (auto n : names)
        t.emplace(n, WordInfo{Word::Ul});
}

Table makeTable()
{
    Table t{
        {"rtf", {Word::Rtf}}, {"ansi", {Word::Ansi}}, {"mac", {Word::Mac}}, {"pc", {Word::Pc}},
        {"pca", {Word::Pca}}, {"ansicpg", {Word::AnsiCpg}}, {"deff", {Word::Deff}},
        {"uc", {Word::Uc}}, {"u", {Word::U}}, {"fonttbl", {Word::FontTable}},
        {"colortbl", {Word::ColorTable}}, {"pict", {Word::Pict}}, {"shppict", {Word::ShpPict}},
        {"nonshppict", {Word::NonShpPict}}, {"shp", {Word::Shp}}, {"shpinst", {Word::ShpInst}},
        {"shprslt", {Word::ShpRslt}}, {"shptxt", {Word::ShpTxt}}, {"sn", {Word::Sn}},
        {"sv", {Word::Sv}}, {"upr", {Word::Upr}}, {"ud", {Word::Ud}},
        {"plain", {Word::Plain}}, {"f", {Word::F}}, {"fs", {Word::Fs}}, {"b", {Word::B}},
        {"i", {Word::I}}, {"ulnone", {Word::UlNone}}, {"strike", {Word::Strike}},
        {"striked", {Word::Strike}}, {"cf", {Word::Cf}}, {"cb", {Word::Cb}},
        {"chcbpat", {Word::Cb}}, {"highlight", {Word::Highlight}}, {"super", {Word::Super}},
        {"sub", {Word::Sub}}, {"nosupersub", {Word::NoSuperSub}}, {"v", {Word::Hidden}},
        {"pard", {Word::Pard}}, {"par", {Word::Par}}, {"line", {Word::Line}},
        {"tab", {Word::Tab}}, {"ql", {Word::Ql}}, {"qc", {Word::Qc}}, {"qr", {Word::Qr}},
        {"qj", {Word::Qj}}, {"qd", {Word::Qj}}, {"li", {Word::Li}}, {"ri", {Word::Ri}},
        {"fi", {Word::Fi}}, {"sb", {Word::Sb}}, {"sa", {Word::Sa}}, {"cell", {Word::Cell}},
        {"nestcell", {Word::Cell}}, {"row", {Word::Row}}, {"fcharset", {Word::FCharset}},
        {"cpg", {Word::Cpg}}, {"red", {Word::Red}}, {"green", {Word::Green}},
        {"blue", {Word::Blue}}, {"pngblip", {Word::PngBlip}}, {"jpegblip", {Word::JpegBlip}},
        {"dibitmap", {Word::DiBitmap}}, {"wbitmap", {Word::WBitmap}},
        {"wmetafile", {Word::Metafile}}, {"emfblip", {Word::Metafile}},
        {"macpict", {Word::Metafile}}, {"pmmetafile", {Word::Metafile}},
        {"picw", {Word::PicW}}, {"pich", {Word::PicH}}, {"picwgoal", {Word::PicWGoal}},
        {"pichgoal", {Word::PicHGoal}}, {"picscalex", {Word::PicScaleX}},
        {"picscaley", {Word::PicScaleY}}, {"wbmbitspixel", {Word::WbmBitsPixel}},
        {"wbmwidthbytes", {Word::WbmWidthBytes}}, {"bin", {Word::Bin}},
        {"shpleft", {Word::ShpLeft}}, {"shptop", {Word::ShpTop}},
        {"shpright", {Word::ShpRight}}, {"shpbottom", {Word::ShpBottom}},
    };
    addSkipped(t);
    addCharacters(t);
    addUnderlines(t);
    return t;
}
} // namespace

WordInfo lookupWord(std::string_view name)
{
    static const Table table = makeTable();
    const auto it = table.find(name);
    return it == table.end() ? WordInfo{} : it->second;
}

} // namespace velmora::rtf
