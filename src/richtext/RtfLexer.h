#pragma once
// Splits RTF bytes into groups, control words, control symbols and text runs.
#include <cstddef>
#include <string_view>

namespace velmora::rtf {

// Value of a hexadecimal digit, -1 for any other character.
int hexValue(char c);

enum class TokenKind { GroupStart, GroupEnd, Word, Symbol, HexByte, Text, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text; // the control word's name, or the bytes of a text run
    bool hasParam = false;
    int param = 0;         // clamped to the 32-bit range however many digits the input has
    unsigned char byte = 0; // the symbol character, or the value of \'hh
};

class RtfLexer
{
public:
    explicit RtfLexer(std::string_view input) : in(input) {}

    Token next();
    // Raw bytes after \binN; never more than the input still holds.
    std::string_view takeBytes(std::size_t count);
    bool atEnd() const { return pos >= in.size(); }

private:
    Token controlWord();
    Token controlSymbol();
    Token textRun();

    std::string_view in;
    std::size_t pos = 0;
};

} // namespace velmora::rtf
