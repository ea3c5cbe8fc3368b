#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lirava::utf8 {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one character at pos. A malformed sequence (bad lead or continuation byte, overlong
// form, surrogate, value past U+10FFFF, cut off at the end) counts as one character of one byte
// that decodes to U+FFFD. Returns the byte length (0 only at the end of the text).
std::size_t decodeAt(const std::string& text, std::size_t pos, char32_t& out);
// The text as code points, malformed bytes as U+FFFD.
std::vector<char32_t> decode(const std::string& text);
void append(std::string& out, char32_t codePoint);
// The same text with every malformed byte replaced by U+FFFD and NUL characters dropped.
std::string sanitize(const std::string& text);
// Characters in the text, counted as decodeAt steps through it.
std::size_t charCount(const std::string& text);
// Byte position where the last character starts (0 for empty text).
std::size_t lastCharStart(const std::string& text);

}  // namespace lirava::utf8
