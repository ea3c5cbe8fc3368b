#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lirava::unicode {

// The Unicode properties that laying out text in any script needs, over valid UTF-8 (labels
// sanitise their text first). Pure functions of the text: no fonts here.

// Byte offsets where a line may start under the Unicode line-breaking rules, in increasing
// order, 0 and the end of the text left out: after spaces, between Chinese or Japanese
// characters, never before closing punctuation.
std::vector<std::size_t> lineBreakPositions(const std::string& utf8);

// Byte offset just past the cluster that starts at pos: one character with the combining marks,
// joiners and variation selectors that follow it, so that a cut between clusters never takes a
// Thai tone mark or a Devanagari vowel sign away from its letter.
std::size_t clusterEnd(const std::string& utf8, std::size_t pos);

// Whether the first strong character runs right to left (Hebrew, Arabic, ...): a paragraph's
// base direction. Text without strong characters runs left to right.
bool startsRightToLeft(const std::string& utf8);

// Whether a character could be laid out right to left or change the order of others (strong
// right-to-left letters, Arabic digits, explicit embeddings and isolates).
bool changesDirection(char32_t c);

// The bidirectional embedding level of each character of one line, resolved against the given
// base direction; even levels run left to right. Whitespace at the end of the line takes the base
// level, so it never shows between the line's text and its edge.
std::vector<std::uint8_t> bidiLevels(const std::u32string& text, bool rightToLeft);

// Script of a character as an ISO 15924 tag ("Latn", "Arab", "Hani"), and whether it has no
// script of its own (punctuation, digits, spaces: "Zyyy"; combining marks: "Zinh"; unassigned).
std::uint32_t scriptTag(char32_t c);
bool takesNeighbourScript(std::uint32_t tag);

// Marks and joiners: characters that belong to the cluster of the character before them.
bool extendsCluster(char32_t c);

// Characters that draw nothing and so never count as missing from every font: controls, spaces,
// format characters (zero-width joiners, direction marks) and variation selectors.
bool isInvisible(char32_t c);

}  // namespace lirava::unicode
