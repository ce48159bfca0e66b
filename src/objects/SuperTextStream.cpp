// SuperText's stored properties: after the common ones, in this order.
#include "common/Cp1252.h"
#include "objects/FontStream.h"
#include "objects/gsstext.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace velmora {
namespace {

constexpr std::array<std::string_view, 6> kShadowNames{"sdNone",      "sdRight",    "sdLeft",
                                                       "sdDownRight", "sdDownLeft", "sdDown"};
constexpr std::array<std::string_view, 2> kBorderNames{"bsNone", "bsSingle"};
constexpr std::array<std::string_view, 4> kDirectionNames{"gdUp", "gdDown", "gdLeft", "gdRight"};
constexpr std::array<std::string_view, 7> kPenNames{"psSolid",      "psDash",  "psDot",
                                                    "psDashDot",    "psDashDotDot", "psClear",
                                                    "psInsideFrame"};
constexpr std::array<std::string_view, 4> kSurfaceNames{"stNormal", "stBrushTransparent",
                                                        "stBrushImage", "stGradientFill"};

template <size_t N>
void writeEnum(TWriter &w, std::string_view property, const std::array<std::string_view, N> &names,
               int value)
{
    w.writePropertyName(property);
    w.writeIdent(names[size_t(std::clamp(value, 0, int(N) - 1))]);
}

void writeColor(TWriter &w, std::string_view property, TColor c)
{
    w.writePropertyName(property);
    w.writeColor(c);
}

void writeInt(TWriter &w, std::string_view property, int v)
{
    w.writePropertyName(property);
    w.writeInteger(v);
}

// A bitmap property holds the BMP file after its own 32-bit length.
TPicture readBitmapData(const TBytes &data)
{
    if (data.size() < 4) return {};
    uint32_t size = 0;
    std::memcpy(&size, data.data(), 4);
    size = qFromLittleEndian(size);
    if (size == 0 || size > data.size() - 4) return {};
    const QByteArray bmp(reinterpret_cast<const char *>(data.data()) + 4, qsizetype(size));
    // A texture that does not decode is dropped rather than losing the whole object.
    return TPicture::fromBmpFile(bmp);
}

} // namespace

bool TGSuperText::readProperty(const std::string &name, TReader &r)
{
    if (!propertiesRead_) {
        // An empty caption is not stored, so a read object starts without the new one's.
        propertiesRead_ = true;
        SetCaption({});
    }
    if (TGGraphicControl::readProperty(name, r)) return true;
    if (SameIdent(name, "ShadowDepth"))
        SetShadowDepth(r.readInteger());
    else if (SameIdent(name, "ShadowOrientation"))
        SetShadowOrientation(TShadowDirection(r.readEnum(kShadowNames)));
    else if (SameIdent(name, "Shadowcolor"))
        SetShadowcolor(r.readColor());
    else if (SameIdent(name, "BorderStyle"))
        SetBorderStyle(TBorderStyle(r.readEnum(kBorderNames)));
    else if (SameIdent(name, "ControlTransparent"))
        SetControlTransparent(r.readBoolean());
    else if (SameIdent(name, "BGColor"))
        SetBGColor(r.readColor());
    else if (SameIdent(name, "Caption"))
        SetCaption(Cp1252ToUtf8(r.readString()));
    else if (SameIdent(name, "FillDirection"))
        SetFillDirection(TFillDirection(r.readEnum(kDirectionNames)));
    else if (SameIdent(name, "GradientToColor"))
        SetGradientToColor(r.readColor());
    else if (SameIdent(name, "GradientFromColor"))
        SetGradientFromColor(r.readColor());
    else if (SameIdent(name, "Image.Data"))
        texture_ = readBitmapData(r.readBinary());
    else if (SameIdent(name, "OutlineColor"))
        SetOutlineColor(r.readColor());
    else if (SameIdent(name, "OutlineStyle"))
        SetOutlineStyle(TOutlineStyle(r.readEnum(kPenNames)));
    else if (SameIdent(name, "OutlineWidth"))
        SetOutlineWidth(r.readInteger());
    else if (SameIdent(name, "SurfaceType"))
        surfaceType_ = TSurfaceType(r.readEnum(kSurfaceNames)); // kept as stored, texture too
    else if (SameIdent(name, "LastBitmapFileNameandPath"))
        lastBitmapPath_ = Cp1252ToUtf8(r.readString());
    else {
        constexpr std::string_view prefix = "Font.";
        TFontDesc f = Font();
        if (name.size() <= prefix.size() ||
            !SameIdent(std::string_view(name).substr(0, prefix.size()), prefix) ||
            !ReadFontPart(std::string_view(name).substr(prefix.size()), r, f, &fontPitch_))
            return false;
        SetFont(f);
    }
    layoutDirty_ = true;
    return true;
}

void TGSuperText::writeProperties(TWriter &w) const
{
    TGGraphicControl::writeProperties(w);
    if (shadowDepth_ != 0) writeInt(w, "ShadowDepth", shadowDepth_);
    if (shadowOrientation_ != sdDownRight)
        writeEnum(w, "ShadowOrientation", kShadowNames, shadowOrientation_);
    if (shadowColor_ != clGray) writeColor(w, "Shadowcolor", shadowColor_);
    writeEnum(w, "BorderStyle", kBorderNames, borderStyle_);
    w.writePropertyName("ControlTransparent");
    w.writeBoolean(controlTransparent_);
    writeColor(w, "BGColor", bgColor_);
    if (!Caption().empty()) {
        w.writePropertyName("Caption");
        w.writeString(Utf8ToCp1252(Caption()));
    }
    WriteFontProperties(w, "Font", Font(), fontPitch_);
    writeEnum(w, "FillDirection", kDirectionNames, fillDirection_);
    writeColor(w, "GradientToColor", gradientTo_);
    writeColor(w, "GradientFromColor", gradientFrom_);
    if (!texture_.isEmpty()) {
        const QByteArray &bmp = texture_.bytes();
        std::string data(4, '\0');
        const uint32_t size = qToLittleEndian(uint32_t(bmp.size()));
        std::memcpy(data.data(), &size, 4);
        data.append(bmp.constData(), size_t(bmp.size()));
        w.writePropertyName("Image.Data");
        w.writeBinary(std::string_view(data));
    }
    writeColor(w, "OutlineColor", outlineColor_);
    writeEnum(w, "OutlineStyle", kPenNames, outlineStyle_);
    writeInt(w, "OutlineWidth", outlineWidth_);
    writeEnum(w, "SurfaceType", kSurfaceNames, surfaceType_);
    if (!lastBitmapPath_.empty()) {
        w.writePropertyName("LastBitmapFileNameandPath");
        w.writeString(Utf8ToCp1252(lastBitmapPath_));
    }
}

} // namespace velmora
