#pragma once

#include <string>

#include "gui/widgets/Scale9Widget.h"

namespace lirava {

// One image, a plain sprite or (with nine-slice on) a CCScale9Sprite, from a file or a sprite
// frame. Sized like a button's normal image: its natural size with ignoreSize on, stretched to
// the requested size with it off; a nine-slice image view refuses setIgnoreSize(true).
class UIImageView : public Scale9Widget {
public:
    static UIImageView* create();

    UIImageView();
    ~UIImageView() override;

    const char* getTypeName() const override;

    // Ignores a null or empty name.
    void loadTexture(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
    virtual void setScale9Enabled(bool enabled);
    void setCapInsets(const CCRect& capInsets);
    const CCRect& getCapInsets() const { return m_capInsets; }

    void setAnchorPoint(const CCPoint& anchor) override;
    void setFlipX(bool flipX) override;
    bool isFlipX() override;
    void setFlipY(bool flipY) override;
    bool isFlipY() override;
    // The image node.
    CCNode* getRenderer() override;
    CCSize getRendererSize() override;

protected:
    void initRenderer() override;
    void handleSizeChange() override;

private:
    void loadInto(CCNode* node);
    void fitImage();

    CCRect m_capInsets;
    CCNode* m_imageRenderer = nullptr;
    std::string m_textureFile;
    TextureResType m_imageTexType = UI_TEX_TYPE_LOCAL;
    CCSize m_imageTextureSize;
};

}  // namespace lirava
