#pragma once
// The control words the reader acts on.
#include <string_view>

namespace velmora::rtf {

enum class Word {
    Unknown,
    // document
    Rtf, Ansi, Mac, Pc, Pca, AnsiCpg, Deff, Uc, U,
    // destinations with a meaning of their own
    FontTable, ColorTable, Pict, ShpPict, NonShpPict, Shp, ShpInst, ShpRslt, ShpTxt, Sn, Sv,
    Upr, Ud, SkippedDestination,
    // character
    Plain, F, Fs, B, I, Ul, UlNone, Strike, Cf, Cb, Highlight, Super, Sub, NoSuperSub, Hidden,
    // paragraph
    Pard, Par, Line, Tab, Ql, Qc, Qr, Qj, Li, Ri, Fi, Sb, Sa, Cell, Row,
    // tables
    FCharset, Cpg, Red, Green, Blue,
    // pictures
    PngBlip, JpegBlip, DiBitmap, WBitmap, Metafile, PicW, PicH, PicWGoal, PicHGoal, PicScaleX,
    PicScaleY, WbmBitsPixel, WbmWidthBytes, Bin, ShpLeft, ShpTop, ShpRight, ShpBottom,
    // characters spelled as words
    Character,
};

struct WordInfo {
    Word word = Word::Unknown;
    char16_t character = 0; // for Word::Character
};

WordInfo lookupWord(std::string_view name);

} // namespace velmora::rtf
