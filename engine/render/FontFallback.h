#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace lirava {

// A font file and the face inside it (a collection file holds several).
struct FontFile {
    std::string path;
    int index = 0;
};

// Finds installed fonts for the characters a label's font lacks, through the system's font
// matcher. The matcher loads its configuration on the first question, so text that its own font
// covers never pays for it; release() drops the configuration again. Answers are remembered per
// character for the life of the object, so a character is looked up once.
class FontFallback {
public:
    FontFallback();
    ~FontFallback();
    FontFallback(const FontFallback&) = delete;
    FontFallback& operator=(const FontFallback&) = delete;

    // The installed font the matcher prefers among those that have c, or null when none has it.
    // The pointer stays valid as long as this object.
    const FontFile* fontFor(char32_t c);

    // Drops the matcher's configuration (it comes back with the next question not yet answered).
    void release();
    bool isLoaded() const;
    // How long the matcher took to load its configuration the last time, in milliseconds.
    double lastLoadMilliseconds() const { return m_loadMilliseconds; }

private:
    struct Matcher;

    const FontFile* ask(char32_t c);
    const FontFile* remember(char32_t c, const FontFile* font);

    std::unique_ptr<Matcher> m_matcher;
    // Every font an answer named, in the order they were found; never shrinks, so answers stay valid.
    std::vector<std::unique_ptr<FontFile>> m_fonts;
    std::unordered_map<char32_t, const FontFile*> m_answers;
    double m_loadMilliseconds = 0.0;
};

}  // namespace lirava
