#include "engine/menu/CCMenuItemImage.h"

#include "engine/nodes/CCSprite.h"

namespace lirava {

namespace {
CCNode* spriteFor(const char* file) {
    return file && *file ? CCSprite::create(file) : nullptr;
}
}  // namespace

CCMenuItemImage* CCMenuItemImage::create() {
    return create(nullptr, nullptr, nullptr, nullptr, nullptr);
}

CCMenuItemImage* CCMenuItemImage::create(const char* normalImage, const char* selectedImage) {
    return create(normalImage, selectedImage, nullptr, nullptr, nullptr);
}

CCMenuItemImage* CCMenuItemImage::create(const char* normalImage, const char* selectedImage,
                                         const char* disabledImage) {
    return create(normalImage, selectedImage, disabledImage, nullptr, nullptr);
}

CCMenuItemImage* CCMenuItemImage::create(const char* normalImage, const char* selectedImage, CCObject* target,
                                         SEL_MenuHandler selector) {
    return create(normalImage, selectedImage, nullptr, target, selector);
}

CCMenuItemImage* CCMenuItemImage::create(const char* normalImage, const char* selectedImage, const char* disabledImage,
                                         CCObject* target, SEL_MenuHandler selector) {
    CCMenuItemImage* item = new CCMenuItemImage();
    if (item->initWithNormalImage(normalImage, selectedImage, disabledImage, target, selector)) {
        item->autorelease();
        return item;
    }
    delete item;
    return nullptr;
}

bool CCMenuItemImage::initWithNormalImage(const char* normalImage, const char* selectedImage, const char* disabledImage,
                                          CCObject* target, SEL_MenuHandler selector) {
    return initWithNormalSprite(spriteFor(normalImage), spriteFor(selectedImage), spriteFor(disabledImage), target,
                                selector);
}

}  // namespace lirava
