#include "gui/widgets/ImageRenderer.h"

#include "engine/nodes/CCSprite.h"
#include "gui/widgets/CCScale9Sprite.h"

namespace lirava {

CCNodeRGBA* createImageRenderer(bool scale9) {
    if (scale9) {
        return CCScale9Sprite::create();
    }
    return CCSprite::create();
}

void loadImageRenderer(CCNode* renderer, const char* fileName, TextureResType texType) {
    const bool fromFrame = texType == UI_TEX_TYPE_PLIST;
    if (CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(renderer)) {
        fromFrame ? nine->initWithSpriteFrameName(fileName) : nine->initWithFile(fileName);
    } else if (CCSprite* sprite = dynamic_cast<CCSprite*>(renderer)) {
        fromFrame ? sprite->initWithSpriteFrameName(fileName) : sprite->initWithFile(fileName);
    }
}

}  // namespace lirava
