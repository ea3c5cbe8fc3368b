#include "tools/align/TextWords.h"

namespace lirava::align {

namespace {

bool isSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}
bool isAsciiAlnum(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

std::vector<std::string> TextWords::split(const std::string& text) {
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isSpace(static_cast<unsigned char>(text[i]))) {
            ++i;
        }
        const size_t start = i;
        while (i < text.size() && !isSpace(static_cast<unsigned char>(text[i]))) {
            ++i;
        }
        if (i > start) {
            tokens.push_back(text.substr(start, i - start));
        }
    }
    return tokens;
}

std::string TextWords::spokenForm(const std::string& written) {
    std::string spoken;
    for (size_t i = 0; i < written.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(written[i]);
        if (c >= 'A' && c <= 'Z') {
            spoken += static_cast<char>(c - 'A' + 'a');
        } else if (isAsciiAlnum(c)) {
            spoken += static_cast<char>(c);
        } else if (c == '\'' && !spoken.empty() && i + 1 < written.size() &&
                   isAsciiAlnum(static_cast<unsigned char>(written[i + 1]))) {
            spoken += '\'';
        }
    }
    return spoken;
}

}  // namespace lirava::align
