#include "tools/check/BookCheck.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iomanip>
#include <ostream>
#include <set>
#include <sstream>

#include "app/reader/CaptionLanguages.h"
#include "app/reader/SentenceNames.h"
#include "app/reader/WordLabels.h"
#include "engine/audio/VirtualAudioBackend.h"
#include "engine/base/CCArray.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCString.h"
#include "engine/nodes/CCSpriteFrameCache.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/render/CCTextureCache.h"
#include "engine/render/FontRasterizer.h"
#include "engine/render/ShapedText.h"
#include "engine/text/LanguageTag.h"

#include "engine/text/SafeText.h"
#include "engine/text/Utf8.h"
#include "gui/action/ActionManager.h"
#include "gui/document/CCSGUIReader.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/JsonDictionary.h"
#include "gui/document/UIToolbox.h"
#include "gui/document/WidgetClassTable.h"
#include "gui/document/readers/ImageReference.h"
#include "gui/widgets/UIButton.h"
#include "tools/check/AllowList.h"
#include "tools/check/HeadlessEngine.h"

namespace lirava::check {

namespace {

constexpr const char* kUsage =
    "usage: lirava-check [--resources DIR] [--allow FILE]\n"
    "       lirava-check --document FILE [--resources DIR]";
constexpr const char* kAllowFileName = "check-allow.txt";
constexpr unsigned int kLongestCaption = 1599;
// The reader's caption font; which characters it lacks does not depend on its size.
constexpr const char* kCaptionFont = "Arial";
constexpr int kCaptionFontSize = 22;
// Page documents of the sample book are a few kilobytes; one past this is worth a look.
constexpr std::size_t kLargeDocument = 1024 * 1024;

const char* const kSettingButtons[] = {"bnmain", "bnpres", "bnaotopage", "bnaoto", "bnok", "bncancel"};
const char* const kReaderStrings[] = {"setmenu_set", "main_page", "bntext", "wordname", "page_front", "page_after"};
const char* const kReaderImages[] = {
    "Images/up1.png",   "Images/up2.png",       "Images/play_btn.png", "Images/pause_btn.png", "Images/next1.png",
    "Images/next2.png", "Images/bnchback1.png", "Images/bnren1.png",   "Images/bnren2.png",
};

// Which options name images, per widget class: the key of older documents and of newer ones,
// and a key without which the widget's reader skips the image.
struct ImageKey {
    const char* older;
    const char* newer;
    const char* onlyWith = nullptr;
};
const ImageKey kButtonImages[] = {{"normal", "normalData"}, {"pressed", "pressedData"}, {"disabled", "disabledData"}};
const ImageKey kImageViewImages[] = {{"fileName", "fileNameData"}};
const ImageKey kPanelImages[] = {{"backGroundImage", "backGroundImageData"}};
const ImageKey kCheckBoxImages[] = {{"backGroundBox", "backGroundBoxData"},
                                    {"backGroundBoxSelected", "backGroundBoxSelectedData"},
                                    {"frontCross", "frontCrossData"},
                                    {"backGroundBoxDisabled", "backGroundBoxDisabledData"},
                                    {"frontCrossDisabled", "frontCrossDisabledData"}};
const ImageKey kLoadingBarImages[] = {{"texture", "textureData"}};
const ImageKey kSliderImages[] = {{"barFileName", "barFileNameData", "barFileName"},
                                  {"ballNormal", "ballNormalData"},
                                  {"ballPressed", "ballPressedData"},
                                  {"ballDisabled", "ballDisabledData"},
                                  {"progressBarFileName", "progressBarData"}};

struct ClassImages {
    const char* className;
    const ImageKey* keys;
    std::size_t count;
};
template <std::size_t N>
constexpr ClassImages imagesOf(const char* className, const ImageKey (&keys)[N]) {
    return {className, keys, N};
}
const ClassImages kClassImages[] = {
    imagesOf("Button", kButtonImages),         imagesOf("TextButton", kButtonImages),
    imagesOf("ImageView", kImageViewImages),   imagesOf("Panel", kPanelImages),
    imagesOf("ScrollView", kPanelImages),      imagesOf("DragPanel", kPanelImages),
    imagesOf("PageView", kPanelImages),        imagesOf("CheckBox", kCheckBoxImages),
    imagesOf("LoadingBar", kLoadingBarImages), imagesOf("Slider", kSliderImages),
};

// The kinds the property readers expect of the option keys they read; a value of another kind
// falls back to the key's default. Keys of the animation section and unknown keys are not
// checked. Numbers must also fit 32 bits where the readers take them as integers.
enum class Kind { Integer, Real, String, Bool, Object };
struct KeyKind {
    const char* key;
    Kind kind;
};
const KeyKind kOptionKinds[] = {
    {"tag", Kind::Integer},
    {"actiontag", Kind::Integer},
    {"ZOrder", Kind::Integer},
    {"opacity", Kind::Integer},
    {"colorR", Kind::Integer},
    {"colorG", Kind::Integer},
    {"colorB", Kind::Integer},
    {"bgColorR", Kind::Integer},
    {"bgColorG", Kind::Integer},
    {"bgColorB", Kind::Integer},
    {"bgColorOpacity", Kind::Integer},
    {"colorType", Kind::Integer},
    {"hAlignment", Kind::Integer},
    {"vAlignment", Kind::Integer},
    {"fontSize", Kind::Integer},
    {"x", Kind::Real},
    {"y", Kind::Real},
    {"width", Kind::Real},
    {"height", Kind::Real},
    {"anchorPointX", Kind::Real},
    {"anchorPointY", Kind::Real},
    {"scaleX", Kind::Real},
    {"scaleY", Kind::Real},
    {"rotation", Kind::Real},
    {"areaWidth", Kind::Real},
    {"areaHeight", Kind::Real},
    {"capInsetsX", Kind::Real},
    {"capInsetsY", Kind::Real},
    {"capInsetsWidth", Kind::Real},
    {"capInsetsHeight", Kind::Real},
    {"name", Kind::String},
    {"text", Kind::String},
    {"fontName", Kind::String},
    {"touchAble", Kind::Bool},
    {"visible", Kind::Bool},
    {"flipX", Kind::Bool},
    {"flipY", Kind::Bool},
    {"clipAble", Kind::Bool},
    {"scale9Enable", Kind::Bool},
    {"backGroundScale9Enable", Kind::Bool},
    {"normalData", Kind::Object},
    {"pressedData", Kind::Object},
    {"disabledData", Kind::Object},
    {"fileNameData", Kind::Object},
    {"backGroundImageData", Kind::Object},
};

// The first character of the text that cannot be text, as "U+FFFF at byte 3"; empty when none.
std::string badCharacter(const std::string& text) {
    const text::BadCharacter bad = text::firstBadCharacter(text);
    if (!bad.found) {
        return std::string();
    }
    char first[16];
    std::snprintf(first, sizeof first, "U+%04X", static_cast<unsigned>(bad.character));
    return std::string(first) + " at byte " + std::to_string(bad.offset);
}

const char* kindName(Kind kind) {
    switch (kind) {
        case Kind::Integer:
            return "a whole number";
        case Kind::Real:
            return "a number";
        case Kind::String:
            return "a string";
        case Kind::Bool:
            return "true or false";
        case Kind::Object:
            return "an object";
    }
    return "";
}

// A resource path as the table shows it: relative to the resource root where it lies below it.
std::string displayPath(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path normal = fs::path(path).lexically_normal();
    const fs::path root = fs::path(CCFileUtils::sharedFileUtils()->getResourceRoot()).lexically_normal();
    const fs::path relative = normal.lexically_relative(root);
    if (!relative.empty() && relative.native().rfind("..", 0) != 0) {
        return relative.string();
    }
    return normal.string();
}

bool fileHasData(const std::string& resourceName) {
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    std::string bytes;
    return files->readFile(files->fullPathForFilename(resourceName.c_str()), bytes) && !bytes.empty();
}

// Why a file the book names cannot be used: "" when it is missing, else what is wrong with it.
// Read through the file utilities, so that an archived book is checked the same way.
std::string fileTrouble(const std::string& fullPath, const char* undecodable) {
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    if (!files->isFileExist(fullPath)) {
        std::error_code error;
        return std::filesystem::exists(fullPath, error) ? "not a file" : "";
    }
    std::string bytes;
    if (!files->readFile(fullPath, bytes)) {
        return "empty file";
    }
    return undecodable;
}

// Narration decodes on the same back end that headless runs play it with.
double narrationSeconds(const std::string& fullPath) {
    static VirtualAudioBackend decoder;
    return decoder.trackDuration(fullPath);
}

// What a page opened from the contents list starts from: no document singletons, no sprite
// frames of other pages.
void freshDocumentState() {
    DictionaryAccessor::purge();
    UIToolbox::purgeToolbox();
    ActionManager::destroyInstance();
    CCSpriteFrameCache::sharedSpriteFrameCache()->removeSpriteFrames();
    CCTextureCache::sharedTextureCache()->removeUnusedTextures();
    CCPoolManager::sharedPoolManager()->pop();
}

class DocumentChecker {
public:
    DocumentChecker(DocumentReport& report, AllowList& allow) : m_report(report), m_allow(allow) {}

