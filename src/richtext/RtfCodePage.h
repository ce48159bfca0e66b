#pragma once
// Turns the 8-bit text of RTF (\'hh and raw bytes) into Unicode.
#include <QString>

#include <map>
#include <memory>
#include <string_view>

class QStringDecoder;

namespace velmora::rtf {

// The Windows code page a font's \fcharset stands for; 0 when it names none (ANSI, default).
int codePageOfCharset(int charset);

class CodePageDecoder
{
public:
    CodePageDecoder();
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder &) = delete;
    CodePageDecoder &operator=(const CodePageDecoder &) = delete;

    // Code pages the system cannot decode fall back to Windows-1252, which keeps ASCII intact.
    QString decode(std::string_view bytes, int codePage);

private:
    QStringDecoder *decoderFor(int codePage);

    std::map<int, std::unique_ptr<QStringDecoder>> decoders;
};

} // namespace velmora::rtf
