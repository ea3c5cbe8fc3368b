#pragma once

#include "engine/nodes/CCLayer.h"

namespace lirava {

class CCMenu;

// The page list of the current unit: one text item per page (six fixed entries for the word
// list), sliding in from both sides and draggable up and down. Choosing an item opens its page.
class MenuLayerMainMenu : public CCLayer {
public:
    // Seconds the items take to slide into place, and the period of their elastic ending.
    static constexpr float kEntranceSeconds = 2.0f;
    static constexpr float kEntrancePeriod = 0.35f;

    static MenuLayerMainMenu* create();
    // Reads the unit's pages from contents::currentUnit into the contents state and builds the
    // list at the saved offset.
    bool init() override;

    void ccTouchesBegan(CCSet* touches, CCEvent* event) override;
    void ccTouchesMoved(CCSet* touches, CCEvent* event) override;

    // Menu callback of every item: sets book::currentPage from the sender's z-order and opens
    // that page in a new page scene, with no transition.
    void onPageChosen(CCObject* sender);

    CCMenu* getMenu() const { return m_menu; }
    // Highest menu position of a drag (may be negative for short lists).
    float dragBound() const;

    // Up and Down scroll the list by one row within the drag's bounds and keep the offset as a
    // drag does; Return opens the page at the centre of the screen; Home and Escape go home
    // through the scene's main-page item.
    bool keyPressed(const std::string& name, bool repeat) override;

private:
    CCPoint m_dragStart;
    CCMenu* m_menu = nullptr;  // a child of the layer
};

}  // namespace lirava
