#pragma once

// Texts are held as UTF-8; lengths and positions the user sees count characters.

#include <cstddef>
#include <string>
#include <string_view>

namespace rollwerk {

std::size_t CharCount(std::string_view text);

// Byte offset of the character at charIndex (the text's size when past its end).
std::size_t ByteOffset(std::string_view text, std::size_t charIndex);

std::string EncodeUtf8(char32_t ch);

// The text without the characters from charStart to charStart + charLength.
struct TextSplit {
    std::string_view before;
    std::string_view after;
};
TextSplit SplitAround(std::string_view text, std::size_t charStart, std::size_t charLength);

// The text in German quotation marks: „Text“.
std::string Quoted(std::string_view text);

// Whether text begins with prefix, comparing ASCII letters regardless of case.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

} // namespace rollwerk
