#pragma once

#include "engine/menu/CCMenuItemSprite.h"

namespace lirava {

// A sprite item whose images are made from image files. A missing file gives an item without
// that image (and, for the normal image, an item of zero size).
class CCMenuItemImage : public CCMenuItemSprite {
public:
    static CCMenuItemImage* create();
    static CCMenuItemImage* create(const char* normalImage, const char* selectedImage);
    static CCMenuItemImage* create(const char* normalImage, const char* selectedImage, const char* disabledImage);
    static CCMenuItemImage* create(const char* normalImage, const char* selectedImage, CCObject* target,
                                   SEL_MenuHandler selector);
    static CCMenuItemImage* create(const char* normalImage, const char* selectedImage, const char* disabledImage,
                                   CCObject* target, SEL_MenuHandler selector);
    bool initWithNormalImage(const char* normalImage, const char* selectedImage, const char* disabledImage,
                             CCObject* target, SEL_MenuHandler selector);
};

}  // namespace lirava
