#include "richtext/RtfLexer.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace velmora::rtf {

namespace {
Token token(TokenKind kind, std::string_view text = {})
{
    Token t;
    t.kind = kind;
    t.text = text;
    return t;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
// Line ends are not text in RTF, and a stray NUL (files often end with padding) is not either.
bool isIgnorable(char c)
{
    return c == '\r' || c == '\n' || c == '\0';
}
} // namespace

Token RtfLexer::next()
{
    while (pos < in.size() && isIgnorable(in[pos]))
        ++pos;
    if (pos >= in.size())
        return {};
    const char c = in[pos];
    if (c == '{') {
        ++pos;
        return token(TokenKind::GroupStart);
    }
    if (c == '}') {
        ++pos;
        return token(TokenKind::GroupEnd);
    }
    if (c == '\\') {
        ++pos;
        if (pos >= in.size())
            return {};
        return isLetter(in[pos]) ? controlWord() : controlSymbol();
    }
    return textRun();
}

Token RtfLexer::controlWord()
{
    Token t = token(TokenKind::Word);
    const std::size_t start = pos;
    while (pos < in.size() && isLetter(in[pos]))
        ++pos;
    // Words are at most 32 letters; a longer one is garbage and must not match a real word.
    t.text = in.substr(start, std::min<std::size_t>(pos - start, 33));

    const bool negative = pos + 1 < in.size() && in[pos] == '-' && isDigit(in[pos + 1]);
    if (negative)
        ++pos;
    if (pos < in.size() && isDigit(in[pos])) {
        constexpr int64_t limit = std::numeric_limits<int32_t>::max();
        int64_t value = 0;
        while (pos < in.size() && isDigit(in[pos])) {
            value = std::min<int64_t>(value * 10 + (in[pos] - '0'), limit + 1);
            ++pos;
        }
        if (negative)
            value = -value;
        t.hasParam = true;
        t.param = static_cast<int>(std::clamp<int64_t>(value, -limit, limit));
    }
    if (pos < in.size() && in[pos] == ' ')
        ++pos;
    return t;
}

Token RtfLexer::controlSymbol()
{
    const char c = in[pos++];
    if (c == '\r' || c == '\n')
        return token(TokenKind::Word, "par"); // a backslash before a line end is an old spelling of \par
    if (c == '\'') {
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos < in.size() && hexValue(in[pos]) >= 0) {
            value = value * 16 + hexValue(in[pos++]);
            ++digits;
        }
        if (digits > 0) {
            Token t = token(TokenKind::HexByte);
            t.byte = static_cast<unsigned char>(value);
            return t;
        }
    }
    Token t = token(TokenKind::Symbol);
    t.byte = static_cast<unsigned char>(c);
    return t;
}

Token RtfLexer::textRun()
{
    const std::size_t start = pos;
    while (pos < in.size() && in[pos] != '\\' && in[pos] != '{' && in[pos] != '}'
           && !isIgnorable(in[pos]))
        ++pos;
    Token t = token(TokenKind::Text);
    t.text = in.substr(start, pos - start);
    return t;
}

std::string_view RtfLexer::takeBytes(std::size_t count)
{
    const std::size_t n = std::min(count, in.size() - std::min(pos, in.size()));
    const std::string_view bytes = in.substr(pos, n);
    pos += n;
    return bytes;
}


int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace velmora::rtf
