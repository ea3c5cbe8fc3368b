#pragma once

#include "gui/widgets/UIWidget.h"

namespace lirava {

class CCSprite;

// A two-state widget drawn from five stacked sprites: the box, the box while pressed, the cross
// shown while ticked, and disabled variants of the box and of the cross. A tap that ends inside
// the box toggles it.
//
// The listener hears began and moved as usual, and ended (2) only for a release inside, right
// before the state toggles; a release outside the box tells the listener nothing and leaves the
// state as it was.
//
// The cross follows the ticked state, except that the disabled look hides it and shows the
// disabled cross instead (only while ticked); the normal and pressed looks do not bring it back,
// the next setSelectedState does.
class UICheckBox : public UIWidget {
public:
    static UICheckBox* create();

    UICheckBox();
    ~UICheckBox() override;

    bool init() override;
    const char* getTypeName() const override;

    // All five images from one kind of source.
    void loadTextures(const char* backGround, const char* backGroundSelected, const char* cross,
                      const char* backGroundDisabled, const char* frontCrossDisabled,
                      TextureResType texType = UI_TEX_TYPE_LOCAL);
    // Each ignores a null or empty name.
    void loadTextureBackGround(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
    void loadTextureBackGroundSelected(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
    void loadTextureFrontCross(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
    void loadTextureBackGroundDisabled(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
    void loadTextureFrontCrossDisabled(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);

    void setSelectedState(bool selected);
    bool getSelectedState() const { return m_isSelected; }

    void setAnchorPoint(const CCPoint& anchor) override;
    void setFlipX(bool flipX) override;
    bool isFlipX() override;
    void setFlipY(bool flipY) override;
    bool isFlipY() override;
    void onTouchEnded(const CCPoint& point) override;
    // The box sprite.
    CCNode* getRenderer() override;
    CCSize getRendererSize() override;

    CCSprite* getBackGroundBox() const { return m_backGroundBoxRenderer; }
    CCSprite* getBackGroundBoxSelected() const { return m_backGroundSelectedBoxRenderer; }
    CCSprite* getFrontCross() const { return m_frontCrossRenderer; }
    CCSprite* getBackGroundBoxDisabled() const { return m_backGroundBoxDisabledRenderer; }
    CCSprite* getFrontCrossDisabled() const { return m_frontCrossDisabledRenderer; }

protected:
    void initRenderer() override;
    void handleSizeChange() override;
    void showNormalLook() override;
    void showPressedLook() override;
    void showDisabledLook() override;

private:
    bool loadInto(CCSprite* sprite, const char* fileName, TextureResType texType, TextureResType& storedType);
    void fitBox();
    void fitSecondary(CCSprite* sprite);

    CCSprite* m_backGroundBoxRenderer = nullptr;
    CCSprite* m_backGroundSelectedBoxRenderer = nullptr;
    CCSprite* m_frontCrossRenderer = nullptr;
    CCSprite* m_backGroundBoxDisabledRenderer = nullptr;
    CCSprite* m_frontCrossDisabledRenderer = nullptr;
    bool m_isSelected = true;
    TextureResType m_backGroundTexType = UI_TEX_TYPE_LOCAL;
    TextureResType m_backGroundSelectedTexType = UI_TEX_TYPE_LOCAL;
    TextureResType m_frontCrossTexType = UI_TEX_TYPE_LOCAL;
    TextureResType m_backGroundDisabledTexType = UI_TEX_TYPE_LOCAL;
    TextureResType m_frontCrossDisabledTexType = UI_TEX_TYPE_LOCAL;
};

}  // namespace lirava
