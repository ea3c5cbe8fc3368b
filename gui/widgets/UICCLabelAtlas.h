#pragma once

#include "engine/text/CCLabelAtlas.h"

namespace lirava {

// The character-map label behind UILabelAtlas. It draws nothing until it has been given a
// character map, so an atlas label whose properties were never set stays blank.
class UICCLabelAtlas : public CCLabelAtlas {
public:
    static UICCLabelAtlas* create();

    // False (and still blank) when the character map cannot be read or the cells are empty.
    bool setProperty(const char* text, const char* charMapFile, unsigned int itemWidth, unsigned int itemHeight,
                     unsigned int startCharMap);
    bool hasCharMap() const { return m_hasCharMap; }

    void draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) override;

private:
    bool m_hasCharMap = false;
};

}  // namespace lirava