    void find(const std::string& code, const std::string& detail = std::string(), const std::string& why = "") {
        Finding finding{m_report.scope, code, detail, m_allow.allows(m_report.scope, code, detail), why};
        m_report.findings.push_back(finding);
    }

    // Reads the document with the program's reader; the root widget with a reference the caller
    // releases, or null.
    UIWidget* read() {
        std::string text;
        CCFileUtils* files = CCFileUtils::sharedFileUtils();
        if (!files->readFile(files->fullPathForFilename(m_report.document.c_str()), text) || text.empty() ||
            text[0] == '\0') {
            m_report.tree = "missing";
            find("missing-document", m_report.document,
                 text.empty() ? fileTrouble(files->fullPathForFilename(m_report.document.c_str()), "")
                              : "starts with a NUL byte");
            return nullptr;
        }
        if (text.size() > kLargeDocument) {
            find("large-document", m_report.document, std::to_string(text.size()) + " bytes");
        }
        JsonDictionary document;
        const bool parsed = document.loadText(text.data(), text.size());
        UIWidget* root = CCSGUIReader::sharedReader()->widgetFromFile(m_report.document.c_str());
        if (root) {
            root->retain();
        }
        if (!parsed) {
            m_report.tree = "unparsed";
            find("unparsed-document", m_report.document, "not valid JSON all through, or nested too deep");
        } else if (!root) {
            m_report.tree = "no tree";
            find("no-tree", m_report.document);
        }
        // The reader is still set up for this document: its folder and key set resolve the
        // image names below as the property readers did.
        std::unique_ptr<JsonDictionary> tree = document.getDictionary("widgetTree");
        walk(tree.get());
        checkSheets(document);
        return root;
    }

