#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lirava::unicode::linebreak {

// The two line breakers behind unicode::lineBreakPositions. Both return the byte offsets where a
// line may start, 0 and the end of the text left out.

// Whether every byte is a printable ASCII character or a space (0x20 to 0x7E): the text that
// printableAscii() breaks.
bool isPrintableAscii(const std::string& text);

// The Unicode line-breaking rules for printable ASCII alone, without ICU. Most captions are plain
// ASCII, and ICU's line iterator makes about 1.4 MiB of its library and data resident once built,
// so a book in plain English never builds it. Gives exactly ICU's breaks for such text.
std::vector<std::size_t> printableAscii(const std::string& text);

// ICU's line iterator, with its dictionaries for the scripts that write no spaces between words
// (Thai, Lao, Khmer, Burmese) and its rules for Chinese and Japanese. Any valid UTF-8.
std::vector<std::size_t> icu(const std::string& utf8);

}  // namespace lirava::unicode::linebreak
