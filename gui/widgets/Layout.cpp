#include "gui/widgets/Layout.h"

#include "engine/actions/CCScheduler.h"
#include "engine/nodes/CCLayerColor.h"
#include "engine/nodes/CCLayerGradient.h"
#include "engine/nodes/CCSprite.h"
#include "engine/platform/CCDirector.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/ImageRenderer.h"
#include "gui/widgets/RectClippingNode.h"

namespace lirava {

namespace {
constexpr int kColorLayerZOrder = -2;
constexpr int kBackGroundImageZOrder = -1;
}  // namespace

Layout* Layout::create() {
    Layout* layout = new Layout();
    if (layout->init()) {
        layout->autorelease();
        return layout;
    }
    delete layout;
    return nullptr;
}

Layout::Layout() {
    m_widgetType = WidgetTypeContainer;
}

Layout::~Layout() = default;

bool Layout::init() {
    m_children = CCArray::create();
    m_children->retain();
    initRenderer();
    if (!m_renderer) {
        return false;
    }
    m_renderer->retain();
    m_renderer->setZOrder(m_zOrder);
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer)) {
        rgba->setCascadeColorEnabled(false);
        rgba->setCascadeOpacityEnabled(false);
    }
    setIgnoreSize(false);
    setSize(CCSizeZero);
    m_bright = true;
    m_brightStyle = BRIGHT_NORMAL;
    showNormalLook();
    setAnchorPoint(CCPointZero);
    m_scheduler = CCDirector::sharedDirector()->getScheduler();
    CC_SAFE_RETAIN(m_scheduler);
    return true;
}

void Layout::initRenderer() {
    m_renderer = RectClippingNode::create();
}

RectClippingNode* Layout::clippingRenderer() const {
    return static_cast<RectClippingNode*>(m_renderer);
}

const char* Layout::getTypeName() const {
    return "Layout";
}

bool Layout::hitTest(const CCPoint& point) {
    if (!m_renderer) {
        return false;
    }
    const CCPoint local = m_renderer->convertToNodeSpace(point);
    return local.x >= 0.0f && local.x <= m_size.width && local.y >= 0.0f && local.y <= m_size.height;
}

void Layout::setColor(const ccColor3B& color) {
    m_color = color;
    UIWidget::setColor(color);
    if (CCRGBAProtocol* image = dynamic_cast<CCRGBAProtocol*>(m_backGroundImage)) {
        image->setColor(color);
    }
}

void Layout::setOpacity(std::uint8_t opacity) {
    m_opacity = opacity;
    UIWidget::setOpacity(opacity);
    if (CCRGBAProtocol* image = dynamic_cast<CCRGBAProtocol*>(m_backGroundImage)) {
        image->setOpacity(opacity);
    }
}

CCSize Layout::getRendererSize() {
    return m_renderer ? m_renderer->getContentSize() : CCSizeZero;
}

void Layout::setClippingEnabled(bool enabled) {
    m_clippingEnabled = enabled;
    if (m_renderer) {
        clippingRenderer()->setClippingEnabled(enabled);
    }
}

bool Layout::isClippingEnabled() {
    return m_clippingEnabled;
}

void Layout::setClippable(bool enabled) {
    setClippingEnabled(enabled);
}

void Layout::setLayoutType(LayoutType type) {
    m_layoutType = type;
}

LayoutType Layout::getLayoutType() {
    return m_layoutType;
}

void Layout::doLayout() {
    // Only absolute layouts exist: children stay where they were put.
}

void Layout::handleSizeChange() {
    if (!m_renderer) {
        return;
    }
    clippingRenderer()->setClippingSize(m_size);
    doLayout();
    if (m_backGroundImage) {
        m_backGroundImage->setPosition(CCPoint(m_size.width / 2.0f, m_size.height / 2.0f));
        if (m_backGroundScale9Enabled) {
            static_cast<CCScale9Sprite*>(m_backGroundImage)->setPreferredSize(m_size);
        }
    }
    if (m_colorLayer) {
        m_colorLayer->setContentSize(m_size);
    }
    if (m_gradientLayer) {
        m_gradientLayer->setContentSize(m_size);
    }
}

// --- background image

void Layout::addBackGroundImage() {
    if (m_backGroundScale9Enabled) {
        CCScale9Sprite* image = CCScale9Sprite::create();
        image->setPreferredSize(m_size);
        m_backGroundImage = image;
    } else {
        m_backGroundImage = CCSprite::create();
    }
    m_renderer->addChild(m_backGroundImage, kBackGroundImageZOrder);
    m_backGroundImage->setPosition(CCPoint(m_size.width / 2.0f, m_size.height / 2.0f));
}

