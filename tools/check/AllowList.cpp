#include "tools/check/AllowList.h"

#include <sstream>

#include "engine/platform/CCFileUtils.h"

namespace lirava::check {

bool AllowList::load(const std::string& path, std::string& error) {
    m_path = path;
    // Through the file utilities: an archived book carries its list inside.
    std::string text;
    if (!CCFileUtils::sharedFileUtils()->readFile(path, text)) {
        return true;
    }
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::istringstream words(line);
        Entry entry;
        if (!(words >> entry.scope) || entry.scope[0] == '#') {
            continue;
        }
        std::string extra;
        if (!(words >> entry.code) || ((words >> entry.detail) && (words >> extra))) {
            error = path + ":" + std::to_string(number) + ": expected WHERE CODE [NAME]";
            return false;
        }
        entry.line = number;
        m_entries.push_back(entry);
    }
    return true;
}

void AllowList::add(const std::string& scope, const std::string& code, const std::string& detail) {
    Entry entry;
    entry.scope = scope;
    entry.code = code;
    entry.detail = detail;
    m_entries.push_back(entry);
}

bool AllowList::allows(const std::string& scope, const std::string& code, const std::string& detail) {
    for (Entry& entry : m_entries) {
        if (entry.scope == scope && entry.code == code && entry.detail == detail) {
            entry.used = true;
            return true;
        }
    }
    return false;
}

}  // namespace lirava::check
