#include "calendar/gcalflat.h"

#include "calendar/MonthGrid.h"
#include "calendar/NameTables.h"
#include "common/Canvas.h"
#include "common/Cp1252.h"
#include "common/DateValue.h"
#include "common/ReportCanvas.h"
#include "objects/FontStream.h"
#include "objects/ObjectFiler.h"

#include <QDate>
#include <QPainter>
#include <QPicture>

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace velmora {
namespace {

// Pixels per inch of the page, which positions and the picture made for printing use.
constexpr int kPagePpi = 96;

constexpr unsigned kTextFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

constexpr std::array<std::string_view, 5> kBorderNames{"fcbNone", "fcbAll", "fcbTop", "fcbBottom",
                                                       "fcbTopBottom"};
constexpr std::array<std::string_view, 3> kHeaderNames{"fdsFirstChar", "fdsThreeChars", "fdsWhole"};
constexpr std::array<std::string_view, 4> kShadowNames{"fcpLowerRight", "fcpLowerLeft",
                                                       "fcpUpperRight", "fcpUpperLeft"};
constexpr std::array<std::string_view, 5> kLanguageNames{"fclEnglish", "fclGerman", "fclFrench",
                                                         "fclItalian", "fclSpanish"};

int trunc(double v)
{
    return static_cast<int>(v);
}

const TNameTables &namesOf(TFlatCalLanguage language)
{
    // The object's languages are numbered in another order than the page's tables.
    switch (language) {
    case fclGerman: return BuiltInNames(TNameLanguage::German);
    case fclFrench: return BuiltInNames(TNameLanguage::French);
    case fclItalian: return BuiltInNames(TNameLanguage::Italian);
    case fclSpanish: return BuiltInNames(TNameLanguage::Spanish);
    default: return BuiltInNames(TNameLanguage::English);
    }
}

TFontDesc arial(int points)
{
    return TFontDesc::make("Arial", points, 0, clWindowText);
}

int zoomedPoints(const TFontDesc &f, double zoom)
{
    return trunc(f.size() * zoom);
}

void selectZoomed(TCanvas &canvas, const TFontDesc &f, double zoom)
{
    canvas.selectFont(f.name, zoomedPoints(f, zoom), f.style, f.color);
}

template <class E, size_t N>
void writeEnum(TWriter &w, std::string_view property, const std::array<std::string_view, N> &names,
               E value)
{
    w.writePropertyName(property);
    if (value >= 0 && size_t(value) < N)
        w.writeIdent(names[size_t(value)]);
    else
        w.writeInteger(value);
}

// The pitch follows from the face on this system and is read only to pass over it; a
// character set is passed over likewise.
bool readFontPart(std::string_view sub, TReader &r, TFontDesc &f)
{
    if (SameIdent(sub, "Charset")) {
        r.readInteger();
        return true;
    }
    return ReadFontPart(sub, r, f, nullptr);
}

} // namespace

TFlatShadowSplit FlatShadowSplit(int w, int h, int depth, TFlatShadowPosition position,
                                 bool transparent, double zoom)
{
    TFlatShadowSplit s;
    s.calendar = {0, 0, w, h};
    if (depth < 1 || transparent) return s;
    const int a = trunc(depth * zoom);
    s.hasShadow = true;
    switch (position) {
    case fcpLowerLeft:
        s.calendar = {a, 0, w, h - a};
        s.shadow = {0, a, w - a, h};
        break;
    case fcpUpperRight:
        s.calendar = {0, a, w - a, h};
        s.shadow = {a, 0, w, h - a};
        break;
    case fcpUpperLeft:
        s.calendar = {a, a, w, h};
        s.shadow = {0, 0, w - a, h - a};
        break;
    default: // fcpLowerRight, and any value a document may hold beyond the four
        s.calendar = {0, 0, w - a, h - a};
        s.shadow = {a, a, w, h};
        break;
    }
    return s;
}

TFlatCalLayout FlatCalendarLayout(const TRect &area, int titleTextHeight, int nameFontPixels,
                                  int month, int year, int startOfWeek,
                                  TFlatCalBorderStyle cellBorder)
{
    TFlatCalLayout l;
    const int L = area.left;
    const int T = area.top;
    const int Rp = area.right - 1;
    const int Bp = area.bottom - 1;

    int titleBottom = T + trunc((Bp - T) * 0.17);
    if (titleBottom - T < titleTextHeight) titleBottom = T + titleTextHeight;
    l.title = {L, T, Rp, titleBottom};

    const int cw = (Rp - L) / 7;
    l.columnWidth = cw;
    const int bandTop = titleBottom;
    const int bandBottom = bandTop + trunc(1.5 * std::abs(nameFontPixels));
    l.band = {L, bandTop, Rp, bandBottom};
    for (int c = 0; c < 7; ++c) {
        l.nameCells.at(size_t(c)) = {L + c * cw + 1, bandTop, L + c * cw + cw - 1, bandBottom};
        l.nameDay.at(size_t(c)) = startOfWeek == 2 ? (c < 6 ? c + 2 : 1) : c + 1;
    }

    const int G = bandBottom;
    const int rh = (Bp - G) / 6;
    l.gridTop = G;
    l.rowHeight = rh;
    int firstLine = 0;
    int lastLine = -1;
    switch (cellBorder) {
    case fcbAll:
    case fcbTopBottom: lastLine = 6; break;
    case fcbTop: lastLine = 5; break;
    case fcbBottom:
        firstLine = 1;
        lastLine = 6;
        break;
    default: break;
    }
    for (int i = firstLine; i <= lastLine; ++i) l.horizontalLines.push_back(i == 6 ? Bp : G + rh * i);
    if (cellBorder == fcbAll)
        for (int j = 0; j <= 7; ++j) l.verticalLines.push_back(j == 7 ? Rp : L + cw * j);

    const int s = DayOfWeek(EncodeDate(year, month, 1));
    const int p = startOfWeek == 2 ? (s == 1 ? 7 : s - 1) : s;
    const int days = DaysInMonth(year, month);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 7; ++c) {
            const int n = 7 * r + c + 2 - p;
            if (n < 1 || n > days) continue;
            l.numbers.push_back({n, r, c,
                                 {L + c * cw + 1, G + r * rh + 1, L + c * cw + cw - 1,
                                  G + r * rh + rh}});
        }
    return l;
}

