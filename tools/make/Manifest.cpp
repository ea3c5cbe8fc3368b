#include "tools/make/Manifest.h"

#include <yaml-cpp/yaml.h>

#include <cctype>
#include <set>

#include "app/contents/ContentsState.h"
#include "app/reader/SentenceNames.h"

namespace lirava::make {
namespace {

// Thrown inside the reader only; loadManifest turns it into its message.
struct ManifestProblem {
    std::string message;
};

class Reader {
public:
    explicit Reader(std::string file) : m_file(std::move(file)) {
        const std::size_t slash = m_file.find_last_of('/');
        m_folder = slash == std::string::npos ? std::string(".") : m_file.substr(0, slash);
    }

    std::string where(const YAML::Node& node) const {
        const YAML::Mark mark = node.Mark();
        if (mark.is_null()) {
            return m_file;
        }
        return m_file + ":" + std::to_string(mark.line + 1) + ":" + std::to_string(mark.column + 1);
    }

    [[noreturn]] void fail(const YAML::Node& node, const std::string& what) const {
        throw ManifestProblem{where(node) + ": " + what};
    }

    void expectMap(const YAML::Node& node, const char* what, std::initializer_list<const char*> keys) const {
        if (!node.IsMap()) {
            fail(node, std::string(what) + " should be a mapping");
        }
        for (const auto& item : node) {
            const std::string key = item.first.Scalar();
            bool known = false;
            for (const char* k : keys) {
                known = known || key == k;
            }
            if (!known) {
                fail(item.first, "unknown key \"" + key + "\" in " + what);
            }
        }
    }

    std::string text(const YAML::Node& node, const char* what) const {
        if (!node.IsScalar()) {
            fail(node, std::string(what) + " should be text");
        }
        std::string value = node.Scalar();
        if (value.find_first_not_of(" \t\r\n") == std::string::npos) {
            fail(node, std::string(what) + " is empty");
        }
        return value;
    }

    // A file the manifest names, relative to the manifest's folder.
    std::string path(const YAML::Node& node, const char* what) const {
        const std::string value = text(node, what);
        return value[0] == '/' ? value : m_folder + "/" + value;
    }

    void read(const YAML::Node& root, Manifest& manifest) const {
        if (!root.IsDefined() || root.IsNull()) {
            throw ManifestProblem{m_file + ": the manifest is empty"};
        }
        expectMap(root, "the manifest", {"title", "language", "voice", "text_size", "units"});
        if (!root["title"]) {
            fail(root, "the manifest has no title");
        }
        manifest.title = text(root["title"], "title");
        if (root["language"]) {
            manifest.language = text(root["language"], "language");
        }
        if (root["voice"]) {
            manifest.voice = text(root["voice"], "voice");
        }
        if (const YAML::Node size = root["text_size"]) {
            int value = 0;
            if (!size.IsScalar() || !YAML::convert<int>::decode(size, value) || value < 12 || value > 60) {
                fail(size, "text_size should be a whole number from 12 to 60");
            }
            manifest.textSize = value;
        }
        const YAML::Node units = root["units"];
        if (!units || !units.IsSequence() || units.size() == 0) {
            fail(units ? units : root, "the manifest needs a list of units");
        }
        // The reader's home screen has a fixed list of story units, each with its own pages.
        constexpr int kStoryUnits = contents::kWordListUnit;
        if (static_cast<int>(units.size()) > kStoryUnits) {
            fail(units[kStoryUnits], "a book has at most " + std::to_string(kStoryUnits) + " units");
        }
        for (std::size_t u = 0; u < units.size(); ++u) {
            manifest.units.push_back(readUnit(units[u], static_cast<int>(u)));
        }
    }

    UnitEntry readUnit(const YAML::Node& node, int index) const {
        expectMap(node, "a unit", {"title", "pages"});
        UnitEntry unit;
        unit.where = where(node);
        unit.title = node["title"] ? text(node["title"], "a unit's title") : "Unit " + std::to_string(index + 1);
        const YAML::Node pages = node["pages"];
        if (!pages || !pages.IsSequence() || pages.size() == 0) {
            fail(pages ? pages : node, "a unit needs a list of pages");
        }
        const contents::PageRange range = contents::kUnitPageRanges[index];
        const int room = range.last - range.first + 1;
        if (static_cast<int>(pages.size()) > room) {
            fail(pages[room], "unit " + std::to_string(index + 1) + " has room for " + std::to_string(room) +
                                  " pages in the reader");
        }
        for (const auto& page : pages) {
            unit.pages.push_back(readPage(page));
        }
        return unit;
    }

