#pragma once

#include <cstddef>
#include <string>

namespace lirava::text {

// The one door through which text of unknown origin (captions, labels, typed text, document
// strings) enters layout, shaping and drawing. Whatever the bytes, what comes out is valid UTF-8
// that every text library handles as ordinary text, short enough to lay out within a frame:
// - malformed sequences (bad bytes, overlong forms, encoded surrogates, cut-off characters)
//   become U+FFFD and NUL characters are dropped, as utf8::sanitize does;
// - characters that can never be text (the 66 noncharacters, U+FFFE and U+FFFF among them; a
//   line breaker may take one for its own end-of-text mark) become kUnshowable, a code point no
//   font has, so they still draw as the missing-glyph box and count as missing;
// - past kMaxMarksInRow marks and joiners in a row, the rest of the row is dropped (no script
//   stacks more; a longer row only costs shaping time and draws off the line).
// - embeddings, overrides and isolates nested past kMaxDirectionDepth are dropped with the
//   characters that close them (the bidi algorithm ignores them past 125 anyway, but every level
//   up to there cuts a line into more runs to shape); those never closed end with their paragraph.
std::string safeForLayout(const std::string& bytes);

// Stands in for characters that cannot be text: a code point of a plane with nothing assigned.
constexpr char32_t kUnshowable = 0x40000;
// Unicode's stream-safe limit on non-starters in a row.
constexpr std::size_t kMaxMarksInRow = 30;
// Far deeper than any text nests directions on purpose.
constexpr std::size_t kMaxDirectionDepth = 16;

// The 66 code points that Unicode keeps out of text for good (U+FDD0..U+FDEF, U+nFFFE, U+nFFFF).
bool isNoncharacter(char32_t c);

// The first character of the bytes that cannot be text: a malformed sequence (reported as
// U+FFFD), a NUL or a noncharacter. `offset` is the byte where it starts; found is false when
// every character can be text.
struct BadCharacter {
    bool found = false;
    char32_t character = 0;
    std::size_t offset = 0;
};
BadCharacter firstBadCharacter(const std::string& bytes);

}  // namespace lirava::text
