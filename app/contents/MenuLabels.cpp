#include "app/contents/MenuLabels.h"

#include "engine/text/Utf8.h"

namespace lirava::contents {

std::string clipLabel(const std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    std::size_t end = 0;
    while (end < text.size()) {
        char32_t ignored = 0;
        const std::size_t length = utf8::decodeAt(text, end, ignored);
        if (length == 0 || end + length > maxBytes) {
            break;
        }
        end += length;
    }
    return text.substr(0, end);
}

std::string pageItemLabel(const std::string& front, int page, const std::string& after) {
    return clipLabel(front + " " + std::to_string(page) + " " + after);
}

std::string wordListItemLabel(const std::string& wordName, int entry) {
    return clipLabel(wordName + " " + std::to_string(entry) + " ");
}

}  // namespace lirava::contents
