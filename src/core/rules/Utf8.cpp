#include "Utf8.h"

#include <algorithm>

namespace rollwerk {

namespace {

bool IsContinuationByte(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

char AsciiLower(char ch)
{
    return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
}

} // namespace

std::size_t CharCount(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char b) { return !IsContinuationByte(b); }));
}

std::size_t ByteOffset(std::string_view text, std::size_t charIndex)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsContinuationByte(text[i]))
            continue;
        if (chars == charIndex)
            return i;
        ++chars;
    }
    return text.size();
}

std::string EncodeUtf8(char32_t ch)
{
    std::string out;
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | ((ch >> 18) & 0x07));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
    return out;
}

TextSplit SplitAround(std::string_view text, std::size_t charStart, std::size_t charLength)
{
    const std::size_t begin = ByteOffset(text, charStart);
    const std::size_t end = begin + ByteOffset(text.substr(begin), charLength);
    return {text.substr(0, begin), text.substr(end)};
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
        return AsciiLower(a) == AsciiLower(b);
    });
}

std::string Quoted(std::string_view text)
{
    return "\u201e" + std::string(text) + "\u201c";
}

} // namespace rollwerk
