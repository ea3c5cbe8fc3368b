#pragma once

#include <string>

#include "gui/widgets/Scale9Widget.h"

namespace lirava {

class CCLabelTTF;

// A tappable widget with three looks (normal, pressed, disabled), each a plain sprite or, with
// nine-slice on, a CCScale9Sprite; and a title label centred on it.
//
// Sizing: with ignoreSize on, the button takes the natural size of its normal image and shows
// every image at scale 1; with it off, each image is stretched to the requested size (nine-slice
// images by their preferred size). A nine-slice button always uses its requested size: it refuses
// setIgnoreSize(true), and switching nine-slice off brings back the ignoreSize it had before.
//
// The title keeps its own colour when the button's colour changes.
class UIButton : public Scale9Widget {
public:
    static UIButton* create();

    UIButton();
    ~UIButton() override;

    bool init() override;
    const char* getTypeName() const override;

    // Each ignores a null or empty name. A name that cannot be loaded leaves the look empty.
    void loadTextures(const char* normal, const char* pressed, const char* disabled,
                      TextureResType texType = UI_TEX_TYPE_LOCAL);
    void loadTextureNormal(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
    void loadTexturePressed(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
    void loadTextureDisabled(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);

    // The same insets for all three looks.
    void setCapInsets(const CCRect& capInsets);
    void setCapInsetsNormalRenderer(const CCRect& capInsets);
    void setCapInsetsPressedRenderer(const CCRect& capInsets);
    void setCapInsetsDisabledRenderer(const CCRect& capInsets);
    virtual void setScale9Enabled(bool enabled);

    void setTitleText(const char* text);
    const char* getTitleText() const;
    void setTitleColor(const ccColor3B& color);
    const ccColor3B& getTitleColor() const { return m_titleColor; }
    void setTitleFontSize(float size);
    float getTitleFontSize() const;
    void setTitleFontName(const char* fontName);
    const char* getTitleFontName() const;

    void setAnchorPoint(const CCPoint& anchor) override;
    void setFlipX(bool flipX) override;
    bool isFlipX() override;
    void setFlipY(bool flipY) override;
    bool isFlipY() override;
    void setColor(const ccColor3B& color) override;
    // The node of the look on show: disabled when not bright, else normal or pressed; null while
    // no look is set.
    CCNode* getRenderer() override;
    // The normal image's natural size.
    CCSize getRendererSize() override;

    CCNode* getNormalImage() const { return m_normalRenderer; }
    CCNode* getPressedImage() const { return m_pressedRenderer; }
    CCNode* getDisabledImage() const { return m_disabledRenderer; }
    CCLabelTTF* getTitleRenderer() const { return m_titleRenderer; }
    const CCSize& getNormalTextureSize() const { return m_normalTextureSize; }
    const CCSize& getPressedTextureSize() const { return m_pressedTextureSize; }
    const CCSize& getDisabledTextureSize() const { return m_disabledTextureSize; }

protected:
    void initRenderer() override;
    void handleSizeChange() override;
    void showNormalLook() override;
    void showPressedLook() override;
    void showDisabledLook() override;

private:
    // Loads the image into a look node; returns the node's natural size.
    CCSize loadLook(CCNode* node, const char* fileName, TextureResType texType);
    void replaceLookNodes();
    void fitNormal();
    void fitSecondary(CCNode* node, const CCSize& textureSize);
    void placeTitle();

    CCNode* m_normalRenderer = nullptr;
    CCNode* m_pressedRenderer = nullptr;
    CCNode* m_disabledRenderer = nullptr;
    CCLabelTTF* m_titleRenderer = nullptr;
    std::string m_normalFileName;
    std::string m_pressedFileName;
    std::string m_disabledFileName;
    CCRect m_capInsetsNormal;
    CCRect m_capInsetsPressed;
    CCRect m_capInsetsDisabled;
    TextureResType m_normalTexType = UI_TEX_TYPE_LOCAL;
    TextureResType m_pressedTexType = UI_TEX_TYPE_LOCAL;
    TextureResType m_disabledTexType = UI_TEX_TYPE_LOCAL;
    CCSize m_normalTextureSize;
    CCSize m_pressedTextureSize;
    CCSize m_disabledTextureSize;
    ccColor3B m_titleColor = {255, 255, 255};
};

}  // namespace lirava
