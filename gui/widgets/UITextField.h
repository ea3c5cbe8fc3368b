#pragma once

#include "gui/widgets/UIWidget.h"

namespace lirava {

class UICCTextField;

// A one-line text input. Touching it attaches its text node to the input method, so keyboard
// text (SDL text input, through CCIMEDispatcher) goes into it until Return is pressed, another
// field is touched or the field leaves the stage. The widget sizes itself to its text like a
// label: with ignoreSize on it is as large as what it shows, with it off the text is stretched to
// the requested size.
//
// Colour and opacity reach the text through the renderer's cascading.
//
// A per-frame update reads and clears the text node's attach, detach, insert and delete flags
// and refits the widget to what the node shows after typing.
class UITextField : public UIWidget {
public:
    static constexpr float kFontSize = 20.0f;

    static UITextField* create();

    UITextField();
    ~UITextField() override;

    bool init() override;
    const char* getTypeName() const override;

    // Null is ignored.
    void setText(const char* text);
    const char* getStringValue() const;
    void setPlaceHolder(const char* placeholder);
    const char* getPlaceHolder() const;
    void setFontSize(int size);
    void setFontName(const char* fontName);
    // An area other than the widget's own size for touches, placed by the anchor point like the
    // widget's rectangle; it counts once switched on.
    void setTouchSize(const CCSize& size) { m_touchSize = size; }
    const CCSize& getTouchSize() const { return m_touchSize; }
    void setUseTouchArea(bool use) { m_useTouchArea = use; }
    bool isUseTouchArea() const { return m_useTouchArea; }

    void setMaxLengthEnabled(bool enabled);
    bool isMaxLengthEnabled() const;
    void setMaxLength(int length);
    int getMaxLength() const;
    void setPasswordEnabled(bool enabled);
    bool isPasswordEnabled() const;
    void setPasswordStyleText(const char* styleText);
    const char* getPasswordStyleText() const;

    // Starts and stops keyboard input for this field.
    bool attachWithIME();
    bool detachWithIME();

    void update(float dt) override;
    void onEnter() override;
    void onExit() override;
    void onTouchBegan(const CCPoint& point) override;
    bool hitTest(const CCPoint& point) override;
    void setAnchorPoint(const CCPoint& anchor) override;
    // The text node.
    CCNode* getRenderer() override;
    CCSize getRendererSize() override;

    UICCTextField* getTextFieldRenderer() const { return m_textFieldRenderer; }

protected:
    void initRenderer() override;
    void handleSizeChange() override;

private:
    UICCTextField* m_textFieldRenderer = nullptr;
    bool m_updateEnabled = false;
    CCSize m_touchSize;
    bool m_useTouchArea = false;
};

}  // namespace lirava
