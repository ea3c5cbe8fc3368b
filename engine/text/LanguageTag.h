#pragma once

#include <string>

namespace lirava::language {

// BCP 47 language tags ("en", "zh-Hans", "pt-BR") and the names of their languages. Pure
// functions: tags of the common shape are read as ICU reads them without loading it; other
// tags and every name come from ICU's locale data.

// Whether the tag is well-formed BCP 47: the right subtags in the right order, nothing left
// over. Says nothing of whether the language exists.
bool isWellFormed(const std::string& tag);

// The language subtag in lower case ("zh" of "zh-Hans"); empty for a tag that is not well-formed.
std::string primarySubtag(const std::string& tag);

// The script subtag in title case ("Hans" of "zh-Hans"), the region in upper case ("TW" of
// "zh-TW"); empty when the tag has none.
std::string scriptSubtag(const std::string& tag);
std::string regionSubtag(const std::string& tag);

// The language's name in the language itself, as it stands alone on a button: "English", "中文",
// "Español", "العربية". With withDetails the script and region follow ("中文（简体）"), for
// telling two tables of one language apart. The tag itself when ICU knows no name for it.
std::string nativeName(const std::string& tag, bool withDetails);

}  // namespace lirava::language