    // Characters that cannot be text (malformed UTF-8, NUL, noncharacters) show as boxes or
    // replacement marks, and some text libraries take them for their own markers.
    void checkCharacters(const std::string& key, const std::string& text) {
        const std::string where = badCharacter(text);
        if (!where.empty()) {
            find("bad-character", key, where);
        }
    }

    // A caption whose characters no installed font has would show boxes.
    void checkGlyphs(const std::string& key, const std::string& text) {
        const ShapedFace face(FontRasterizer::fontFileForName(kCaptionFont), kCaptionFontSize);
        const ShapedFace::Coverage coverage = face.coverage(text);
        if (coverage.missing > 0) {
            char first[16];
            std::snprintf(first, sizeof first, "U+%04X", static_cast<unsigned>(coverage.firstMissing));
            find("missing-glyph", key,
                 std::string(first) + " (" + std::to_string(coverage.missing) + " characters no installed font has)");
        }
    }

    void checkSentences(int page, UIWidget* root) {
        CCDictionary* captions = CCDictionary::createWithContentsOfFile("Stringstr.xml");
        std::set<std::string> sentenceNames;
        int highest = 0;
        std::vector<bool> present(sentence::kLastIndex + 1, false);
        for (int i = sentence::kFirstIndex; i <= sentence::kLastIndex; ++i) {
            const std::string name = sentence::buttonName(page, i);
            sentenceNames.insert(name);
            UIWidget* button = root ? UIToolbox::sharedToolbox()->findWidgetByName(root, name.c_str()) : nullptr;
            if (!button) {
                continue;
            }
            present[i] = true;
            highest = i;
            ++m_report.sentences;
            if (!dynamic_cast<UIButton*>(button)) {
                find("not-a-button", name);
            }
            const std::string key = sentence::textKey(page, i);
            const CCString* text = captions ? dynamic_cast<const CCString*>(captions->objectForKey(key)) : nullptr;
            // The caption the reader shows for the sentence, if any: word timings are checked
            // against it.
            const CCString* shown = nullptr;

            if (text) {
                checkCharacters(key, text->str());
            }
            if (!text) {
                find("missing-caption", key);
            } else if (text->length() > kLongestCaption) {
                find("long-caption", key, std::to_string(text->length()) + " bytes");
            } else if (utf8::sanitize(text->str()) != text->str()) {
                find("bad-caption", key, "not valid UTF-8");
            } else {
                ++m_report.captions;
                checkGlyphs(key, text->str());
                shown = text;
            }
            const std::string narration = sentence::narrationName(page, i);
            const std::string narrationFile =
                CCFileUtils::sharedFileUtils()->fullPathForFilename(sentence::narrationPath(narration).c_str());
            if (narrationSeconds(narrationFile) > 0.0) {
                ++m_report.narrations;
            } else if (fileHasData(sentence::narrationPath(narration))) {
                find("bad-narration", narration, "cannot be decoded");
            } else {
                find("missing-narration", narration, fileTrouble(narrationFile, ""));
            }
            checkWordLabels(narration, shown, narrationSeconds(narrationFile));
        }
        // Auto-play reads every index up to the highest one found, gaps included.
        for (int i = sentence::kFirstIndex; i < highest; ++i) {
            if (!present[i]) {
                find("sentence-gap", std::to_string(i));
            }
        }
        if (highest == 0) {
            find("no-sentences");
        }
        findUnreadSentences(root, sentenceNames);
    }