void Layout::setBackGroundImage(const char* fileName, TextureResType texType) {
    if (!fileName || !*fileName || !m_renderer) {
        return;
    }
    if (!m_backGroundImage) {
        addBackGroundImage();
    }
    m_backGroundImageFileName = fileName;
    m_backGroundImageTexType = texType;
    loadBackGroundImage();
}

void Layout::loadBackGroundImage() {
    const char* fileName = m_backGroundImageFileName.c_str();
    loadImageRenderer(m_backGroundImage, fileName, m_backGroundImageTexType);
    if (m_backGroundScale9Enabled) {
        CCScale9Sprite* image = static_cast<CCScale9Sprite*>(m_backGroundImage);
        image->setPreferredSize(m_size);
        m_backGroundImageTextureSize = image->getSourceSize();
    } else {
        m_backGroundImageTextureSize = m_backGroundImage->getContentSize();
    }
    if (CCRGBAProtocol* image = dynamic_cast<CCRGBAProtocol*>(m_backGroundImage)) {
        image->setColor(m_color);
        image->setOpacity(m_opacity);
    }
    m_backGroundImage->setPosition(CCPoint(m_size.width / 2.0f, m_size.height / 2.0f));
}

void Layout::setBackGroundImageScale9Enabled(bool enabled) {
    if (m_backGroundScale9Enabled == enabled || !m_renderer) {
        return;
    }
    if (m_backGroundImage) {
        m_renderer->removeChild(m_backGroundImage, true);
        m_backGroundImage = nullptr;
    }
    m_backGroundScale9Enabled = enabled;
    addBackGroundImage();
    if (!m_backGroundImageFileName.empty()) {
        loadBackGroundImage();
    }
    setBackGroundImageCapInsets(m_backGroundImageCapInsets);
}

void Layout::setBackGroundImageCapInsets(const CCRect& capInsets) {
    m_backGroundImageCapInsets = capInsets;
    if (m_backGroundScale9Enabled && m_backGroundImage) {
        static_cast<CCScale9Sprite*>(m_backGroundImage)->setCapInsets(capInsets);
    }
}

// --- background colour

void Layout::setBackGroundColorType(LayoutBackGroundColorType type) {
    if (m_colorType == type || !m_renderer) {
        return;
    }
    // At most one of the two layers exists; whichever it is belongs to the old kind.
    if (m_colorLayer) {
        m_renderer->removeChild(m_colorLayer, true);
        m_colorLayer = nullptr;
    }
    if (m_gradientLayer) {
        m_renderer->removeChild(m_gradientLayer, true);
        m_gradientLayer = nullptr;
    }
    m_colorType = type;
    switch (type) {
        case LAYOUT_COLOR_SOLID:
            m_colorLayer = CCLayerColor::create();
            m_colorLayer->setContentSize(m_size);
            m_colorLayer->setOpacity(static_cast<std::uint8_t>(m_backGroundColorOpacity));
            m_colorLayer->setColor(m_backGroundColor);
            m_renderer->addChild(m_colorLayer, kColorLayerZOrder);
            break;
        case LAYOUT_COLOR_GRADIENT:
            m_gradientLayer = CCLayerGradient::create();
            m_gradientLayer->setContentSize(m_size);
            m_gradientLayer->setOpacity(static_cast<std::uint8_t>(m_backGroundColorOpacity));
            m_gradientLayer->setStartColor(m_gradientStartColor);
            m_gradientLayer->setEndColor(m_gradientEndColor);
            m_gradientLayer->setVector(m_gradientVector);
            m_renderer->addChild(m_gradientLayer, kColorLayerZOrder);
            break;
        default:
            break;
    }
}

void Layout::setBackGroundColor(const ccColor3B& color) {
    m_backGroundColor = color;
    if (m_colorLayer) {
        m_colorLayer->setColor(color);
    }
}

void Layout::setBackGroundColor(const ccColor3B& startColor, const ccColor3B& endColor) {
    m_gradientStartColor = startColor;
    m_gradientEndColor = endColor;
    if (m_gradientLayer) {
        m_gradientLayer->setStartColor(startColor);
        m_gradientLayer->setEndColor(endColor);
    }
}

void Layout::setBackGroundColorOpacity(int opacity) {
    m_backGroundColorOpacity = opacity;
    if (m_colorType == LAYOUT_COLOR_SOLID && m_colorLayer) {
        m_colorLayer->setOpacity(static_cast<std::uint8_t>(opacity));
    } else if (m_colorType == LAYOUT_COLOR_GRADIENT && m_gradientLayer) {
        m_gradientLayer->setOpacity(static_cast<std::uint8_t>(opacity));
    }
}

void Layout::setBackGroundColorVector(const CCPoint& vector) {
    m_gradientVector = vector;
    if (m_gradientLayer) {
        m_gradientLayer->setVector(vector);
    }
}

}  // namespace lirava
