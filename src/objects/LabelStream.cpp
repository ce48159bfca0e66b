// The text label's stored properties: after the common ones, in this order, each left out
// while it holds its default.
#include "common/Cp1252.h"
#include "objects/FontStream.h"
#include "objects/Gpbasel.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace velmora {
namespace {

constexpr std::array<std::string_view, 3> kAlignmentNames{"taLeftJustify", "taRightJustify",
                                                          "taCenter"};
constexpr std::array<std::string_view, 6> kHighlightNames{"hdNone",   "hdright",  "hdLeft",
                                                          "hdUpRight", "hdUpLeft", "hdUp"};
constexpr std::array<std::string_view, 6> kShadowNames{"sdNone",      "sdRight",    "sdLeft",
                                                       "sdDownRight", "sdDownLeft", "sdDown"};
constexpr std::array<std::string_view, 6> kBorderNames{"bsNone",   "bsSingle",     "bsSizeable",
                                                       "bsDialog", "bsToolWindow", "bsSizeToolWin"};

template <size_t N>
void writeEnum(TWriter &w, std::string_view property, const std::array<std::string_view, N> &names,
               int value)
{
    w.writePropertyName(property);
    if (value >= 0 && size_t(value) < N)
        w.writeIdent(names[size_t(value)]);
    else
        w.writeInteger(value);
}

} // namespace

bool TGBaseLabel::readProperty(const std::string &name, TReader &r)
{
    if (!propertiesRead_) {
        // An empty caption is not stored: a label read from a document starts without the
        // caption a new one gets, or text the user cleared would come back as "Text".
        propertiesRead_ = true;
        SetCaption({});
    }
    if (TGGraphicControl::readProperty(name, r)) return true;
    if (SameIdent(name, "Alignment"))
        SetAlignment(TAlignment(r.readEnum(kAlignmentNames)));
    else if (SameIdent(name, "DepthHighlight"))
        SetDepthHighlight(r.readInteger());
    else if (SameIdent(name, "DepthShadow"))
        SetDepthShadow(r.readInteger());
    else if (SameIdent(name, "DirectionHighlight"))
        SetDirectionHighlight(THighlightDirection(r.readEnum(kHighlightNames)));
    else if (SameIdent(name, "DirectionShadow"))
        SetDirectionShadow(TShadowDirection(r.readEnum(kShadowNames)));
    else if (SameIdent(name, "colorHighlight"))
        SetColorHighlight(r.readColor());
    else if (SameIdent(name, "colorShadow"))
        SetColorShadow(r.readColor());
    else if (SameIdent(name, "Angle"))
        SetAngle(r.readInteger());
    else if (SameIdent(name, "Caption"))
        SetCaption(Cp1252ToUtf8(r.readString()));
    else if (SameIdent(name, "Transparent"))
        SetTransparent(r.readBoolean());
    else if (SameIdent(name, "BackColor"))
        SetBackColor(r.readColor());
    else if (SameIdent(name, "BorderStyle"))
        SetBorderStyle(TBorderStyle(r.readEnum(kBorderNames)));
    else
        return readFontProperty(name, r);
    return true;
}

bool TGBaseLabel::readFontProperty(const std::string &name, TReader &r)
{
    constexpr std::string_view prefix = "Font.";
    if (name.size() <= prefix.size() || !SameIdent(std::string_view(name).substr(0, prefix.size()), prefix))
        return false;
    TFontDesc f = Font();
    if (!ReadFontPart(std::string_view(name).substr(prefix.size()), r, f, &fontPitch_))
        return false;
    SetFont(f);
    return true;
}

void TGBaseLabel::writeProperties(TWriter &w) const
{
    TGGraphicControl::writeProperties(w);
    if (alignment_ != taLeftJustify) writeEnum(w, "Alignment", kAlignmentNames, alignment_);
    if (depthHighlight_ != 0) {
        w.writePropertyName("DepthHighlight");
        w.writeInteger(depthHighlight_);
    }
    if (depthShadow_ != 0) {
        w.writePropertyName("DepthShadow");
        w.writeInteger(depthShadow_);
    }
    if (directionHighlight_ != hdUpLeft)
        writeEnum(w, "DirectionHighlight", kHighlightNames, directionHighlight_);
    if (directionShadow_ != sdDownRight)
        writeEnum(w, "DirectionShadow", kShadowNames, directionShadow_);
    if (colorHighlight_ != clAqua) {
        w.writePropertyName("colorHighlight");
        w.writeColor(colorHighlight_);
    }
    if (colorShadow_ != clGray) {
        w.writePropertyName("colorShadow");
        w.writeColor(colorShadow_);
    }
    if (angle_ != 0) {
        w.writePropertyName("Angle");
        w.writeInteger(angle_);
    }
    if (!Caption().empty()) {
        w.writePropertyName("Caption");
        w.writeString(Utf8ToCp1252(Caption()));
    }
    writeFont(w);
    w.writePropertyName("Transparent");
    w.writeBoolean(transparent_);
    w.writePropertyName("BackColor");
    w.writeColor(backColor_);
    writeEnum(w, "BorderStyle", kBorderNames, borderStyle_);
}

void TGBaseLabel::writeFont(TWriter &w) const
{
    WriteFontProperties(w, "Font", Font(), fontPitch_);
}

} // namespace velmora