void DrawFlatBorder(TCanvas &canvas, const TRect &r, TFlatCalBorderStyle style)
{
    const bool top = style == fcbTop || style == fcbTopBottom;
    const bool bottom = style == fcbBottom || style == fcbTopBottom;
    if (style == fcbAll) {
        canvas.moveTo(r.left, r.top);
        canvas.lineTo(r.right, r.top);
        canvas.lineTo(r.right, r.bottom);
        canvas.lineTo(r.left, r.bottom);
        canvas.lineTo(r.left, r.top);
        return;
    }
    if (top) {
        canvas.moveTo(r.left, r.top);
        canvas.lineTo(r.right, r.top);
    }
    if (bottom) {
        canvas.moveTo(r.left, r.bottom);
        canvas.lineTo(r.right, r.bottom);
    }
}

TGFlatCalendar::TGFlatCalendar()
    : titleFont_(arial(8)), dayNameFont_(arial(8)), cellFont_(arial(7))
{
    const QDate today = QDate::currentDate();
    month_ = today.month();
    year_ = today.year();
}

void TGFlatCalendar::changed()
{
    Invalidate();
}

void TGFlatCalendar::fontChanged()
{
    Invalidate();
    if (!Reading()) NotifyChanged();
}

void TGFlatCalendar::SetStartOfWeek(int v)
{
    if ((v != 1 && v != 2) || v == startOfWeek_) return;
    startOfWeek_ = TFCDayOfWeek(v);
    changed();
}

#define VELMORA_FLAT_SETTER(Setter, field, Type)                                                 \
    void TGFlatCalendar::Setter(Type v)                                                          \
    {                                                                                            \
        if (field == v) return;                                                                  \
        field = v;                                                                               \
        changed();                                                                               \
    }
VELMORA_FLAT_SETTER(SetMonth, month_, int32_t)
VELMORA_FLAT_SETTER(SetYear, year_, int32_t)
VELMORA_FLAT_SETTER(SetShowYear, showYear_, bool)
VELMORA_FLAT_SETTER(SetDayNameBGColor, dayNameBG_, TColor)
VELMORA_FLAT_SETTER(SetCalendarBorderStyle, calendarBorder_, TFlatCalBorderStyle)
VELMORA_FLAT_SETTER(SetDayNameBorderStyle, dayNameBorder_, TFlatCalBorderStyle)
VELMORA_FLAT_SETTER(SetCellBorderStyle, cellBorder_, TFlatCalBorderStyle)
VELMORA_FLAT_SETTER(SetDayNameStyle, dayNameStyle_, TFlatCalHeadersStyle)
VELMORA_FLAT_SETTER(SetTitleBGcolor, titleBG_, TColor)
VELMORA_FLAT_SETTER(SetBackgroundcolor, background_, TColor)
VELMORA_FLAT_SETTER(SetShadowColor, shadowColor_, TColor)
VELMORA_FLAT_SETTER(SetShadowPosition, shadowPosition_, TFlatShadowPosition)
VELMORA_FLAT_SETTER(SetLanguage, language_, TFlatCalLanguage)
VELMORA_FLAT_SETTER(SetCalTransparent, transparent_, bool)
#undef VELMORA_FLAT_SETTER