    // The label file beside a sentence's track, when there is one: every finding of its own,
    // then against the caption and the track's length.
    void checkWordLabels(const std::string& narration, const CCString* caption, double trackSeconds) {
        const std::string labels = wordlabels::pathForTrack(sentence::narrationPath(narration));
        CCFileUtils* files = CCFileUtils::sharedFileUtils();
        std::string bytes;
        if (!files->readFile(files->fullPathForFilename(labels.c_str()), bytes, wordlabels::kLargestFile)) {
            return;
        }
        wordlabels::File file = wordlabels::parse(bytes);
        if (caption) {
            wordlabels::matchCaption(file, caption->str());
        }
        if (trackSeconds > 0.0) {
            wordlabels::checkTrackLength(file, trackSeconds);
        }
        for (const wordlabels::Finding& finding : file.findings) {
            const std::string where = finding.line > 0 ? "line " + std::to_string(finding.line) + ": " : "";
            find(wordlabels::faultCode(finding.fault), labels, where + finding.detail);
        }
    }

    void checkSettingButtons(UIWidget* root) {
        for (const char* name : kSettingButtons) {
            UIWidget* button = root ? UIToolbox::sharedToolbox()->findWidgetByName(root, name) : nullptr;
            if (!button) {
                find("missing-setting", name);
            } else if (!dynamic_cast<UIButton*>(button)) {
                find("not-a-button", name);
            }
        }
    }

private:
    void walk(const JsonDictionary* node) {
        if (!node) {
            return;
        }
        const char* className = node->getString("classname");
        const WidgetClassEntry* entry = findWidgetClass(className);
        if (!entry || !entry->create) {
            // The reader builds nothing here, nor below.
            find("unknown-class", className ? className : "(none)");
            return;
        }
        std::unique_ptr<JsonDictionary> options = node->getDictionary("options");
        checkKinds(className, options.get());
        checkImages(className, options.get());
        for (const char* key : {"text", "placeHolder"}) {
            if (options && options->hasKey(key)) {
                if (const char* value = options->getString(key)) {
                    checkCharacters(std::string(className) + "." + key, value);
                }
            }
        }
        const int children = node->getArraySize("children");
        for (int i = 0; i < children; ++i) {
            std::unique_ptr<JsonDictionary> child = node->getArrayElement("children", i);
            walk(child.get());
        }
    }