    PageEntry readPage(const YAML::Node& node) const {
        expectMap(node, "a page", {"picture", "recording", "sentences"});
        PageEntry page;
        page.where = where(node);
        if (!node["picture"]) {
            fail(node, "the page has no picture");
        }
        page.picture = path(node["picture"], "picture");
        if (node["recording"]) {
            page.recording = path(node["recording"], "recording");
        }
        const YAML::Node sentences = node["sentences"];
        if (!sentences || !sentences.IsSequence() || sentences.size() == 0) {
            fail(sentences ? sentences : node, "a page needs a list of sentences");
        }
        if (static_cast<int>(sentences.size()) > sentence::kLastIndex) {
            fail(sentences[sentence::kLastIndex],
                 "a page has at most " + std::to_string(sentence::kLastIndex) + " sentences");
        }
        for (const auto& item : sentences) {
            page.sentences.push_back(readSentence(item));
            if (!page.recording.empty() && !page.sentences.back().recording.empty()) {
                fail(item, "the page is recorded in one take, so its sentences take no recording of their own");
            }
        }
        return page;
    }

    SentenceEntry readSentence(const YAML::Node& node) const {
        SentenceEntry sentence;
        sentence.where = where(node);
        if (node.IsScalar()) {
            sentence.text = text(node, "a sentence");
            return sentence;
        }
        expectMap(node, "a sentence", {"text", "recording", "captions"});
        if (!node["text"]) {
            fail(node, "the sentence has no text");
        }
        sentence.text = text(node["text"], "a sentence's text");
        if (node["recording"]) {
            sentence.recording = path(node["recording"], "recording");
        }
        if (const YAML::Node captions = node["captions"]) {
            if (!captions.IsMap()) {
                fail(captions, "captions should be a mapping from language tags to text");
            }
            for (const auto& item : captions) {
                const std::string tag = item.first.Scalar();
                if (!isLanguageTag(tag)) {
                    fail(item.first, "\"" + tag + "\" is not a language tag (en, es, zh-Hans, pt-BR)");
                }
                sentence.captions[tag] = text(item.second, "a caption");
            }
        }
        return sentence;
    }

    // The shape of a BCP 47 tag: letters first, then subtags of letters and digits, each 1 to 8
    // long. Enough to keep the tag safe in a file name and recognisable to the reader.
    static bool isLanguageTag(const std::string& tag) {
        std::size_t start = 0;
        bool first = true;
        while (start <= tag.size()) {
            std::size_t end = tag.find('-', start);
            if (end == std::string::npos) {
                end = tag.size();
            }
            const std::size_t length = end - start;
            if (length == 0 || length > 8 || (first && (length < 2 || length > 3))) {
                return false;
            }
            for (std::size_t i = start; i < end; ++i) {
                const unsigned char c = static_cast<unsigned char>(tag[i]);
                if (!(std::isalpha(c) || (!first && std::isdigit(c)))) {
                    return false;
                }
            }
            first = false;
            start = end + 1;
        }
        return true;
    }

private:
    std::string m_file;
    std::string m_folder;
};

}  // namespace

bool loadManifest(const std::string& path, Manifest& manifest, std::string& error) {
    const Reader reader(path);
    try {
        reader.read(YAML::LoadFile(path), manifest);
        return true;
    } catch (const YAML::BadFile&) {
        error = path + ": cannot read the manifest";
    } catch (const YAML::Exception& e) {
        // yaml-cpp's own marks are 0-based; its message carries them 1-based already.
        error = path + ":" + std::to_string(e.mark.line + 1) + ":" + std::to_string(e.mark.column + 1) + ": " + e.msg;
    } catch (const ManifestProblem& problem) {
        error = problem.message;
    }
    return false;
}

}  // namespace lirava::make
