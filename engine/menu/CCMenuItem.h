#pragma once

#include "engine/nodes/CCNodeRGBA.h"

namespace lirava {

// Something a menu can select and activate: a callback (target object and member selector),
// an enabled flag and a selected state. Its touch area is its content rectangle.
class CCMenuItem : public CCNodeRGBA {
public:
    static CCMenuItem* create();
    static CCMenuItem* create(CCObject* target, SEL_MenuHandler selector);
    bool initWithTarget(CCObject* target, SEL_MenuHandler selector);
    ~CCMenuItem() override;

    // Runs the callback with this item as sender, if the item is enabled.
    virtual void activate();
    virtual void selected();
    virtual void unselected();
    bool isSelected() const { return m_selected; }
    virtual void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }
    // The touch area in the parent's space.
    CCRect rect() const;
    // The target is not retained (it is normally the layer that owns the menu).
    void setTarget(CCObject* target, SEL_MenuHandler selector);

protected:
    CCObject* m_target = nullptr;
    SEL_MenuHandler m_selector = nullptr;
    bool m_selected = false;
    bool m_enabled = true;
};

}  // namespace lirava
