#pragma once

#include "gui/widgets/UIWidget.h"

namespace lirava {

class UICCLabelAtlas;

// Text drawn from a character-map image of fixed-size cells. Blank until setProperty.
class UILabelAtlas : public UIWidget {
public:
    static UILabelAtlas* create();

    const char* getTypeName() const override;

    // The text, the character map file, the cell size and the map's first character (the first
    // byte of startCharMap).
    void setProperty(const char* stringValue, const char* charMapFile, int itemWidth, int itemHeight,
                     const char* startCharMap);
    void setStringValue(const char* value);
    const char* getStringValue() const;

    void setAnchorPoint(const CCPoint& anchor) override;
    CCNode* getRenderer() override;
    CCSize getRendererSize() override;

    UICCLabelAtlas* getAtlasRenderer() const { return m_labelAtlasRenderer; }

protected:
    void initRenderer() override;
    void handleSizeChange() override;

private:
    UICCLabelAtlas* m_labelAtlasRenderer = nullptr;
};

}  // namespace lirava