    void checkKinds(const char* className, const JsonDictionary* options) {
        if (!options) {
            return;
        }
        constexpr double kIntMax = 2147483647.0;
        for (const KeyKind& entry : kOptionKinds) {
            if (!options->hasKey(entry.key)) {
                continue;
            }
            const std::string where = std::string(className) + "." + entry.key;
            bool right = false;
            switch (entry.kind) {
                case Kind::Integer:
                case Kind::Real: {
                    // Booleans count as numbers for the readers; the two defaults tell a number
                    // (or boolean) from anything else.
                    const double a = options->getFloat(entry.key, 1.5);
                    const double b = options->getFloat(entry.key, 2.5);
                    right = a == b;
                    if (right && entry.kind == Kind::Integer && (a > kIntMax || a < -kIntMax - 1.0)) {
                        find("out-of-range", where, "beyond 32 bits");
                    } else if (right && !(a > -1e30 && a < 1e30)) {
                        find("out-of-range", where, "too large to place anything");
                    }
                    break;
                }
                case Kind::String:
                    right = options->getString(entry.key) != nullptr;
                    break;
                case Kind::Bool:
                    right = options->getBool(entry.key, false) == options->getBool(entry.key, true);
                    break;
                case Kind::Object:
                    right = options->getDictionary(entry.key) != nullptr;
                    break;
            }
            if (!right) {
                find("wrong-kind", where, std::string("should be ") + kindName(entry.kind));
            }
        }
    }

    // The sprite sheets a document names: each must read as an atlas whose image can be read,
    // and every frame it declares must have made it into the frame cache (the cache refuses
    // malformed frames and frames reaching outside their image).
    void checkSheets(const JsonDictionary& document) {
        const CCSGUIReader& reader = *CCSGUIReader::sharedReader();
        const int count = document.getArraySize("textures");
        for (int i = 0; i < count; ++i) {
            const char* name = document.getArrayString("textures", i);
            if (!name) {
                find("bad-sheet", "textures[" + std::to_string(i) + "]", "not a file name");
                continue;
            }
            const std::string path = reader.getFilePath() + name;
            const std::string trouble = fileTrouble(path, "");
            if (trouble.empty() && !CCFileUtils::sharedFileUtils()->isFileExist(path)) {
                find("missing-sheet", displayPath(path));
                continue;
            }
            if (!trouble.empty()) {
                find("bad-sheet", displayPath(path), trouble);
                continue;
            }
            CCDictionary* atlas = CCDictionary::createWithContentsOfFile(path.c_str());
            CCDictionary* frames = atlas ? dynamic_cast<CCDictionary*>(atlas->objectForKey("frames")) : nullptr;
            if (!frames || frames->count() == 0) {
                find("bad-sheet", displayPath(path), "not a property list with frames");
                continue;
            }
            int refused = 0;
            for (const auto& frame : frames->elements()) {
                if (!CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName(frame.first.c_str())) {
                    ++refused;
                }
            }
            if (refused == static_cast<int>(frames->count())) {
                find("bad-sheet", displayPath(path), "no frame loads: its image cannot be read, or every frame is bad");
                continue;
            }
            for (const auto& frame : frames->elements()) {
                if (!CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName(frame.first.c_str())) {
                    find("bad-frame", displayPath(path) + ":" + frame.first, "malformed, or outside its image");
                }
            }
        }
    }

