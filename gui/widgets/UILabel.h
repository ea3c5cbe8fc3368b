#pragma once

#include "gui/widgets/UIWidget.h"

namespace lirava {

class CCLabelTTF;

// Text in a system font. With ignoreSize on (the default) the widget is as large as its text and
// changes size with it; with it off the text is stretched to the requested size.
//
// With touch scaling on, the label grows to its resting scale + 0.5 while pressed and returns to
// the resting scale when the touch leaves or ends. The resting scale is the scale the label had
// when touch scaling was switched on.
class UILabel : public UIWidget {
public:
    static UILabel* create();

    const char* getTypeName() const override;

    // Null is ignored.
    void setText(const char* text);
    const char* getStringValue() const;
    void setFontSize(int size);
    void setFontName(const char* fontName);
    // Text box dimensions (0 height: grows with the text), as the engine label takes them.
    void setTextAreaSize(const CCSize& size);
    void setTextHorizontalAlignment(CCTextAlignment alignment);
    void setTextVerticalAlignment(CCVerticalTextAlignment alignment);

    void setTouchScaleEnabled(bool enabled);
    bool isTouchScaleEnabled() const { return m_touchScaleEnabled; }

    void setAnchorPoint(const CCPoint& anchor) override;
    void setFlipX(bool flipX) override;
    bool isFlipX() override;
    void setFlipY(bool flipY) override;
    bool isFlipY() override;
    // The text node.
    CCNode* getRenderer() override;
    CCSize getRendererSize() override;

    CCLabelTTF* getLabelRenderer() const { return m_labelRenderer; }

protected:
    void initRenderer() override;
    void handleSizeChange() override;
    void showNormalLook() override;
    void showPressedLook() override;

private:
    bool m_touchScaleEnabled = false;
    float m_restingScale = 1.0f;
    float m_pressedScaleOffset = 0.5f;
    CCLabelTTF* m_labelRenderer = nullptr;
};

}  // namespace lirava