void TGFlatCalendar::SetShadowDepth(int32_t v)
{
    if (v > 10 || v == shadowDepth_) return;
    shadowDepth_ = v;
    changed();
}

void TGFlatCalendar::SetTitleFont(const TFontDesc &f)
{
    if (f == titleFont_) return;
    titleFont_ = f;
    fontChanged();
}

void TGFlatCalendar::SetDayNameFont(const TFontDesc &f)
{
    if (f == dayNameFont_) return;
    dayNameFont_ = f;
    fontChanged();
}

void TGFlatCalendar::SetCellFont(const TFontDesc &f)
{
    if (f == cellFont_) return;
    cellFont_ = f;
    fontChanged();
}

int TGFlatCalendar::clampedMonth() const
{
    return std::clamp(month_, 1, 12);
}

std::string TGFlatCalendar::TitleText() const
{
    std::string title = MonthNameAt(namesOf(language_), clampedMonth());
    if (showYear_) title += " " + std::to_string(year_);
    return title;
}

std::string TGFlatCalendar::DayNameText(int column) const
{
    const int day = startOfWeek_ == 2 ? (column < 6 ? column + 2 : 1) : column + 1;
    const auto style = dayNameStyle_ == fdsFirstChar    ? dsFirstChar
                       : dayNameStyle_ == fdsThreeChars ? dsThreeChars
                                                        : dsWhole;
    return CutName(DayNameAt(namesOf(language_), day), style);
}

void TGFlatCalendar::AssignProperties(const TGFlatCalendar &s)
{
    SetMonth(s.month_);
    SetYear(s.year_);
    SetTitleFont(s.titleFont_);
    SetDayNameFont(s.dayNameFont_);
    SetCellFont(s.cellFont_);
    SetDayNameBGColor(s.dayNameBG_);
    SetTitleBGcolor(s.titleBG_);
    SetBackgroundcolor(s.background_);
    SetCalendarBorderStyle(s.calendarBorder_);
    SetDayNameBorderStyle(s.dayNameBorder_);
    SetCellBorderStyle(s.cellBorder_);
    SetShadowColor(s.shadowColor_);
    SetShadowDepth(s.shadowDepth_);
    SetShadowPosition(s.shadowPosition_);
    SetDayNameStyle(s.dayNameStyle_);
    SetShowYear(s.showYear_);
    SetLanguage(s.language_);
    SetStartOfWeek(s.startOfWeek_);
    SetCalTransparent(s.transparent_);
}

void TGFlatCalendar::Loaded()
{
    TGGraphicControl::Loaded();
    TObjectMenu &m = PopupMenu();
    m.addSeparator();
    m.add("Properties", QStringLiteral("Properties"), [this] { EditProperties(); });
}

void TGFlatCalendar::Paint(TCanvas &canvas)
{
    // The selection frame draws the handles of selected objects; this draws only itself.
    const TRect r = ScreenRect();
    QPainter &p = canvas.painter();
    p.save();
    p.translate(r.left, r.top);
    DrawObject(canvas, r.width(), r.height(), ZoomFactor());
    p.restore();
}

