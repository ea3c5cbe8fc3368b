#pragma once

#include <cstdint>
#include <string>

#include "gui/widgets/UIWidget.h"

namespace lirava {

class CCLayerColor;
class CCLayerGradient;
class RectClippingNode;

enum LayoutBackGroundColorType : int {
    LAYOUT_COLOR_NONE = 0,
    LAYOUT_COLOR_SOLID = 1,
    LAYOUT_COLOR_GRADIENT = 2,
};

enum LayoutType : int {
    LAYOUT_ABSOLUTE = 0,
    LAYOUT_LINEAR_VERTICAL = 1,
    LAYOUT_LINEAR_HORIZONTAL = 2,
    LAYOUT_RELATIVE = 3,
};

// The container widget: a rectangle with its lower-left corner at its position that holds child
// widgets, paints an optional background behind them and can clip them to itself.
//
// Drawing order inside the renderer: the colour or gradient layer at z-order -2, the background
// image at -1, then the children at their own z-orders. The layer and the image node are replaced
// when their kind changes and only resized or re-centred when the layout's size changes (a plain
// background sprite keeps its natural size; a nine-slice one is stretched to the layout).
//
// The renderer is a RectClippingNode, which has no colour of its own: the layout keeps the colour
// and opacity it is given, and they reach the background image (now and when it is reloaded), not
// the children.
class Layout : public UIWidget {
public:
    static Layout* create();

    Layout();
    ~Layout() override;

    bool init() override;
    const char* getTypeName() const override;
    // The rectangle from the lower-left corner, whatever the anchor point.
    bool hitTest(const CCPoint& point) override;
    void setColor(const ccColor3B& color) override;
    ccColor3B getColor() override { return m_color; }
    void setOpacity(std::uint8_t opacity) override;
    std::uint8_t getOpacity() override { return m_opacity; }
    CCSize getRendererSize() override;

    virtual void setClippingEnabled(bool enabled);
    virtual bool isClippingEnabled();
    virtual void setLayoutType(LayoutType type);
    virtual LayoutType getLayoutType();
    // Children of an absolute layout keep the positions given to them.
    virtual void doLayout();
    // Where the document key "clipAble" lands; the same as setClippingEnabled.
    virtual void setClippable(bool enabled);

    // --- background image
    // Ignores a null or empty name.
    void setBackGroundImage(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
    void setBackGroundImageScale9Enabled(bool enabled);
    bool isBackGroundImageScale9Enabled() const { return m_backGroundScale9Enabled; }
    void setBackGroundImageCapInsets(const CCRect& capInsets);
    const CCRect& getBackGroundImageCapInsets() const { return m_backGroundImageCapInsets; }
    // The natural size of the background image (its source size when nine-sliced).
    const CCSize& getBackGroundImageTextureSize() const { return m_backGroundImageTextureSize; }
    // A CCSprite or a CCScale9Sprite, or null before the first image.
    CCNode* getBackGroundImage() const { return m_backGroundImage; }

    // --- background colour
    void setBackGroundColorType(LayoutBackGroundColorType type);
    LayoutBackGroundColorType getBackGroundColorType() const { return m_colorType; }
    void setBackGroundColor(const ccColor3B& color);
    void setBackGroundColor(const ccColor3B& startColor, const ccColor3B& endColor);
    const ccColor3B& getBackGroundColor() const { return m_backGroundColor; }
    const ccColor3B& getBackGroundStartColor() const { return m_gradientStartColor; }
    const ccColor3B& getBackGroundEndColor() const { return m_gradientEndColor; }
    void setBackGroundColorOpacity(int opacity);
    int getBackGroundColorOpacity() const { return m_backGroundColorOpacity; }
    void setBackGroundColorVector(const CCPoint& vector);
    const CCPoint& getBackGroundColorVector() const { return m_gradientVector; }
    CCLayerColor* getColorLayer() const { return m_colorLayer; }
    CCLayerGradient* getGradientLayer() const { return m_gradientLayer; }

protected:
    void initRenderer() override;
    void handleSizeChange() override;
    RectClippingNode* clippingRenderer() const;

private:
    void addBackGroundImage();
    void loadBackGroundImage();

    bool m_clippingEnabled = false;
    bool m_backGroundScale9Enabled = false;
    CCNode* m_backGroundImage = nullptr;
    std::string m_backGroundImageFileName;
    CCRect m_backGroundImageCapInsets;
    LayoutBackGroundColorType m_colorType = LAYOUT_COLOR_NONE;
    TextureResType m_backGroundImageTexType = UI_TEX_TYPE_LOCAL;
    CCLayerColor* m_colorLayer = nullptr;
    CCLayerGradient* m_gradientLayer = nullptr;
    ccColor3B m_backGroundColor = {255, 255, 255};
    ccColor3B m_gradientStartColor = {255, 255, 255};
    ccColor3B m_gradientEndColor = {255, 255, 255};
    CCPoint m_gradientVector = CCPoint(0.0f, -1.0f);
    int m_backGroundColorOpacity = 255;
    CCSize m_backGroundImageTextureSize;
    LayoutType m_layoutType = LAYOUT_ABSOLUTE;
    ccColor3B m_color = {255, 255, 255};
    std::uint8_t m_opacity = 255;
};

}  // namespace lirava
