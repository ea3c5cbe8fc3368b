#include "gui/document/CCSGUIReader.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "engine/platform/CCDirector.h"
#include "engine/platform/CCFileUtils.h"
#include "gui/action/ActionManager.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/JsonDictionary.h"
#include "gui/document/UIToolbox.h"
#include "gui/document/WidgetClassTable.h"
#include "gui/widgets/Layout.h"
#include "gui/widgets/UIWidget.h"

namespace lirava {

namespace {

CCSGUIReader* g_reader = nullptr;

// The leading decimal digits of text, as a number that stops growing well before it overflows.
long long leadingNumber(const std::string& text) {
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        if (value < 100000000000LL) {
            value = value * 10 + (c - '0');
        }
    }
    return value;
}

int clampedToInt(long long value) {
    constexpr long long kMax = 2147483647LL;
    return static_cast<int>(value > kMax ? kMax : value);
}

}  // namespace

CCSGUIReader* CCSGUIReader::sharedReader() {
    if (!g_reader) {
        g_reader = new CCSGUIReader();
    }
    return g_reader;
}

void CCSGUIReader::purgeReader() {
    if (g_reader) {
        CCSGUIReader* dying = g_reader;
        g_reader = nullptr;
        dying->release();
    }
}

bool CCSGUIReader::exists() {
    return g_reader != nullptr;
}

int CCSGUIReader::versionNumber(const char* version) {
    if (!version || std::strlen(version) < 7) {
        return 0;
    }
    // Three cuts at "."; the fourth piece is whatever follows the third.
    const std::string text(version);
    long long pieces[4] = {0, 0, 0, 0};
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        if (start == std::string::npos || start > text.size()) {
            break;
        }
        const std::size_t dot = i < 3 ? text.find('.', start) : std::string::npos;
        pieces[i] = leadingNumber(text.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
        start = dot == std::string::npos ? std::string::npos : dot + 1;
    }
    return clampedToInt(pieces[0] * 1000 + pieces[1] * 100 + pieces[2] * 10 + pieces[3]);
}

UIWidget* CCSGUIReader::widgetFromFile(const char* documentName) {
    m_olderSchema = false;
    const char* name = documentName ? documentName : "";
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    const std::string fullPath = files->fullPathForFilename(name);
    unsigned long size = 0;
    std::unique_ptr<unsigned char[]> bytes(files->getFileData(fullPath.c_str(), "r", &size));
    if (!bytes || size == 0 || bytes[0] == 0) {
        std::printf("read json file[%s] error!\n", name);
        std::fflush(stdout);
        return nullptr;
    }

    const DictionaryAccessor* json = DictionaryAccessor::shared();
    JsonDictionary document;
    document.loadText(reinterpret_cast<const char*>(bytes.get()), size);
    bytes.reset();
    if (versionNumber(json->getString(&document, "version")) < 250) {
        m_olderSchema = true;
    }

    const int textureCount = json->getArraySize(&document, "textures");
    const std::size_t slash = fullPath.rfind('/');
    m_filePath = slash == std::string::npos ? std::string() : fullPath.substr(0, slash + 1);
    UIToolbox* toolbox = UIToolbox::sharedToolbox();
    for (int i = 0; i < textureCount; ++i) {
        if (const char* sheet = json->getArrayString(&document, "textures", i)) {
            toolbox->addSpriteFrames((m_filePath + sheet).c_str());
        }
    }

    const float designWidth = json->getFloat(&document, "designWidth");
    const float designHeight = json->getFloat(&document, "designHeight");
    if (!(designWidth > 0.0f) || !(designHeight > 0.0f)) {
        std::printf("Read design size error!\n");
        std::fflush(stdout);
        toolbox->setDesignSize(CCDirector::sharedDirector()->getWinSize());
    } else {
        toolbox->setDesignSize(CCSize(designWidth, designHeight));
    }

    // The document is ours, so the tree is moved out of it rather than copied.
    std::unique_ptr<JsonDictionary> tree = document.takeDictionary("widgetTree");
    UIWidget* root = tree ? buildWidget(tree.get()) : nullptr;
    tree.reset();
    if (root && dynamic_cast<Layout*>(root)) {
        const CCSize& size = root->getSize();
        if (size.width == 0.0f && size.height == 0.0f) {
            root->setSize(CCSize(designWidth, designHeight));
        }
    }

    std::unique_ptr<JsonDictionary> animation = document.takeDictionary("animation");
    ActionManager::instance()->loadDocumentAnimations(name, animation.get(), root);
    return root;
}

UIWidget* CCSGUIReader::widgetFromDictionary(const JsonDictionary* node) {
    if (!node) {
        return buildWidget(nullptr);
    }
    // The caller keeps its dictionary; the walk works on a copy it may take apart.
    JsonDictionary copy(node->root());
    return buildWidget(&copy);
}

UIWidget* CCSGUIReader::buildWidget(JsonDictionary* node) {
    const DictionaryAccessor* json = DictionaryAccessor::shared();
    const char* classNameText = json->getString(node, "classname");
    const std::string className = classNameText ? classNameText : "";
    const bool hasClassName = classNameText != nullptr;
    std::unique_ptr<JsonDictionary> options = node ? node->takeDictionary("options") : nullptr;

    UIWidget* widget = nullptr;
    if (const WidgetClassEntry* entry = (hasClassName ? findWidgetClass(className.c_str()) : nullptr)) {
        if (entry->create) {
            widget = entry->create();
        }
        if (widget && entry->readProperties) {
            entry->readProperties(*this, widget, options.get());
        }
    }

    const int childCount = json->getArraySize(node, "children");
    for (int i = 0; i < childCount; ++i) {
        std::unique_ptr<JsonDictionary> childNode = node->takeArrayElement("children", i);
        // Children of a node that yields nothing are still built; they are autoreleased and go
        // with the pool when nothing takes them.
        UIWidget* child = buildWidget(childNode.get());
        if (widget && child) {
            widget->addChild(child);
        }
    }
    return widget;
}

}  // namespace lirava
