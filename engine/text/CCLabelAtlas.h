#pragma once

#include <string>

#include "engine/nodes/CCAtlasNode.h"
#include "engine/text/CCLabelProtocol.h"

namespace lirava {

// Text drawn from a character-map image: character c shows cell (c - startCharMap), cells
// counted left to right and top to bottom, each itemWidth x itemHeight pixels. Characters are
// bytes; one outside the map leaves its place empty. Content size = (bytes x itemWidth,
// itemHeight).
class CCLabelAtlas : public CCAtlasNode, public CCLabelProtocol {
public:
    // An empty label with no character map; it draws nothing until initWithString.
    static CCLabelAtlas* create();
    // Null when the character map cannot be read.
    static CCLabelAtlas* create(const char* text, const char* charMapFile, unsigned int itemWidth,
                                unsigned int itemHeight, unsigned int startCharMap);

    bool init() override { return true; }
    bool initWithString(const char* text, const char* charMapFile, unsigned int itemWidth, unsigned int itemHeight,
                        unsigned int startCharMap);
    bool initWithString(const char* text, CCTexture2D* texture, unsigned int itemWidth, unsigned int itemHeight,
                        unsigned int startCharMap);

    void setString(const char* text) override;
    const char* getString() override { return m_string.c_str(); }
    unsigned int getStartCharMap() const { return m_mapStartChar; }

    void updateAtlasValues() override;

private:
    std::string m_string;
    unsigned int m_mapStartChar = 0;
};

}  // namespace lirava