    void checkImages(const char* className, const JsonDictionary* options) {
        const CCSGUIReader& reader = *CCSGUIReader::sharedReader();
        const DictionaryAccessor& json = *DictionaryAccessor::shared();
        for (const ClassImages& images : kClassImages) {
            if (std::strcmp(images.className, className) != 0) {
                continue;
            }
            for (std::size_t k = 0; k < images.count; ++k) {
                const ImageKey& key = images.keys[k];
                if (key.onlyWith && !json.hasKey(options, key.onlyWith)) {
                    continue;
                }
                checkImage(reader.isOlderSchema() ? ImageReference::older(reader, json.getString(options, key.older),
                                                                          json.getBool(options, "useMergedTexture"))
                                                  : ImageReference::newer(reader, options, key.newer));
            }
        }
    }

    void checkImage(const ImageReference& image) {
        // No name means no image; the widget keeps its look as it was.
        if (!image.callLoader || !image.hasName || image.path.empty()) {
            return;
        }
        ++m_report.images;
        if (image.textureKind == UI_TEX_TYPE_PLIST) {
            if (CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName(image.path.c_str())) {
                ++m_report.imagesFound;
            } else {
                find("missing-frame", image.path);
            }
        } else if (CCTextureCache::sharedTextureCache()->addImage(image.path.c_str())) {
            ++m_report.imagesFound;
        } else {
            const std::string full = CCFileUtils::sharedFileUtils()->fullPathForFilename(image.path.c_str());
            const std::string trouble = fileTrouble(full, "cannot be decoded as PNG or JPEG");
            find(trouble.empty() ? "missing-image" : "bad-image", displayPath(image.path), trouble);
        }
    }

    // Widgets named like a sentence of some page ("bn" and digits) that this page never reads.
    void findUnreadSentences(UIWidget* widget, const std::set<std::string>& read) {
        if (!widget) {
            return;
        }
        const std::string name = widget->getName();
        if (name.size() > 2 && name.compare(0, 2, "bn") == 0 &&
            name.find_first_not_of("0123456789", 2) == std::string::npos && !read.count(name)) {
            find("unread-sentence", name);
        }
        CCArray* children = widget->getChildren();
        for (unsigned int i = 0; children && i < children->count(); ++i) {
            findUnreadSentences(static_cast<UIWidget*>(children->objectAtIndex(i)), read);
        }
    }

