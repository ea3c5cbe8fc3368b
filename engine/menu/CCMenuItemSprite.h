#pragma once

#include "engine/menu/CCMenuItem.h"

namespace lirava {

// A menu item showing one of up to three images: normal, selected (while pressed) and
// disabled. The item takes the normal image's size; colour and opacity reach all three.
class CCMenuItemSprite : public CCMenuItem {
public:
    static CCMenuItemSprite* create(CCNode* normal, CCNode* selected, CCNode* disabled = nullptr);
    static CCMenuItemSprite* create(CCNode* normal, CCNode* selected, CCObject* target, SEL_MenuHandler selector);
    static CCMenuItemSprite* create(CCNode* normal, CCNode* selected, CCNode* disabled, CCObject* target,
                                    SEL_MenuHandler selector);
    bool initWithNormalSprite(CCNode* normal, CCNode* selected, CCNode* disabled, CCObject* target,
                              SEL_MenuHandler selector);

    CCNode* getNormalImage() const { return m_normalImage; }
    // Swaps the image shown when the item is neither pressed nor disabled.
    void setNormalImage(CCNode* image);
    CCNode* getSelectedImage() const { return m_selectedImage; }
    void setSelectedImage(CCNode* image);
    CCNode* getDisabledImage() const { return m_disabledImage; }
    void setDisabledImage(CCNode* image);

    void selected() override;
    void unselected() override;
    void setEnabled(bool enabled) override;

protected:
    // Shows the image that fits the item's state and hides the others.
    void updateImagesVisibility();
    void replaceImage(CCNode*& slot, CCNode* image, int tag);

    CCNode* m_normalImage = nullptr;
    CCNode* m_selectedImage = nullptr;
    CCNode* m_disabledImage = nullptr;
};

}  // namespace lirava
