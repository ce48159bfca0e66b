#pragma once
// Which preview property each of the Properties dialog's like controls edits, by the
// control's component name. Used by the dialog's construction and its handlers alone.
#include "calendar/Calpanel32.h"

namespace velmora::calprop {

struct TFontBinding
{
    const char *name;
    const TFontDesc &(TCalendarPanel32::*get)() const;
    void (TCalendarPanel32::*set)(const TFontDesc *);
};

inline constexpr TFontBinding kFontBindings[] = {
    {"TitleFontbutton", &TCalendarPanel32::TitleFont, &TCalendarPanel32::SetTitleFont},
    {"HeaderFontButton", &TCalendarPanel32::HeadersFont, &TCalendarPanel32::SetHeadersFont},
    {"NumberFontButton", &TCalendarPanel32::CellFont, &TCalendarPanel32::SetCellFont},
    {"Minititlefontbutton", &TCalendarPanel32::MiniTitleFont, &TCalendarPanel32::SetMiniTitleFont},
    {"MiniHeaderFontButton", &TCalendarPanel32::MiniHeadersFont,
     &TCalendarPanel32::SetMiniHeadersFont},
    {"MiniCellFontButton", &TCalendarPanel32::MiniCellFont, &TCalendarPanel32::SetMiniCellFont},
};

struct TColorBinding
{
    const char *name;
    TColor (TCalendarPanel32::*get)() const;
    void (TCalendarPanel32::*set)(TColor);
};

inline constexpr TColorBinding kColorBindings[] = {
    {"TitleBGColor", &TCalendarPanel32::TitleBGColor, &TCalendarPanel32::SetTitleBGColor},
    {"HeaderBGColor", &TCalendarPanel32::HeadersBGColor, &TCalendarPanel32::SetHeadersBGColor},
    {"MiniHeadersBGColorButton", &TCalendarPanel32::MiniHeadersBGColor,
     &TCalendarPanel32::SetMiniHeadersBGColor},
    {"MiniCalBGColorButton", &TCalendarPanel32::MiniCalBGColor,
     &TCalendarPanel32::SetMiniCalBGColor},
};

// Lists whose row is the property's value.
struct TRowBinding
{
    const char *name;
    int (TCalendarPanel32::*get)() const;
    void (TCalendarPanel32::*set)(int);
};

inline constexpr TRowBinding kRowBindings[] = {
    {"CalHeaderStyleCombo", &TCalendarPanel32::HeadersStyle, &TCalendarPanel32::SetHeadersStyle},
    {"MiniHeadersStyleCombo", &TCalendarPanel32::MiniHeadersStyle,
     &TCalendarPanel32::SetMiniHeadersStyle},
    {"CalendarLineLayoutCombo", &TCalendarPanel32::CalendarLineLayout,
     &TCalendarPanel32::SetCalendarLineLayout},
    {"MiniCalendarLineLayoutCombo", &TCalendarPanel32::MiniCalendarLineLayout,
     &TCalendarPanel32::SetMiniCalendarLineLayout},
};

struct TCheckBinding
{
    const char *name;
    bool (TCalendarPanel32::*get)() const;
    void (TCalendarPanel32::*set)(bool);
};

inline constexpr TCheckBinding kCheckBindings[] = {
    {"TitleShowYearCheck", &TCalendarPanel32::TitleShowYear, &TCalendarPanel32::SetTitleShowYear},
    {"MiniShowYearCheck", &TCalendarPanel32::MiniShowYear, &TCalendarPanel32::SetMiniShowYear},
};

struct TMarginBinding
{
    const char *name;
    float (TCalendarPanel32::*get)() const;
    void (TCalendarPanel32::*set)(float);
};

// In the order the units switch refills them: left, top, right, bottom.
inline constexpr TMarginBinding kMarginBindings[] = {
    {"LeftMarginInchcombo", &TCalendarPanel32::LeftMarginInch, &TCalendarPanel32::SetLeftMarginInch},
    {"TopMarginInchcombo", &TCalendarPanel32::TopMarginInch, &TCalendarPanel32::SetTopMarginInch},
    {"RightMarginInchcombo", &TCalendarPanel32::RightMarginInch,
     &TCalendarPanel32::SetRightMarginInch},
    {"BottomMarginInchcombo", &TCalendarPanel32::BottomMarginInch,
     &TCalendarPanel32::SetBottomMarginInch},
};

} // namespace velmora::calprop
