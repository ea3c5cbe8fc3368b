#pragma once

#include "engine/nodes/CCLayer.h"

namespace lirava {

class CCMenu;
class CCMenuItemImage;
class CCScene;
class CCSprite;

// The home screen: the nine units of the book as a draggable menu over a coloured background,
// with a small figure gliding to and fro. Entering it stops any narration still playing and
// leaves the first-run marker behind. Choosing a unit opens its page list.
class TestController : public CCLayer {
public:
    // The first-run marker, a resource name; only its existence matters.
    static constexpr const char* kFirstRunMarker = "ft.xml";
    // The one line written into a new marker (22 lower-case letters and digits).
    static constexpr const char* kFirstRunMarkerLine = "liravafirstrunmarker01";

    static TestController* create();
    // A new scene holding a new home screen, autoreleased: the way every screen goes home.
    static CCScene* createScene();

    bool init() override;

    void ccTouchesBegan(CCSet* touches, CCEvent* event) override;
    // Scrolls the menu between 0 and its content height minus the visible height.
    void ccTouchesMoved(CCSet* touches, CCEvent* event) override;
    // Highest menu position of a drag.
    float dragBound() const;

    // Up and Down scroll the menu by one row within the drag's bounds and keep the offset as a
    // drag does; Return chooses the unit at the centre of the screen.
    bool keyPressed(const std::string& name, bool repeat) override;

    // Menu callback of the unit items and the drag hint. While the hint shows, a tap only
    // dismisses it; otherwise the sender's z-order picks the unit.
    void onUnitChosen(CCObject* sender);

    CCMenu* getUnitMenu() const { return m_unitMenu; }
    CCMenuItemImage* getDragHint() const { return m_dragHint; }
    CCSprite* getFigure() const { return m_figure; }

private:
    void leaveFirstRunMarker();

    CCPoint m_dragStart;
    CCMenu* m_unitMenu = nullptr;           // a child of the layer
    CCMenuItemImage* m_dragHint = nullptr;  // an item of m_unitMenu
    CCSprite* m_figure = nullptr;           // a child of the layer
};

}  // namespace lirava
