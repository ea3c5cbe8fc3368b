#pragma once

#include "engine/menu/CCMenuItem.h"

namespace lirava {

// A menu item showing a label node (a CCLabelTTF, CCLabelAtlas or CCLabelBMFont). It grows a
// little while pressed and returns to its size on release.
class CCMenuItemLabel : public CCMenuItem {
public:
    static CCMenuItemLabel* create(CCNode* label);
    static CCMenuItemLabel* create(CCNode* label, CCObject* target, SEL_MenuHandler selector);
    bool initWithLabel(CCNode* label, CCObject* target, SEL_MenuHandler selector);
    ~CCMenuItemLabel() override;

    CCNode* getLabel() const { return m_label; }
    // Replaces the label; the item takes the new label's size.
    void setLabel(CCNode* label);
    // Sets the label's text (when the label has text) and takes its new size.
    void setString(const char* text);
    const ccColor3B& getDisabledColor() const { return m_disabledColor; }
    void setDisabledColor(const ccColor3B& color) { m_disabledColor = color; }

    void activate() override;
    void selected() override;
    void unselected() override;
    void setEnabled(bool enabled) override;

private:
    CCNode* m_label = nullptr;
    ccColor3B m_disabledColor = {126, 126, 126};
    ccColor3B m_colorBackup = {255, 255, 255};
    float m_originalScale = 1.0f;
};

}  // namespace lirava
