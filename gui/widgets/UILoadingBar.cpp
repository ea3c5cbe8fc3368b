#include "gui/widgets/UILoadingBar.h"

#include "engine/nodes/CCSprite.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/ImageRenderer.h"

namespace lirava {

UILoadingBar* UILoadingBar::create() {
    UILoadingBar* bar = new UILoadingBar();
    if (bar->init()) {
        bar->autorelease();
        return bar;
    }
    delete bar;
    return nullptr;
}

UILoadingBar::UILoadingBar() = default;

UILoadingBar::~UILoadingBar() = default;

const char* UILoadingBar::getTypeName() const {
    return "LoadingBar";
}

void UILoadingBar::initRenderer() {
    UIWidget::initRenderer();
    m_barRenderer = CCSprite::create();
    m_barRenderer->setAnchorPoint(CCPoint(0.0f, 0.5f));
    m_renderer->addChild(m_barRenderer);
}

void UILoadingBar::loadTexture(const char* fileName, TextureResType texType) {
    if (!fileName || !*fileName || !m_barRenderer) {
        return;
    }
    m_textureFile = fileName;
    m_barTexType = texType;
    loadImageRenderer(m_barRenderer, fileName, texType);
    syncColorTo(m_barRenderer);
    m_barTextureSize = m_scale9Enabled ? static_cast<CCScale9Sprite*>(m_barRenderer)->getSourceSize()
                                       : m_barRenderer->getContentSize();
    const bool fromRight = m_direction == LoadingBarTypeRight;
    m_barRenderer->setAnchorPoint(fromRight ? CCPoint(1.0f, 0.5f) : CCPoint(0.0f, 0.5f));
    if (!m_scale9Enabled) {
        static_cast<CCSprite*>(m_barRenderer)->setFlipX(fromRight);
    }
    handleSizeChange();
    // A fresh image shows the whole texture; bring it back to the percentage on show.
    applyPercent();
}

void UILoadingBar::setDirection(int direction) {
    if (m_direction == direction) {
        return;
    }
    m_direction = direction;
    if (!m_barRenderer) {
        return;
    }
    const bool fromRight = direction == LoadingBarTypeRight;
    m_barRenderer->setAnchorPoint(fromRight ? CCPoint(1.0f, 0.5f) : CCPoint(0.0f, 0.5f));
    m_barRenderer->setPosition(CCPoint(fromRight ? m_fullLength / 2.0f : -m_fullLength / 2.0f, 0.0f));
    if (!m_scale9Enabled) {
        static_cast<CCSprite*>(m_barRenderer)->setFlipX(fromRight);
    }
}

void UILoadingBar::setPercent(int percent) {
    if (percent < 0 || percent > 100 || !(m_fullLength > 0.0f)) {
        return;
    }
    m_percent = percent;
    applyPercent();
}

void UILoadingBar::applyPercent() {
    if (!m_barRenderer || !(m_fullLength > 0.0f)) {
        return;
    }
    const float ratio = static_cast<float>(m_percent) / 100.0f;
    if (m_scale9Enabled) {
        const float width = ratio * m_fullLength;
        // A nine-slice image cannot be narrower than its corners; an empty bar shows nothing.
        m_barRenderer->setVisible(width > 0.0f);
        static_cast<CCScale9Sprite*>(m_barRenderer)->setPreferredSize(CCSize(width, m_barTextureSize.height));
        return;
    }
    CCSprite* sprite = static_cast<CCSprite*>(m_barRenderer);
    // A sprite frame keeps its place in its sheet; a file starts at the texture's corner.
    const CCPoint origin = m_barTexType == UI_TEX_TYPE_PLIST ? sprite->getTextureRect().origin : CCPointZero;
    const CCRect rect(origin.x, origin.y, m_barTextureSize.width * ratio, m_barTextureSize.height);
    sprite->setTextureRect(rect, sprite->isTextureRectRotated(), rect.size);
}

void UILoadingBar::setScale9Enabled(bool enabled) {
    if (m_scale9Enabled == enabled || !m_renderer) {
        return;
    }
    m_renderer->removeChild(m_barRenderer, true);
    m_scale9Enabled = enabled;
    m_barRenderer = createImageRenderer(enabled);
    m_barRenderer->setAnchorPoint(m_direction == LoadingBarTypeRight ? CCPoint(1.0f, 0.5f) : CCPoint(0.0f, 0.5f));
    m_renderer->addChild(m_barRenderer);
    if (!m_textureFile.empty()) {
        const std::string fileName = m_textureFile;
        loadTexture(fileName.c_str(), m_barTexType);
    }
    applyScale9Sizing(enabled);
    setCapInsets(m_capInsets);
}

void UILoadingBar::setCapInsets(const CCRect& capInsets) {
    m_capInsets = capInsets;
    if (m_scale9Enabled && m_barRenderer) {
        static_cast<CCScale9Sprite*>(m_barRenderer)->setCapInsets(capInsets);
    }
}

CCNode* UILoadingBar::getRenderer() {
    return m_barRenderer;
}

CCSize UILoadingBar::getRendererSize() {
    return m_barTextureSize;
}

void UILoadingBar::handleSizeChange() {
    if (!m_barRenderer) {
        return;
    }
    if (m_ignoreSize) {
        if (!m_scale9Enabled) {
            m_fullLength = m_barTextureSize.width;
            m_barRenderer->setScale(1.0f);
            m_size = m_barTextureSize;
        }
    } else {
        m_fullLength = m_size.width;
        if (m_scale9Enabled) {
            applyPercent();
        } else {
            const CCSize& texture = m_barTextureSize;
            if (texture.width > 0.0f && texture.height > 0.0f) {
                m_barRenderer->setScaleX(m_size.width / texture.width);
                m_barRenderer->setScaleY(m_size.height / texture.height);
            } else {
                m_barRenderer->setScale(1.0f);
                return;
            }
        }
    }
    placeBar();
}

void UILoadingBar::placeBar() {
    const float half = m_fullLength * 0.5f;
    m_barRenderer->setPosition(CCPoint(m_direction == LoadingBarTypeRight ? half : -half, 0.0f));
}

}  // namespace lirava
