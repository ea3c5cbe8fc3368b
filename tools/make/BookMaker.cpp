#include "tools/make/BookMaker.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "app/contents/ContentsState.h"
#include "app/reader/SentenceNames.h"
#include "tools/make/BookFiles.h"
#include "tools/make/Narrator.h"
#include "tools/make/PagePicture.h"
#include "tools/make/TextLayout.h"
#include "tools/make/TrackWriter.h"

namespace fs = std::filesystem;

namespace lirava::make {
namespace {

const char* const kFont = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";

struct FontCloser {
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};
using Font = std::unique_ptr<TTF_Font, FontCloser>;

Font openFont(int size, std::string& error) {
    if (!TTF_WasInit() && TTF_Init() != 0) {
        error = std::string("cannot start the font renderer: ") + TTF_GetError();
        return nullptr;
    }
    Font font(TTF_OpenFont(kFont, size));
    if (!font) {
        error = std::string("cannot open the book's font ") + kFont + " (install fonts-liberation2)";
    }
    return font;
}

std::vector<std::string> textsOf(const PageEntry& page) {
    std::vector<std::string> texts;
    for (const SentenceEntry& s : page.sentences) {
        texts.push_back(s.text);
    }
    return texts;
}

bool writeText(const std::string& path, const std::string& text, std::string& error) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.flush();
    if (!out) {
        error = path + ": cannot write (" + std::strerror(errno) + ")";
        return false;
    }
    return true;
}

// Calls `visit(pageNumber, page)` for every page of the manifest, in book order.
template <typename Visit>
bool eachPage(const Manifest& manifest, Visit visit) {
    for (std::size_t u = 0; u < manifest.units.size(); ++u) {
        const int first = contents::kUnitPageRanges[u].first;
        for (std::size_t p = 0; p < manifest.units[u].pages.size(); ++p) {
            if (!visit(first + static_cast<int>(p), manifest.units[u].pages[p])) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

BookMaker::BookMaker(const Manifest& manifest, std::string sampleBook)
    : m_manifest(manifest), m_sampleBook(std::move(sampleBook)) {}

bool BookMaker::check(std::vector<std::string>& problems) {
    std::string error;
    Font font = openFont(m_manifest.textSize, error);
    if (!font) {
        problems.push_back(error);
        return false;
    }
    eachPage(m_manifest, [&](int number, const PageEntry& page) {
        const std::string where = page.where + ": page " + std::to_string(number);
        SDL_Surface* picture = PagePicture::loadUpright(page.picture, error);
        if (!picture) {
            problems.push_back(where + ": " + error);
        }
        SDL_FreeSurface(picture);
        if (!page.recording.empty() && !Narrator::probe(page.recording, error)) {
            problems.push_back(where + ": " + error);
        }
        for (const SentenceEntry& s : page.sentences) {
            if (!s.recording.empty() && !Narrator::probe(s.recording, error)) {
                problems.push_back(s.where + ": " + error);
            }
        }
        const TextLayout layout = layOutText(font.get(), textsOf(page));
        if (!layout.fits()) {
            problems.push_back(where + ": the sentences do not fit on the page: " + std::to_string(layout.fitting) +
                               " of " + std::to_string(page.sentences.size()) +
                               " fit above the picture (shorten them, move some to another page, or lower text_size)");
        }
        return true;
    });
    return problems.empty();
}

bool BookMaker::make(const std::string& folder, MakeReport& report, std::string& error,
                     const volatile std::sig_atomic_t* stop) {
    auto stopped = [&] {
        if (stop && *stop) {
            error = "interrupted";
            return true;
        }
        return false;
    };
    Font font = openFont(m_manifest.textSize, error);
    if (!font) {
        return false;
    }
    for (const char* sub : {"english5down", "3age", "Images/pages", "epc"}) {
        std::error_code code;
        fs::create_directories(folder + "/" + sub, code);
        if (code) {
            error = folder + "/" + sub + ": " + code.message();
            return false;
        }
    }
    if (!BookFiles::copyControls(m_sampleBook, folder, error)) {
        return false;
    }

    Narrator narrator(m_manifest.language, m_manifest.voice);
    std::vector<std::pair<std::string, std::string>> captions;
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> translations;
    std::map<int, bool> made;

    auto writeTrack = [&](int number, int index, Track& track) {
        TrackWriter::normalise(track);
        const std::string path = folder + "/" + sentence::narrationPath(sentence::narrationName(number, index));
        return TrackWriter::writeMp3(track, path, error) &&
               TrackWriter::writeLabels(track, path.substr(0, path.size() - 4) + ".txt", error);
    };

    const bool ok = eachPage(m_manifest, [&](int number, const PageEntry& page) {
        if (stopped()) {
            return false;
        }
        const std::string where = page.where + ": page " + std::to_string(number) + ": ";
        const TextLayout layout = layOutText(font.get(), textsOf(page));
        SDL_Surface* picture = PagePicture::loadUpright(page.picture, error);
        if (!picture) {
            error = where + error;
            return false;
        }
        const bool drawn =
            PagePicture::write(picture, font.get(), layout, folder + "/" + BookFiles::pagePicturePath(number), error);
        SDL_FreeSurface(picture);
        if (!drawn || !writeText(folder + "/" + sentence::pageDocument(number),
                                 BookFiles::pageDocument(number, layout.sentences), error)) {
            return false;
        }
        made[number] = true;
        ++report.pages;

        std::vector<Track> tracks(page.sentences.size());
        if (!page.recording.empty()) {
            if (!narrator.fromPageRecording(page.recording, textsOf(page), tracks, error)) {
                error = where + error;
                return false;
            }
            std::string cuts = "page " + std::to_string(number) + ": one take cut at";
            for (double cut : narrator.cuts()) {
                char seconds[32];
                std::snprintf(seconds, sizeof seconds, " %.2f s", cut);
                cuts += seconds;
            }
            report.splits.push_back(cuts);
        }
        for (std::size_t i = 0; i < page.sentences.size(); ++i) {
            if (stopped()) {
                return false;
            }
            const SentenceEntry& s = page.sentences[i];
            const int index = static_cast<int>(i) + 1;
            bool spoken = true;
            if (!s.recording.empty()) {
                spoken = narrator.fromRecording(s.recording, s.text, tracks[i], error);
            } else if (page.recording.empty()) {
                spoken = narrator.fromSpeech(s.text, tracks[i], error);
                report.synthetic.push_back("page " + std::to_string(number) + ", sentence " + std::to_string(index) +
                                           ": " + s.text);
            }
            if (!spoken || !writeTrack(number, index, tracks[i])) {
                error = (spoken ? "" : s.where + ": ") + error;
                return false;
            }
            const std::string key = sentence::textKey(number, index);
            captions.emplace_back(key, s.text);
            for (const auto& [tag, text] : s.captions) {
                translations[tag].emplace_back(key, text);
            }
            ++report.sentences;
        }
        return true;
    });
    if (!ok) {
        return false;
    }

    // Every page the reader's units have gets a document; the ones the manifest leaves empty are
    // listed for the checker as pages without sentences on purpose.
    std::string allow = "# Pages of the reader's units that this book leaves empty.\n";
    for (int number = sentence::kFirstPage; number <= sentence::kLastPage; ++number) {
        if (!made.count(number)) {
            if (!writeText(folder + "/" + sentence::pageDocument(number), BookFiles::emptyPageDocument(number),
                           error)) {
                return false;
            }
            allow += std::to_string(number) + " no-sentences\n";
        }
    }
    const std::vector<std::pair<std::string, std::string>> strings = {
        {"setmenu_set", "Settings"},
        {"main_page", "Home"},
        {"bntext", ""},
        {"wordname", ""},
        {"page_front", "Page"},
        {"page_after", ""},
        {"book_title", m_manifest.title},
    };
    if (!writeText(folder + "/String.xml", BookFiles::stringTable(strings), error) ||
        !writeText(folder + "/Stringstr.xml", BookFiles::stringTable(captions), error) ||
        !writeText(folder + "/check-allow.txt", allow, error)) {
        return false;
    }
    for (const auto& [tag, entries] : translations) {
        if (!writeText(folder + "/Stringstr." + tag + ".xml", BookFiles::stringTable(entries), error)) {
            return false;
        }
    }
    return true;
}

}  // namespace lirava::make