    DocumentReport& m_report;
    AllowList& m_allow;
};

// The caption tables in other languages: a well-formed tag in the name, and every key of the
// book's own table (the reader shows the book's own text where one lacks a key).
template <typename Find>
void checkCaptionTables(const Find& find) {
    CCDictionary* own = CCDictionary::createWithContentsOfFile(captions::tableFile(captions::kBookLanguage).c_str());
    CCArray* ownKeys = own ? own->allKeys() : nullptr;
    const std::string prefix = "Stringstr.";
    for (const std::string& name : CCFileUtils::sharedFileUtils()->fileNamesIn("")) {
        if (name.size() <= prefix.size() + 4 || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - 4, 4, ".xml") != 0) {
            continue;
        }
        const std::string tag = name.substr(prefix.size(), name.size() - prefix.size() - 4);
        if (!language::isWellFormed(tag) || tag == captions::kOff) {
            find("bad-language-tag", name, "not a BCP 47 language tag");
            continue;
        }
        CCDictionary* table = CCDictionary::createWithContentsOfFile(name.c_str());
        if (!table) {
            find("unparsed-document", name);
            continue;
        }
        for (unsigned int i = 0; ownKeys && i < ownKeys->count(); ++i) {
            const CCString* key = dynamic_cast<const CCString*>(ownKeys->objectAtIndex(i));
            if (key && !dynamic_cast<const CCString*>(table->objectForKey(key->str()))) {
                find("missing-translation", tag + ":" + key->str(), "the book's own text shows instead");
            }
        }
    }
}

void checkReaderResources(BookReport& book, AllowList& allow) {
    auto find = [&](const std::string& code, const std::string& detail, const std::string& why = "") {
        book.readerFindings.push_back({"reader", code, detail, allow.allows("reader", code, detail), why});
    };
    for (const char* table : {"String.xml", "Stringstr.xml"}) {
        if (!fileHasData(table)) {
            find("missing-document", table);
        }
    }
    checkCaptionTables(find);
    CCDictionary* strings = CCDictionary::createWithContentsOfFile("String.xml");
    for (const char* key : kReaderStrings) {
        const CCString* value = strings ? dynamic_cast<const CCString*>(strings->objectForKey(key)) : nullptr;
        if (!value) {
            find("missing-string", key);
        } else if (const std::string where = badCharacter(value->str()); !where.empty()) {
            find("bad-character", key, where);
        }
    }
    for (const char* image : kReaderImages) {
        if (!CCTextureCache::sharedTextureCache()->addImage(image)) {
            const std::string trouble = fileTrouble(CCFileUtils::sharedFileUtils()->fullPathForFilename(image),
                                                    "cannot be decoded as PNG or JPEG");
            find(trouble.empty() ? "missing-image" : "bad-image", image, trouble);
        }
    }
}

std::string countOf(int found, int total) {
    return std::to_string(found) + "/" + std::to_string(total);
}

std::string findingLine(const Finding& finding) {
    std::string line = finding.scope + ": " + finding.code;
    if (!finding.detail.empty()) {
        line += " " + finding.detail;
    }
    if (!finding.why.empty()) {
        line += ": " + finding.why;
    }
    return line + (finding.expected ? " (expected)" : "");
}

std::string findingsCell(const std::vector<Finding>& findings) {
    int problems = 0;
    int expected = 0;
    for (const Finding& finding : findings) {
        (finding.expected ? expected : problems) += 1;
    }
    if (problems == 0 && expected == 0) {
        return "ok";
    }
    std::string cell;
    if (problems > 0) {
        cell = std::to_string(problems) + (problems == 1 ? " problem" : " problems");
    }
    if (expected > 0) {
        cell += (cell.empty() ? "" : ", ") + std::to_string(expected) + " expected";
    }
    return cell;
}

}  // namespace

int BookReport::problems() const {
    int count = 0;
    for (const DocumentReport& document : documents) {
        for (const Finding& finding : document.findings) {
            count += finding.expected ? 0 : 1;
        }
    }
    for (const Finding& finding : readerFindings) {
        count += finding.expected ? 0 : 1;
    }
    return count;
}

int BookReport::expected() const {
    int count = 0;
    for (const DocumentReport& document : documents) {
        for (const Finding& finding : document.findings) {
            count += finding.expected ? 1 : 0;
        }
    }
    for (const Finding& finding : readerFindings) {
        count += finding.expected ? 1 : 0;
    }
    return count;
}

BookReport checkBook(AllowList& allow) {
    BookReport book;
    book.resources = CCFileUtils::sharedFileUtils()->getResourceRoot();
    checkReaderResources(book, allow);

    for (int page = sentence::kFirstPage; page <= sentence::kLastPage; ++page) {
        freshDocumentState();
        DocumentReport report;
        report.scope = std::to_string(page);
        report.document = sentence::pageDocument(page);
        DocumentChecker checker(report, allow);
        UIWidget* root = checker.read();
        if (report.tree != "missing") {
            checker.checkSentences(page, root);
        }
        if (root) {
            root->release();
        }
        book.documents.push_back(std::move(report));
    }

    freshDocumentState();
    DocumentReport settings;
    settings.scope = "settings";
    settings.document = "3age/pageset.json";
    DocumentChecker checker(settings, allow);
    UIWidget* root = checker.read();
    if (settings.tree != "missing") {
        checker.checkSettingButtons(root);
    }
    if (root) {
        root->release();
    }
    book.documents.push_back(std::move(settings));
    freshDocumentState();

    for (const AllowList::Entry& entry : allow.entries()) {
        if (!entry.used) {
            book.staleAllowances.push_back(allow.path() + ":" + std::to_string(entry.line) + ": " + entry.scope + " " +
                                           entry.code + (entry.detail.empty() ? "" : " " + entry.detail));
        }
    }
    return book;
}

