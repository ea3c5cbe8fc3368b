#pragma once

#include <vector>

#include "engine/base/CCArray.h"
#include "engine/base/NullTerminatedArgs.h"
#include "engine/menu/CCMenuItem.h"
#include "engine/nodes/CCLayerRGBA.h"

namespace lirava {

// Touch priority of menus: they see touches before ordinary layers.
constexpr int kCCMenuHandlerPriority = -128;

// A layer of menu items. It takes single touches (targeted, swallowing, priority -128): a
// press on the top-most visible, enabled item selects it and claims the touch; moving off the
// item unselects it and moving onto another selects that one; the release over the selected
// item activates it. The menu fills the window, is placed by its centre (the window's centre
// until moved) and ignores its anchor point.
class CCMenu : public CCLayerRGBA {
public:
    static CCMenu* create();
    // create(item1, item2, ..., NULL): the items up to the first null.
    template <typename... More>
    static CCMenu* create(CCMenuItem* first, More... more) {
        return createWithItems(detail::collectUntilNull<CCMenuItem>(first, more...));
    }
    static CCMenu* createWithArray(CCArray* items);
    static CCMenu* createWithItem(CCMenuItem* item);
    bool init() override;
    bool initWithArray(CCArray* items);

    void addChild(CCNode* child) override;
    void addChild(CCNode* child, int zOrder) override;
    void addChild(CCNode* child, int zOrder, int tag) override;
    void removeChild(CCNode* child, bool cleanup) override;

    void alignItemsVertically();
    void alignItemsVerticallyWithPadding(float padding);
    void alignItemsHorizontally();
    void alignItemsHorizontallyWithPadding(float padding);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    void registerWithTouchDispatcher() override;
    bool ccTouchBegan(CCTouch* touch, CCEvent* event) override;
    void ccTouchMoved(CCTouch* touch, CCEvent* event) override;
    void ccTouchEnded(CCTouch* touch, CCEvent* event) override;
    void ccTouchCancelled(CCTouch* touch, CCEvent* event) override;
    void onExit() override;

    // The item a touch at this design point would select, or null.
    CCMenuItem* itemForTouch(const CCPoint& location);
    CCMenuItem* getSelectedItem() const { return m_selectedItem; }

private:
    static CCMenu* createWithItems(const std::vector<CCMenuItem*>& items);

    enum class State { Waiting, TrackingTouch };
    State m_state = State::Waiting;
    CCMenuItem* m_selectedItem = nullptr;
    bool m_enabled = true;
};

}  // namespace lirava