void TGFlatCalendar::DrawObject(TCanvas &canvas, int w, int h, double zoom) const
{
    const TFlatShadowSplit split = FlatShadowSplit(w, h, shadowDepth_, shadowPosition_,
                                                   transparent_, zoom);
    if (split.hasShadow) {
        canvas.setPen(shadowColor_);
        canvas.setBrushSolid(shadowColor_);
        const TRect &s = split.shadow;
        canvas.rectangle({s.left, s.top, s.right + 1, s.bottom + 1});
    }

    const TRect &area = split.calendar;
    const int L = area.left;
    const int T = area.top;
    const int Rp = area.right - 1;
    const int Bp = area.bottom - 1;
    if (!transparent_) {
        canvas.setBrushSolid(clWhite);
        canvas.fillRect(area);
    }
    canvas.setPen(clBlack);

    // A year the calendar cannot hold is drawn as its nearest; the stored values stay.
    const int month = clampedMonth();
    const int year = std::clamp(year_, 1, 9999);
    selectZoomed(canvas, titleFont_, zoom);
    const int titleMin = canvas.textHeight(QStringLiteral("Wy"));
    const int namePixels = MulDiv(zoomedPoints(dayNameFont_, zoom), canvas.dpi(), 72);
    const TFlatCalLayout l = FlatCalendarLayout(area, titleMin, namePixels, month, year,
                                                startOfWeek_, cellBorder_);
    if (!transparent_) {
        canvas.setBrushSolid(titleBG_);
        canvas.fillRect({L, T, Rp + 1, l.title.bottom});
    }
    canvas.drawText(l.title, QString::fromStdString(TitleText()), kTextFlags);

    selectZoomed(canvas, dayNameFont_, zoom);
    if (!transparent_) {
        canvas.setBrushSolid(dayNameBG_);
        canvas.fillRect({L, l.band.top, Rp, l.band.bottom + 1});
        canvas.setBrushSolid(background_);
        canvas.fillRect({L, l.band.bottom, area.right, area.bottom});
    }
    DrawFlatBorder(canvas, l.band, dayNameBorder_);
    for (int c = 0; c < 7; ++c)
        canvas.drawText(l.nameCells.at(size_t(c)), QString::fromStdString(DayNameText(c)),
                        kTextFlags);

    selectZoomed(canvas, cellFont_, zoom);
    for (const int y : l.horizontalLines) {
        canvas.moveTo(L, y);
        canvas.lineTo(Rp, y);
    }
    for (const int x : l.verticalLines) {
        canvas.moveTo(x, l.gridTop);
        canvas.lineTo(x, Bp);
    }
    for (const TFlatCalLayout::Number &n : l.numbers)
        canvas.drawText(n.rect, QString::number(n.day), kTextFlags);

    DrawFlatBorder(canvas, {L, T, Rp, Bp}, calendarBorder_);
}

std::unique_ptr<QPicture> TGFlatCalendar::MakeCalendarMetafile() const
{
    auto picture = std::make_unique<QPicture>();
    const TRect r = ScreenRect();
    {
        QPainter p(picture.get());
        TCanvas canvas(p, kPagePpi);
        DrawObject(canvas, r.width(), r.height(), ZoomFactor());
    }
    // The picture's frame is the object, whatever the drawing left blank at its edges.
    picture->setBoundingRect(QRect(0, 0, r.width(), r.height()));
    return picture;
}

void TGFlatCalendar::PrintObject(TReportCanvas &report, double xOffset, double yOffset)
{
    const TRect r = ScreenRect();
    if (r.width() <= 0 || r.height() <= 0) return;
    const TRect target =
        report.inchRect(double(Left()) / kPagePpi + xOffset, double(Top()) / kPagePpi + yOffset,
                        double(Left() + r.width()) / kPagePpi + xOffset,
                        double(Top() + r.height()) / kPagePpi + yOffset);
    const std::unique_ptr<QPicture> picture = MakeCalendarMetafile();
    QPainter &p = report.painter();
    p.save();
    p.translate(target.left, target.top);
    // Playing a picture scales it by the device's resolution against the picture's own;
    // the stretch into the target already accounts for that.
    const double dx = double(picture->logicalDpiX()) / p.device()->logicalDpiX();
    const double dy = double(picture->logicalDpiY()) / p.device()->logicalDpiY();
    p.scale(dx * target.width() / r.width(), dy * target.height() / r.height());
    p.drawPicture(0, 0, *picture);
    p.restore();
}

TFlatCalendarEditorRunner &FlatCalendarEditor()
{
    static TFlatCalendarEditorRunner runner;
    return runner;
}

void TGFlatCalendar::EditProperties()
{
    TFlatCalendarEditorRunner &run = FlatCalendarEditor();
    if (!run) return;
    TGFlatCalendar preview;
    preview.AssignProperties(*this);
    const TRect r = ScreenRect();
    const double zoom = ZoomFactor();
    preview.SetBounds(0, 0, trunc(r.width() / zoom), trunc(r.height() / zoom));
    if (!run(preview)) return;
    AssignProperties(preview);
    Invalidate();
    NotifyChanged();
}

