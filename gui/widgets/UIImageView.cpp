#include "gui/widgets/UIImageView.h"

#include "engine/nodes/CCSprite.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/ImageRenderer.h"

namespace lirava {

UIImageView* UIImageView::create() {
    UIImageView* view = new UIImageView();
    if (view->init()) {
        view->autorelease();
        return view;
    }
    delete view;
    return nullptr;
}

UIImageView::UIImageView() = default;

UIImageView::~UIImageView() = default;

const char* UIImageView::getTypeName() const {
    return "ImageView";
}

void UIImageView::initRenderer() {
    UIWidget::initRenderer();
    m_imageRenderer = CCSprite::create();
    m_renderer->addChild(m_imageRenderer);
}

void UIImageView::loadInto(CCNode* node) {
    loadImageRenderer(node, m_textureFile.c_str(), m_imageTexType);
    syncColorTo(node);
}

void UIImageView::loadTexture(const char* fileName, TextureResType texType) {
    if (!fileName || !*fileName || !m_imageRenderer) {
        return;
    }
    m_textureFile = fileName;
    m_imageTexType = texType;
    loadInto(m_imageRenderer);
    m_imageTextureSize = m_imageRenderer->getContentSize();
    setAnchorPoint(m_anchorPoint);
    fitImage();
}

void UIImageView::setScale9Enabled(bool enabled) {
    if (m_scale9Enabled == enabled || !m_renderer) {
        return;
    }
    m_renderer->removeChild(m_imageRenderer, true);
    m_scale9Enabled = enabled;
    m_imageRenderer = createImageRenderer(enabled);
    m_renderer->addChild(m_imageRenderer);
    if (!m_textureFile.empty()) {
        const std::string fileName = m_textureFile;
        loadTexture(fileName.c_str(), m_imageTexType);
    }
    applyScale9Sizing(enabled);
    setCapInsets(m_capInsets);
}

void UIImageView::setCapInsets(const CCRect& capInsets) {
    m_capInsets = capInsets;
    if (m_scale9Enabled && m_imageRenderer) {
        static_cast<CCScale9Sprite*>(m_imageRenderer)->setCapInsets(capInsets);
    }
}

void UIImageView::setAnchorPoint(const CCPoint& anchor) {
    UIWidget::setAnchorPoint(anchor);
    if (m_imageRenderer) {
        m_imageRenderer->setAnchorPoint(anchor);
    }
}

void UIImageView::setFlipX(bool flipX) {
    if (!m_scale9Enabled && m_imageRenderer) {
        static_cast<CCSprite*>(m_imageRenderer)->setFlipX(flipX);
    }
}

bool UIImageView::isFlipX() {
    return !m_scale9Enabled && m_imageRenderer && static_cast<CCSprite*>(m_imageRenderer)->isFlipX();
}

void UIImageView::setFlipY(bool flipY) {
    if (!m_scale9Enabled && m_imageRenderer) {
        static_cast<CCSprite*>(m_imageRenderer)->setFlipY(flipY);
    }
}

bool UIImageView::isFlipY() {
    return !m_scale9Enabled && m_imageRenderer && static_cast<CCSprite*>(m_imageRenderer)->isFlipY();
}

CCNode* UIImageView::getRenderer() {
    return m_imageRenderer;
}

CCSize UIImageView::getRendererSize() {
    return m_imageTextureSize;
}

void UIImageView::handleSizeChange() {
    fitImage();
}

void UIImageView::fitImage() {
    if (!m_imageRenderer) {
        return;
    }
    if (m_ignoreSize) {
        if (!m_scale9Enabled) {
            m_imageRenderer->setScale(1.0f);
            m_size = m_imageTextureSize;
        }
        return;
    }
    if (m_scale9Enabled) {
        static_cast<CCScale9Sprite*>(m_imageRenderer)->setPreferredSize(m_size);
        return;
    }
    const CCSize& content = m_imageRenderer->getContentSize();
    if (content.width > 0.0f && content.height > 0.0f) {
        m_imageRenderer->setScaleX(m_size.width / content.width);
        m_imageRenderer->setScaleY(m_size.height / content.height);
    } else {
        m_imageRenderer->setScale(1.0f);
    }
}

}  // namespace lirava
