#include "gui/widgets/UISlider.h"

#include <algorithm>

#include "engine/nodes/CCSprite.h"
#include "gui/widgets/CCScale9Sprite.h"
#include "gui/widgets/ImageRenderer.h"

namespace lirava {

namespace {

constexpr int kBarZOrder = -1;

void stretchTo(CCNode* node, const CCSize& target, const CCSize& natural) {
    if (natural.width > 0.0f && natural.height > 0.0f) {
        node->setScaleX(target.width / natural.width);
        node->setScaleY(target.height / natural.height);
    } else {
        node->setScale(1.0f);
    }
}

}  // namespace

UISlider* UISlider::create() {
    UISlider* slider = new UISlider();
    if (slider->init()) {
        slider->autorelease();
        return slider;
    }
    delete slider;
    return nullptr;
}

UISlider::UISlider() = default;

UISlider::~UISlider() = default;

const char* UISlider::getTypeName() const {
    return "Slider";
}

void UISlider::initRenderer() {
    UIWidget::initRenderer();
    m_barRenderer = CCSprite::create();
    m_progressBarRenderer = CCSprite::create();
    m_progressBarRenderer->setAnchorPoint(CCPoint(0.0f, 0.5f));
    m_renderer->addChild(m_barRenderer, kBarZOrder);
    m_renderer->addChild(m_progressBarRenderer, kBarZOrder);
    m_ballNormalRenderer = CCSprite::create();
    m_ballPressedRenderer = CCSprite::create();
    m_ballDisabledRenderer = CCSprite::create();
    m_ballPressedRenderer->setVisible(false);
    m_ballDisabledRenderer->setVisible(false);
    m_ballHolder = CCNode::create();
    m_ballHolder->addChild(m_ballNormalRenderer);
    m_ballHolder->addChild(m_ballPressedRenderer);
    m_ballHolder->addChild(m_ballDisabledRenderer);
    m_renderer->addChild(m_ballHolder);
}

void UISlider::loadInto(CCNode* node, const std::string& fileName, TextureResType texType) {
    loadImageRenderer(node, fileName.c_str(), texType);
    syncColorTo(node);
}

void UISlider::loadBarTexture(const char* fileName, TextureResType texType) {
    if (!fileName || !*fileName || !m_barRenderer) {
        return;
    }
    m_textureFile = fileName;
    m_barTexType = texType;
    loadInto(m_barRenderer, m_textureFile, texType);
    fitBar();
}

void UISlider::loadProgressBarTexture(const char* fileName, TextureResType texType) {
    if (!fileName || !*fileName || !m_progressBarRenderer) {
        return;
    }
    m_progressBarTextureFile = fileName;
    m_progressBarTexType = texType;
    loadInto(m_progressBarRenderer, m_progressBarTextureFile, texType);
    m_progressBarRenderer->setAnchorPoint(CCPoint(0.0f, 0.5f));
    CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(m_progressBarRenderer);
    m_progressBarTextureSize = nine ? nine->getSourceSize() : m_progressBarRenderer->getContentSize();
    fitProgressBar();
}

void UISlider::loadSlidBallTextures(const char* normal, const char* pressed, const char* disabled,
                                    TextureResType texType) {
    loadBallTextureNormal(normal, texType);
    loadBallTexturePressed(pressed, texType);
    loadBallTextureDisabled(disabled, texType);
}

void UISlider::loadBallTextureNormal(const char* fileName, TextureResType texType) {
    if (!fileName || !*fileName) {
        return;
    }
    m_ballNormalFile = fileName;
    m_ballNormalTexType = texType;
    loadInto(m_ballNormalRenderer, m_ballNormalFile, texType);
}

void UISlider::loadBallTexturePressed(const char* fileName, TextureResType texType) {
    if (!fileName || !*fileName) {
        return;
    }
    m_ballPressedFile = fileName;
    m_ballPressedTexType = texType;
    loadInto(m_ballPressedRenderer, m_ballPressedFile, texType);
}

void UISlider::loadBallTextureDisabled(const char* fileName, TextureResType texType) {
    if (!fileName || !*fileName) {
        return;
    }
    m_ballDisabledFile = fileName;
    m_ballDisabledTexType = texType;
    loadInto(m_ballDisabledRenderer, m_ballDisabledFile, texType);
}

void UISlider::setScale9Enabled(bool enabled) {
    if (m_scale9Enabled == enabled || !m_renderer) {
        return;
    }
    m_renderer->removeChild(m_barRenderer, true);
    m_renderer->removeChild(m_progressBarRenderer, true);
    m_scale9Enabled = enabled;
    m_barRenderer = createImageRenderer(enabled);
    m_progressBarRenderer = createImageRenderer(enabled);
    m_progressBarRenderer->setAnchorPoint(CCPoint(0.0f, 0.5f));
    m_renderer->addChild(m_barRenderer, kBarZOrder);
    m_renderer->addChild(m_progressBarRenderer, kBarZOrder);
    // The loaders keep what they are given, so work on copies of the stored names.
    const std::string bar = m_textureFile;
    const std::string progress = m_progressBarTextureFile;
    loadBarTexture(bar.c_str(), m_barTexType);
    loadProgressBarTexture(progress.c_str(), m_progressBarTexType);
    applyScale9Sizing(enabled);
    setBarCapInsets(m_barCapInsets);
    setProgressBarCapInsets(m_progressBarCapInsets);
}

void UISlider::setBarCapInsets(const CCRect& capInsets) {
    m_barCapInsets = capInsets;
    if (m_scale9Enabled) {
        static_cast<CCScale9Sprite*>(m_barRenderer)->setCapInsets(capInsets);
    }
}

void UISlider::setProgressBarCapInsets(const CCRect& capInsets) {
    m_progressBarCapInsets = capInsets;
    if (m_scale9Enabled) {
        static_cast<CCScale9Sprite*>(m_progressBarRenderer)->setCapInsets(capInsets);
    }
}

void UISlider::setPercent(int percent) {
    m_percent = std::clamp(percent, 0, 100);
    const float ratio = static_cast<float>(m_percent) / 100.0f;
    if (m_ballHolder) {
        m_ballHolder->setPosition(CCPoint(m_barLength * ratio - m_barLength / 2.0f, 0.0f));
    }
    if (!m_progressBarRenderer) {
        return;
    }
    if (m_scale9Enabled) {
        const float width = m_barLength * ratio;
        // A nine-slice image cannot be narrower than its corners; an empty bar shows nothing.
        m_progressBarRenderer->setVisible(width > 0.0f);
        static_cast<CCScale9Sprite*>(m_progressBarRenderer)
            ->setPreferredSize(CCSize(width, m_progressBarTextureSize.height));
        return;
    }
    CCSprite* sprite = static_cast<CCSprite*>(m_progressBarRenderer);
    // A sprite frame keeps its place in its sheet; a file starts at the texture's corner.
    const CCPoint origin = m_progressBarTexType == UI_TEX_TYPE_PLIST ? sprite->getTextureRect().origin : CCPointZero;
    const CCRect rect(origin.x, origin.y, m_progressBarTextureSize.width * ratio, m_progressBarTextureSize.height);
    sprite->setTextureRect(rect, sprite->isTextureRectRotated(), rect.size);
}

int UISlider::percentAt(const CCPoint& worldPoint) {
    if (!(m_barLength > 0.0f) || !m_renderer) {
        return 0;
    }
    const CCPoint local = m_renderer->convertToNodeSpace(worldPoint);
    const float percent = (local.x + m_barLength / 2.0f) / m_barLength * 100.0f;
    // Far beyond the ends the value is clamped anyway; keep the conversion in range.
    return static_cast<int>(std::clamp(percent, -1000.0f, 1000.0f));
}

void UISlider::onTouchBegan(const CCPoint& point) {
    UIWidget::onTouchBegan(point);
    setPercent(percentAt(point));
}

void UISlider::onTouchMoved(const CCPoint& point) {
    m_touchMovedPosition = point;
    if (m_ballHolder && m_renderer) {
        m_ballHolder->setPosition(CCPoint(m_renderer->convertToNodeSpace(point).x, 0.0f));
    }
    setPercent(percentAt(point));
}

void UISlider::onTouchEnded(const CCPoint& point) {
    UIWidget::onTouchEnded(point);
}

CCNode* UISlider::getRenderer() {
    return m_barRenderer;
}

CCSize UISlider::getRendererSize() {
    return m_barRenderer ? m_barRenderer->getContentSize() : CCSizeZero;
}

void UISlider::handleSizeChange() {
    fitBar();
    fitProgressBar();
}

void UISlider::fitBar() {
    if (!m_barRenderer) {
        return;
    }
    if (m_ignoreSize) {
        m_barRenderer->setScale(1.0f);
        m_size = m_barRenderer->getContentSize();
        m_barLength = m_size.width;
    } else {
        m_barLength = m_size.width;
        if (m_scale9Enabled) {
            static_cast<CCScale9Sprite*>(m_barRenderer)->setPreferredSize(m_size);
        } else {
            const CCSize& content = m_barRenderer->getContentSize();
            if (!(content.width > 0.0f && content.height > 0.0f)) {
                m_barRenderer->setScale(1.0f);
                return;
            }
            stretchTo(m_barRenderer, m_size, content);
        }
    }
    setPercent(m_percent);
}

void UISlider::fitProgressBar() {
    if (!m_progressBarRenderer) {
        return;
    }
    if (!m_ignoreSize && m_scale9Enabled) {
        static_cast<CCScale9Sprite*>(m_progressBarRenderer)->setPreferredSize(m_size);
    } else {
        const CCSize& texture = m_progressBarTextureSize;
        if (!(texture.width > 0.0f && texture.height > 0.0f)) {
            m_progressBarRenderer->setScale(1.0f);
            return;
        }
        stretchTo(m_progressBarRenderer, m_size, texture);
    }
    m_progressBarRenderer->setPosition(CCPoint(-m_barLength * 0.5f, 0.0f));
    setPercent(m_percent);
}

// --- looks

void UISlider::showBall(CCSprite* shown) {
    for (CCSprite* ball : {m_ballNormalRenderer, m_ballPressedRenderer, m_ballDisabledRenderer}) {
        if (ball) {
            ball->setVisible(ball == shown);
        }
    }
}

void UISlider::showNormalLook() {
    showBall(m_ballNormalRenderer);
}

void UISlider::showPressedLook() {
    showBall(m_ballPressedRenderer);
}

void UISlider::showDisabledLook() {
    showBall(m_ballDisabledRenderer);
}

}  // namespace lirava
