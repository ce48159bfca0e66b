#include "richtext/RtfCodePage.h"

#include "common/Cp1252.h"

#include <QStringDecoder>

namespace velmora::rtf {

int codePageOfCharset(int charset)
{
    switch (charset) {
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return 0;
    }
}

CodePageDecoder::CodePageDecoder() = default;
CodePageDecoder::~CodePageDecoder() = default;

QStringDecoder *CodePageDecoder::decoderFor(int codePage)
{
    auto it = decoders.find(codePage);
    if (it != decoders.end())
        return it->second.get();
    const char *name = nullptr;
    QByteArray windowsName;
    switch (codePage) {
    case 437: name = "IBM437"; break;
    case 850: name = "IBM850"; break;
    case 932: name = "Shift_JIS"; break;
    case 936: name = "GBK"; break;
    case 949: name = "windows-949"; break;
    case 950: name = "Big5"; break;
    case 1361: name = "Johab"; break;
    case 10000: name = "macintosh"; break;
    case 28591: name = "ISO-8859-1"; break;
    default:
        windowsName = "windows-" + QByteArray::number(codePage);
        name = windowsName.constData();
    }
    auto decoder = std::make_unique<QStringDecoder>(name);
    if (!decoder->isValid())
        decoder.reset();
    return decoders.emplace(codePage, std::move(decoder)).first->second.get();
}

QString CodePageDecoder::decode(std::string_view bytes, int codePage)
{
    if (codePage == 65001)
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (codePage != 1252 && codePage > 0) {
        if (QStringDecoder *decoder = decoderFor(codePage)) {
            decoder->resetState();
            return decoder->decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        }
    }
    const std::string utf8 = Cp1252ToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace velmora::rtf
