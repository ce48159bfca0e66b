#pragma once
// Which preview property each of the Properties dialog's like controls edits, by the
// control's component name. Used by the dialog's construction and its handlers alone.
#include "calendar/Calpanel32.h"

namespace velmora::calprop {

// A getter and a setter as plain functions; the page's members are reached inside them.
#define VELMORA_BIND(get, set)                                                                 \
    [](const TCalendarPanel32 &p) -> decltype(auto) { return p.get(); },                     \
        [](TCalendarPanel32 &p, auto v) { p.set(v); }


struct TFontBinding
{
    const char *name;
    const TFontDesc &(*get)(const TCalendarPanel32 &);
    void (*set)(TCalendarPanel32 &, const TFontDesc *);
};

inline constexpr TFontBinding kFontBindings[] = {
    {"TitleFontbutton", VELMORA_BIND(TitleFont, SetTitleFont)},
    {"HeaderFontButton", VELMORA_BIND(HeadersFont, SetHeadersFont)},
    {"NumberFontButton", VELMORA_BIND(CellFont, SetCellFont)},
    {"Minititlefontbutton", VELMORA_BIND(MiniTitleFont, SetMiniTitleFont)},
    {"MiniHeaderFontButton", VELMORA_BIND(MiniHeadersFont, SetMiniHeadersFont)},
    {"MiniCellFontButton", VELMORA_BIND(MiniCellFont, SetMiniCellFont)},
};

struct TColorBinding
{
    const char *name;
    TColor (*get)(const TCalendarPanel32 &);
    void (*set)(TCalendarPanel32 &, TColor);
};

inline constexpr TColorBinding kColorBindings[] = {
    {"TitleBGColor", VELMORA_BIND(TitleBGColor, SetTitleBGColor)},
    {"HeaderBGColor", VELMORA_BIND(HeadersBGColor, SetHeadersBGColor)},
    {"MiniHeadersBGColorButton", VELMORA_BIND(MiniHeadersBGColor, SetMiniHeadersBGColor)},
    {"MiniCalBGColorButton", VELMORA_BIND(MiniCalBGColor, SetMiniCalBGColor)},
};

// Lists whose row is the property's value.
struct TRowBinding
{
    const char *name;
    int (*get)(const TCalendarPanel32 &);
    void (*set)(TCalendarPanel32 &, int);
};

inline constexpr TRowBinding kRowBindings[] = {
    {"CalHeaderStyleCombo", VELMORA_BIND(HeadersStyle, SetHeadersStyle)},
    {"MiniHeadersStyleCombo", VELMORA_BIND(MiniHeadersStyle, SetMiniHeadersStyle)},
    {"CalendarLineLayoutCombo", VELMORA_BIND(CalendarLineLayout, SetCalendarLineLayout)},
    {"MiniCalendarLineLayoutCombo", VELMORA_BIND(MiniCalendarLineLayout, SetMiniCalendarLineLayout)},
};

struct TCheckBinding
{
    const char *name;
    bool (*get)(const TCalendarPanel32 &);
    void (*set)(TCalendarPanel32 &, bool);
};

inline constexpr TCheckBinding kCheckBindings[] = {
    {"TitleShowYearCheck", VELMORA_BIND(TitleShowYear, SetTitleShowYear)},
    {"MiniShowYearCheck", VELMORA_BIND(MiniShowYear, SetMiniShowYear)},
};

struct TMarginBinding
{
    const char *name;
    float (*get)(const TCalendarPanel32 &);
    void (*set)(TCalendarPanel32 &, float);
};

// In the order the units switch refills them: left, top, right, bottom.
inline constexpr TMarginBinding kMarginBindings[] = {
    {"LeftMarginInchcombo", VELMORA_BIND(LeftMarginInch, SetLeftMarginInch)},
    {"TopMarginInchcombo", VELMORA_BIND(TopMarginInch, SetTopMarginInch)},
    {"RightMarginInchcombo", VELMORA_BIND(RightMarginInch, SetRightMarginInch)},
    {"BottomMarginInchcombo", VELMORA_BIND(BottomMarginInch, SetBottomMarginInch)},
};

} // namespace velmora::calprop
