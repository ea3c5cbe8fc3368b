#pragma once

#include <cstddef>
#include <string>

namespace lirava::contents {

// Item labels are kept to what a 64-byte C buffer held: at most 63 bytes.
constexpr std::size_t kMaxLabelBytes = 63;

// The text cut to at most maxBytes bytes at a character boundary, so that a cut never leaves
// half a UTF-8 character behind. A malformed byte counts as a character of its own.
std::string clipLabel(const std::string& text, std::size_t maxBytes = kMaxLabelBytes);

// "<front> <page> <after>", e.g. "Page 6 " when the text after the number is empty.
std::string pageItemLabel(const std::string& front, int page, const std::string& after);
// "<name> <entry> " with its trailing blank, e.g. "Words 4 ".
std::string wordListItemLabel(const std::string& wordName, int entry);

}  // namespace lirava::contents
