#pragma once

#include <string>

#include "gui/widgets/Scale9Widget.h"

namespace lirava {

enum LoadingBarType {
    // Grows from the left edge.
    LoadingBarTypeLeft = 0,
    // Grows from the right edge; a plain bar image is shown mirrored.
    LoadingBarTypeRight = 1,
};

// A horizontal bar showing a whole percentage (0 to 100, 100 at first) of its length. A plain bar
// image is cropped to the percentage by its texture rectangle (a sprite frame keeps its place in
// its sheet); a nine-slice bar is sized to it instead.
//
// Sizing: with ignoreSize on the bar has its image's natural size and length; with it off the
// image is stretched to the requested size. A nine-slice bar always uses its requested size.
// Percentages outside 0..100, and any percentage while the bar has no length yet, are ignored.
class UILoadingBar : public Scale9Widget {
public:
    static UILoadingBar* create();

    UILoadingBar();
    ~UILoadingBar() override;

    const char* getTypeName() const override;

    // Ignores a null or empty name.
    void loadTexture(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
    // 0 grows from the left, 1 from the right; other values are stored and count as 0.
    void setDirection(int direction);
    int getDirection() const { return m_direction; }
    void setPercent(int percent);
    int getPercent() const { return m_percent; }
    virtual void setScale9Enabled(bool enabled);
    void setCapInsets(const CCRect& capInsets);
    const CCRect& getCapInsets() const { return m_capInsets; }

    // The bar node.
    CCNode* getRenderer() override;
    // The bar image's natural size.
    CCSize getRendererSize() override;

    float getFullLength() const { return m_fullLength; }
    const CCSize& getBarTextureSize() const { return m_barTextureSize; }

protected:
    void initRenderer() override;
    void handleSizeChange() override;

private:
    void placeBar();
    void applyPercent();

    int m_direction = LoadingBarTypeLeft;
    int m_percent = 100;
    float m_fullLength = 0.0f;
    CCNode* m_barRenderer = nullptr;
    TextureResType m_barTexType = UI_TEX_TYPE_LOCAL;
    CCSize m_barTextureSize;
    CCRect m_capInsets;
    std::string m_textureFile;
};

}  // namespace lirava
