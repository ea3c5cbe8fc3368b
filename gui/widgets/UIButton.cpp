#include "gui/widgets/UIButton.h"

#include "engine/nodes/CCSprite.h"
#include "engine/text/CCLabelTTF.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/ImageRenderer.h"

namespace lirava {

namespace {
constexpr int kImageZOrder = 0;
constexpr int kTitleZOrder = 1;
}  // namespace

UIButton* UIButton::create() {
    UIButton* button = new UIButton();
    if (button->init()) {
        button->autorelease();
        return button;
    }
    delete button;
    return nullptr;
}

UIButton::UIButton() = default;

UIButton::~UIButton() = default;

bool UIButton::init() {
    return UIWidget::init();
}

const char* UIButton::getTypeName() const {
    return "Button";
}

void UIButton::initRenderer() {
    UIWidget::initRenderer();
    m_normalRenderer = CCSprite::create();
    m_pressedRenderer = CCSprite::create();
    m_disabledRenderer = CCSprite::create();
    m_titleRenderer = CCLabelTTF::create();
    m_renderer->addChild(m_normalRenderer, kImageZOrder);
    m_renderer->addChild(m_pressedRenderer, kImageZOrder);
    m_renderer->addChild(m_disabledRenderer, kImageZOrder);
    m_renderer->addChild(m_titleRenderer, kTitleZOrder);
}

CCSize UIButton::loadLook(CCNode* node, const char* fileName, TextureResType texType) {
    loadImageRenderer(node, fileName, texType);
    syncColorTo(node);
    return node->getContentSize();
}

void UIButton::loadTextures(const char* normal, const char* pressed, const char* disabled, TextureResType texType) {
    loadTextureNormal(normal, texType);
    loadTexturePressed(pressed, texType);
    loadTextureDisabled(disabled, texType);
}

void UIButton::loadTextureNormal(const char* fileName, TextureResType texType) {
    if (!fileName || !*fileName) {
        return;
    }
    m_normalFileName = fileName;
    m_normalTexType = texType;
    m_normalTextureSize = loadLook(m_normalRenderer, fileName, texType);
    setAnchorPoint(m_anchorPoint);
    fitNormal();
    // The normal image may have changed the button's size.
    placeTitle();
}

void UIButton::loadTexturePressed(const char* fileName, TextureResType texType) {
    if (!fileName || !*fileName) {
        return;
    }
    m_pressedFileName = fileName;
    m_pressedTexType = texType;
    m_pressedTextureSize = loadLook(m_pressedRenderer, fileName, texType);
    setAnchorPoint(m_anchorPoint);
    fitSecondary(m_pressedRenderer, m_pressedTextureSize);
}

void UIButton::loadTextureDisabled(const char* fileName, TextureResType texType) {
    if (!fileName || !*fileName) {
        return;
    }
    m_disabledFileName = fileName;
    m_disabledTexType = texType;
    m_disabledTextureSize = loadLook(m_disabledRenderer, fileName, texType);
    setAnchorPoint(m_anchorPoint);
    fitSecondary(m_disabledRenderer, m_disabledTextureSize);
}

void UIButton::setCapInsets(const CCRect& capInsets) {
    setCapInsetsNormalRenderer(capInsets);
    setCapInsetsPressedRenderer(capInsets);
    setCapInsetsDisabledRenderer(capInsets);
}

void UIButton::setCapInsetsNormalRenderer(const CCRect& capInsets) {
    m_capInsetsNormal = capInsets;
    if (m_scale9Enabled) {
        static_cast<CCScale9Sprite*>(m_normalRenderer)->setCapInsets(capInsets);
    }
}

void UIButton::setCapInsetsPressedRenderer(const CCRect& capInsets) {
    m_capInsetsPressed = capInsets;
    if (m_scale9Enabled) {
        static_cast<CCScale9Sprite*>(m_pressedRenderer)->setCapInsets(capInsets);
    }
}

void UIButton::setCapInsetsDisabledRenderer(const CCRect& capInsets) {
    m_capInsetsDisabled = capInsets;
    if (m_scale9Enabled) {
        static_cast<CCScale9Sprite*>(m_disabledRenderer)->setCapInsets(capInsets);
    }
}

void UIButton::replaceLookNodes() {
    m_renderer->removeChild(m_normalRenderer, true);
    m_renderer->removeChild(m_pressedRenderer, true);
    m_renderer->removeChild(m_disabledRenderer, true);
    m_normalRenderer = createImageRenderer(m_scale9Enabled);
    m_pressedRenderer = createImageRenderer(m_scale9Enabled);
    m_disabledRenderer = createImageRenderer(m_scale9Enabled);
    m_renderer->addChild(m_normalRenderer, kImageZOrder);
    m_renderer->addChild(m_pressedRenderer, kImageZOrder);
    m_renderer->addChild(m_disabledRenderer, kImageZOrder);
    // The loaders skip empty names, so looks that never had an image stay empty.
    const std::string normal = m_normalFileName;
    const std::string pressed = m_pressedFileName;
    const std::string disabled = m_disabledFileName;
    loadTextureNormal(normal.c_str(), m_normalTexType);
    loadTexturePressed(pressed.c_str(), m_pressedTexType);
    loadTextureDisabled(disabled.c_str(), m_disabledTexType);
}

void UIButton::setScale9Enabled(bool enabled) {
    if (m_scale9Enabled == enabled || !m_renderer) {
        return;
    }
    m_brightStyle = BRIGHT_NONE;
    m_scale9Enabled = enabled;
    replaceLookNodes();
    applyScale9Sizing(enabled);
    setCapInsetsNormalRenderer(m_capInsetsNormal);
    setCapInsetsPressedRenderer(m_capInsetsPressed);
    setCapInsetsDisabledRenderer(m_capInsetsDisabled);
    if (!m_bright) {
        showDisabledLook();
    } else {
        m_brightStyle = BRIGHT_NORMAL;
        showNormalLook();
    }
}

CCSize UIButton::getRendererSize() {
    return m_normalTextureSize;
}

CCNode* UIButton::getRenderer() {
    if (!m_bright) {
        return m_disabledRenderer;
    }
    switch (m_brightStyle) {
        case BRIGHT_NORMAL:
            return m_normalRenderer;
        case BRIGHT_HIGHLIGHT:
            return m_pressedRenderer;
        default:
            return nullptr;
    }
}

void UIButton::handleSizeChange() {
    fitNormal();
    fitSecondary(m_pressedRenderer, m_pressedTextureSize);
    fitSecondary(m_disabledRenderer, m_disabledTextureSize);
    placeTitle();
}

void UIButton::fitNormal() {
    if (!m_normalRenderer) {
        return;
    }
    if (m_ignoreSize) {
        if (!m_scale9Enabled) {
            m_normalRenderer->setScale(1.0f);
            m_size = m_normalTextureSize;
        }
        return;
    }
    fitSecondary(m_normalRenderer, m_normalTextureSize);
}

void UIButton::fitSecondary(CCNode* node, const CCSize& textureSize) {
    if (!node) {
        return;
    }
    if (m_ignoreSize) {
        if (!m_scale9Enabled) {
            node->setScale(1.0f);
        }
        return;
    }
    if (m_scale9Enabled) {
        static_cast<CCScale9Sprite*>(node)->setPreferredSize(m_size);
    } else if (textureSize.width > 0.0f && textureSize.height > 0.0f) {
        node->setScaleX(m_size.width / textureSize.width);
        node->setScaleY(m_size.height / textureSize.height);
    } else {
        node->setScale(1.0f);
    }
}

void UIButton::placeTitle() {
    if (m_titleRenderer) {
        m_titleRenderer->setPosition(
            CCPoint((0.5f - m_anchorPoint.x) * m_size.width, (0.5f - m_anchorPoint.y) * m_size.height));
    }
}

void UIButton::setAnchorPoint(const CCPoint& anchor) {
    UIWidget::setAnchorPoint(anchor);
    if (m_normalRenderer) {
        m_normalRenderer->setAnchorPoint(anchor);
        m_pressedRenderer->setAnchorPoint(anchor);
        m_disabledRenderer->setAnchorPoint(anchor);
    }
    placeTitle();
}

void UIButton::setFlipX(bool flipX) {
    if (m_titleRenderer) {
        m_titleRenderer->setFlipX(flipX);
    }
    if (!m_scale9Enabled && m_normalRenderer) {
        static_cast<CCSprite*>(m_normalRenderer)->setFlipX(flipX);
        static_cast<CCSprite*>(m_pressedRenderer)->setFlipX(flipX);
        static_cast<CCSprite*>(m_disabledRenderer)->setFlipX(flipX);
    }
}

bool UIButton::isFlipX() {
    if (m_scale9Enabled || !m_normalRenderer) {
        return false;
    }
    return static_cast<CCSprite*>(m_normalRenderer)->isFlipX();
}

void UIButton::setFlipY(bool flipY) {
    if (m_titleRenderer) {
        m_titleRenderer->setFlipY(flipY);
    }
    if (!m_scale9Enabled && m_normalRenderer) {
        static_cast<CCSprite*>(m_normalRenderer)->setFlipY(flipY);
        static_cast<CCSprite*>(m_pressedRenderer)->setFlipY(flipY);
        static_cast<CCSprite*>(m_disabledRenderer)->setFlipY(flipY);
    }
}

bool UIButton::isFlipY() {
    if (m_scale9Enabled || !m_normalRenderer) {
        return false;
    }
    return static_cast<CCSprite*>(m_normalRenderer)->isFlipY();
}

void UIButton::setColor(const ccColor3B& color) {
    UIWidget::setColor(color);
    setTitleColor(m_titleColor);
}

// --- title

void UIButton::setTitleText(const char* text) {
    if (m_titleRenderer) {
        m_titleRenderer->setString(text);
    }
}

const char* UIButton::getTitleText() const {
    return m_titleRenderer ? m_titleRenderer->getString() : "";
}

void UIButton::setTitleColor(const ccColor3B& color) {
    m_titleColor = color;
    if (m_titleRenderer) {
        m_titleRenderer->setColor(color);
        // The renderer cascades the button's tint into its children; the title shows its own
        // colour whatever the button's.
        m_titleRenderer->updateDisplayedColor(ccWHITE);
    }
}

void UIButton::setTitleFontSize(float size) {
    if (m_titleRenderer) {
        m_titleRenderer->setFontSize(size);
    }
}

float UIButton::getTitleFontSize() const {
    return m_titleRenderer ? m_titleRenderer->getFontSize() : 0.0f;
}

void UIButton::setTitleFontName(const char* fontName) {
    if (m_titleRenderer && fontName) {
        m_titleRenderer->setFontName(fontName);
    }
}

const char* UIButton::getTitleFontName() const {
    return m_titleRenderer ? m_titleRenderer->getFontName() : "";
}

// --- looks

void UIButton::showNormalLook() {
    if (!m_normalRenderer) {
        return;
    }
    m_normalRenderer->setVisible(true);
    m_pressedRenderer->setVisible(false);
    m_disabledRenderer->setVisible(false);
}

void UIButton::showPressedLook() {
    if (!m_normalRenderer) {
        return;
    }
    m_normalRenderer->setVisible(false);
    m_pressedRenderer->setVisible(true);
    m_disabledRenderer->setVisible(false);
}

void UIButton::showDisabledLook() {
    if (!m_normalRenderer) {
        return;
    }
    m_normalRenderer->setVisible(false);
    m_pressedRenderer->setVisible(false);
    m_disabledRenderer->setVisible(true);
}

}  // namespace lirava
