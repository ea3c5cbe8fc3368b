#include "gui/widgets/UICCLabelAtlas.h"

namespace lirava {

UICCLabelAtlas* UICCLabelAtlas::create() {
    UICCLabelAtlas* label = new UICCLabelAtlas();
    if (label->init()) {
        label->autorelease();
        return label;
    }
    delete label;
    return nullptr;
}

bool UICCLabelAtlas::setProperty(const char* text, const char* charMapFile, unsigned int itemWidth,
                                 unsigned int itemHeight, unsigned int startCharMap) {
    if (!charMapFile || !*charMapFile || itemWidth == 0 || itemHeight == 0) {
        return false;
    }
    if (!initWithString(text, charMapFile, itemWidth, itemHeight, startCharMap)) {
        return false;
    }
    m_hasCharMap = true;
    return true;
}

void UICCLabelAtlas::draw(Renderer& renderer, const CCAffineTransform& nodeToWorld) {
    if (!m_hasCharMap) {
        return;
    }
    CCLabelAtlas::draw(renderer, nodeToWorld);
}

}  // namespace lirava
