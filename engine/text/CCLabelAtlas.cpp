#include "engine/text/CCLabelAtlas.h"

namespace lirava {

CCLabelAtlas* CCLabelAtlas::create() {
    CCLabelAtlas* label = new CCLabelAtlas();
    label->autorelease();
    return label;
}

CCLabelAtlas* CCLabelAtlas::create(const char* text, const char* charMapFile, unsigned int itemWidth,
                                   unsigned int itemHeight, unsigned int startCharMap) {
    CCLabelAtlas* label = new CCLabelAtlas();
    if (label->initWithString(text, charMapFile, itemWidth, itemHeight, startCharMap)) {
        label->autorelease();
        return label;
    }
    label->release();
    return nullptr;
}

bool CCLabelAtlas::initWithString(const char* text, const char* charMapFile, unsigned int itemWidth,
                                  unsigned int itemHeight, unsigned int startCharMap) {
    const std::size_t length = text ? std::char_traits<char>::length(text) : 0;
    if (!initWithTileFile(charMapFile, itemWidth, itemHeight, static_cast<unsigned int>(length))) {
        return false;
    }
    m_mapStartChar = startCharMap;
    setString(text);
    return true;
}

bool CCLabelAtlas::initWithString(const char* text, CCTexture2D* texture, unsigned int itemWidth,
                                  unsigned int itemHeight, unsigned int startCharMap) {
    const std::size_t length = text ? std::char_traits<char>::length(text) : 0;
    if (!initWithTexture(texture, itemWidth, itemHeight, static_cast<unsigned int>(length))) {
        return false;
    }
    m_mapStartChar = startCharMap;
    setString(text);
    return true;
}

void CCLabelAtlas::setString(const char* text) {
    m_string = text ? text : "";
    updateAtlasValues();
    setContentSize(CCSize(static_cast<float>(m_string.size()) * m_itemWidth, static_cast<float>(m_itemHeight)));
}

void CCLabelAtlas::updateAtlasValues() {
    m_quads.clear();
    for (std::size_t i = 0; i < m_string.size(); ++i) {
        const unsigned int c = static_cast<unsigned char>(m_string[i]);
        if (c < m_mapStartChar) {
            continue;  // before the map: nothing to draw
        }
        appendCell(c - m_mapStartChar, static_cast<float>(i) * m_itemWidth, 0.0f);
    }
}

}  // namespace lirava
