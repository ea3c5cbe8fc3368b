#pragma once

#include <string>
#include <vector>

namespace lirava::align {

// The words of a text as written, and the spoken form the pronouncing dictionary knows them by.
class TextWords {
public:
    // Splits UTF-8 text at white space: the words as written, punctuation attached.
    static std::vector<std::string> split(const std::string& text);

    // The dictionary form of a written word: ASCII letters lowered, apostrophes inside the word
    // kept ("don't"), everything else dropped ("Biscuit!" -> "biscuit"). Empty when nothing is left
    // ("-"): such a word is not spoken and is timed as an instant where it stands.
    static std::string spokenForm(const std::string& written);
};

}  // namespace lirava::align