bool TGFlatCalendar::readProperty(const std::string &name, TReader &r)
{
    if (TGGraphicControl::readProperty(name, r)) return true;
    const std::string_view n(name);
    const size_t dot = n.find('.');
    if (dot != std::string_view::npos) {
        const std::string_view owner = n.substr(0, dot);
        TFontDesc *font = SameIdent(owner, "TitleFont")     ? &titleFont_
                          : SameIdent(owner, "DayNameFont") ? &dayNameFont_
                          : SameIdent(owner, "CellFont")    ? &cellFont_
                                                           : nullptr;
        return font != nullptr && readFontPart(n.substr(dot + 1), r, *font);
    }
    if (SameIdent(n, "StartOfWeek"))
        SetStartOfWeek(r.readInteger());
    else if (SameIdent(n, "Month"))
        SetMonth(r.readInteger());
    else if (SameIdent(n, "Year"))
        SetYear(r.readInteger());
    else if (SameIdent(n, "ShowYear"))
        SetShowYear(r.readBoolean());
    else if (SameIdent(n, "DayNameBGColor"))
        SetDayNameBGColor(r.readColor());
    else if (SameIdent(n, "CalendarBorderStyle"))
        SetCalendarBorderStyle(TFlatCalBorderStyle(r.readEnum(kBorderNames)));
    else if (SameIdent(n, "DayNameBorderStyle"))
        SetDayNameBorderStyle(TFlatCalBorderStyle(r.readEnum(kBorderNames)));
    else if (SameIdent(n, "CellBorderStyle"))
        SetCellBorderStyle(TFlatCalBorderStyle(r.readEnum(kBorderNames)));
    else if (SameIdent(n, "DayNameStyle"))
        SetDayNameStyle(TFlatCalHeadersStyle(r.readEnum(kHeaderNames)));
    else if (SameIdent(n, "TitleBGcolor"))
        SetTitleBGcolor(r.readColor());
    else if (SameIdent(n, "Backgroundcolor"))
        SetBackgroundcolor(r.readColor());
    else if (SameIdent(n, "ShadowColor"))
        SetShadowColor(r.readColor());
    else if (SameIdent(n, "ShadowDepth"))
        SetShadowDepth(r.readInteger());
    else if (SameIdent(n, "ShadowPosition"))
        SetShadowPosition(TFlatShadowPosition(r.readEnum(kShadowNames)));
    else if (SameIdent(n, "Language"))
        SetLanguage(TFlatCalLanguage(r.readEnum(kLanguageNames)));
    else if (SameIdent(n, "CalTransparent"))
        SetCalTransparent(r.readBoolean());
    else
        return false;
    return true;
}

void TGFlatCalendar::writeProperties(TWriter &w) const
{
    TGGraphicControl::writeProperties(w);
    w.writePropertyName("StartOfWeek");
    w.writeInteger(startOfWeek_);
    w.writePropertyName("Month");
    w.writeInteger(month_);
    w.writePropertyName("Year");
    w.writeInteger(year_);
    WriteFontProperties(w, "TitleFont", titleFont_);
    WriteFontProperties(w, "DayNameFont", dayNameFont_);
    WriteFontProperties(w, "CellFont", cellFont_);
    w.writePropertyName("ShowYear");
    w.writeBoolean(showYear_);
    w.writePropertyName("DayNameBGColor");
    w.writeColor(dayNameBG_);
    writeEnum(w, "CalendarBorderStyle", kBorderNames, calendarBorder_);
    writeEnum(w, "DayNameBorderStyle", kBorderNames, dayNameBorder_);
    writeEnum(w, "CellBorderStyle", kBorderNames, cellBorder_);
    writeEnum(w, "DayNameStyle", kHeaderNames, dayNameStyle_);
    w.writePropertyName("TitleBGcolor");
    w.writeColor(titleBG_);
    w.writePropertyName("Backgroundcolor");
    w.writeColor(background_);
    w.writePropertyName("ShadowColor");
    w.writeColor(shadowColor_);
    w.writePropertyName("ShadowDepth");
    w.writeInteger(shadowDepth_);
    writeEnum(w, "ShadowPosition", kShadowNames, shadowPosition_);
    writeEnum(w, "Language", kLanguageNames, language_);
    w.writePropertyName("CalTransparent");
    w.writeBoolean(transparent_);
}

void RegisterFlatCalendar()
{
    RegisterDesignObject<TGFlatCalendar>(TGFlatCalendar::kClassName);
}

} // namespace velmora