void printBookReport(const BookReport& report, std::ostream& out) {
    out << "lirava-check: " << report.resources << "\n\n";
    out << std::left << std::setw(10) << "page" << std::setw(38) << "document" << std::setw(10) << "tree"
        << std::setw(11) << "sentences" << std::setw(10) << "captions" << std::setw(11) << "narration" << std::setw(10)
        << "images"
        << "findings\n";
    int sentences = 0;
    int captions = 0;
    int narrations = 0;
    int images = 0;
    int imagesFound = 0;
    for (const DocumentReport& document : report.documents) {
        const bool page = document.scope != "settings";
        out << std::setw(10) << document.scope << std::setw(38) << document.document << std::setw(10) << document.tree
            << std::setw(11) << (page ? std::to_string(document.sentences) : "-") << std::setw(10)
            << (page ? countOf(document.captions, document.sentences) : "-") << std::setw(11)
            << (page ? countOf(document.narrations, document.sentences) : "-") << std::setw(10)
            << countOf(document.imagesFound, document.images) << findingsCell(document.findings) << "\n";
        sentences += document.sentences;
        captions += document.captions;
        narrations += document.narrations;
        images += document.images;
        imagesFound += document.imagesFound;
    }
    out << std::setw(10) << "reader" << std::setw(38) << "String.xml, Stringstr.xml, Images/" << std::setw(52) << ""
        << findingsCell(report.readerFindings) << "\n";

    std::vector<std::string> lines;
    for (const Finding& finding : report.readerFindings) {
        lines.push_back(findingLine(finding));
    }
    for (const DocumentReport& document : report.documents) {
        for (const Finding& finding : document.findings) {
            lines.push_back(findingLine(finding));
        }
    }
    if (!lines.empty()) {
        out << "\nfindings:\n";
        for (const std::string& line : lines) {
            out << "  " << line << "\n";
        }
    }
    if (!report.staleAllowances.empty()) {
        out << "\nallowed but not found (the allow list is out of date):\n";
        for (const std::string& line : report.staleAllowances) {
            out << "  " << line << "\n";
        }
    }
    const int pages = static_cast<int>(report.documents.size()) - 1;
    out << "\n"
        << pages << " pages and the settings document: " << sentences << " sentences, " << captions << " captions, "
        << narrations << " narration files, " << imagesFound << " of " << images << " images; " << report.problems()
        << (report.problems() == 1 ? " problem, " : " problems, ") << report.expected() << " expected" << std::endl;
}

int runBookCheck(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    std::string resources = defaultResourceRoot();
    std::string allowPath;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc && argv[i + 1][0] != '\0';
        if (std::strcmp(argv[i], "--resources") == 0 && hasValue) {
            resources = argv[++i];
        } else if (std::strcmp(argv[i], "--allow") == 0 && hasValue) {
            allowPath = argv[++i];
        } else {
            err << kUsage << std::endl;
            return 2;
        }
    }
    if (const int status = setUpHeadlessEngine(resources, err)) {
        return status;
    }
    if (allowPath.empty()) {
        allowPath = CCFileUtils::sharedFileUtils()->fullPathForFilename(kAllowFileName);
    } else if (!std::filesystem::is_regular_file(allowPath)) {
        err << "lirava-check: no allow list " << allowPath << std::endl;
        return 2;
    }
    AllowList allow;
    std::string error;
    if (!allow.load(allowPath, error)) {
        err << "lirava-check: " << error << std::endl;
        return 2;
    }

    const BookReport report = checkBook(allow);
    // The document reader prints its own messages through stdio; they stay ahead of the table.
    std::fflush(stdout);
    printBookReport(report, out);
    const std::string damage = CCFileUtils::sharedFileUtils()->resourceDamage();
    tearDownHeadlessEngine();
    if (!damage.empty()) {
        err << "lirava-check: " << damage << std::endl;
        return 1;
    }
    return report.problems() == 0 ? 0 : 1;
}

}  // namespace lirava::check
