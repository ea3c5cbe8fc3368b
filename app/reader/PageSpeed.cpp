// The narration speed of a page: the keys that change it and the badge that shows it (the
// caption language shows in the same badge).

#include <algorithm>
#include <string>
#include <vector>

#include "app/reader/BookState.h"
#include "app/reader/PageLayer.h"
#include "app/shell/VisibleArea.h"
#include "engine/actions/CCDelayTime.h"
#include "engine/actions/CCHide.h"
#include "engine/actions/CCSequence.h"
#include "engine/audio/NarrationSpeed.h"
#include "engine/base/CCAffineTransform.h"
#include "engine/base/CCArray.h"
#include "engine/menu/CCMenu.h"
#include "engine/nodes/CCLayerColor.h"
#include "engine/text/CCLabelTTF.h"
#include "gui/widgets/UIButton.h"

namespace lirava {

namespace {

constexpr float kBadgeSeconds = 1.5f;
constexpr float kBadgeFontSize = 22.0f;
constexpr float kBadgePaddingX = 14.0f;
constexpr float kBadgePaddingY = 4.0f;
// Above the caption (10000 on a TestLayer1 page) and the menu.
constexpr int kBadgeZOrder = 10001;
// Clearance from the screen's top edge and from the tops of the items along the bottom.
constexpr float kBadgeMargin = 6.0f;
const ccColor4B kBadgeColor = {255, 255, 255, 215};
const ccColor3B kBadgeTextColor = {40, 40, 90};

CCRect worldBox(CCNode* node, const CCRect& local) {
    return CCRectApplyAffineTransform(local, node->nodeToWorldTransform());
}

// Where a widget takes touches, on the screen.
CCRect widgetBox(UIWidget* widget) {
    const CCSize size = widget->getSize();
    const CCPoint anchor = widget->getAnchorPoint();
    return worldBox(widget->getContainerNode(),
                    CCRect(-anchor.x * size.width, -anchor.y * size.height, size.width, size.height));
}

CCRect nodeBox(CCNode* node) {
    const CCSize size = node->getContentSize();
    return worldBox(node, CCRect(0, 0, size.width, size.height));
}

bool shows(CCNode* node) {
    for (; node; node = node->getParent()) {
        if (!node->isVisible()) {
            return false;
        }
    }
    return true;
}

}  // namespace

void PageLayer::changeNarrationSpeed(int direction) {
    book::narrationSpeed = steppedNarrationSpeed(book::narrationSpeed, direction);
    showBadge("Speed " + narrationSpeedText(book::narrationSpeed));
}

void PageLayer::showBadge(const std::string& text) {
    if (!m_speedBadge) {
        m_speedText = CCLabelTTF::create(text.c_str(), "Arial", kBadgeFontSize);
        m_speedText->setColor(kBadgeTextColor);
        m_speedBadge = CCLayerColor::create(kBadgeColor);
        m_speedBadge->addChild(m_speedText);
        addChild(m_speedBadge, kBadgeZOrder);
    }
    m_speedText->setString(text.c_str());
    const CCSize textSize = m_speedText->getContentSize();
    m_speedBadge->changeWidthAndHeight(textSize.width + 2 * kBadgePaddingX, textSize.height + 2 * kBadgePaddingY);
    m_speedText->setPosition(
        CCPoint(m_speedBadge->getContentSize().width / 2, m_speedBadge->getContentSize().height / 2));
    placeSpeedBadge();

    // A second change while it shows starts its time over.
    m_speedBadge->stopAllActions();
    m_speedBadge->setVisible(true);
    m_speedBadge->runAction(CCSequence::create(CCDelayTime::create(kBadgeSeconds), CCHide::create(), nullptr));
}

void PageLayer::placeSpeedBadge() {
    const CCSize size = m_speedBadge->getContentSize();
    const CCPoint top = VisibleArea::top();
    const CCPoint center = VisibleArea::center();

    // What it must not cover, most of all the sentence being read, its caption and the items;
    // the other sentences only where there is no better place.
    struct Keep {
        CCRect box;
        int weight;
    };
    std::vector<Keep> keep;
    float itemsTop = VisibleArea::bottom().y;
    if (m_menu && shows(m_menu)) {
        CCArray* items = m_menu->getChildren();
        for (unsigned int i = 0; i < items->count(); ++i) {
            CCNode* item = static_cast<CCNode*>(items->objectAtIndex(i));
            if (shows(item)) {
                const CCRect box = nodeBox(item);
                keep.push_back({box, 100});
                itemsTop = std::max(itemsTop, box.getMaxY());
            }
        }
    }
    for (UIWidget* button : m_sentences) {
        if (button) {
            keep.push_back({widgetBox(button), button == book::activeSentence ? 100 : 1});
        }
    }
    // The caption counts from the moment it is placed for a sentence, before its watcher shows
    // it; the plate waits at the top of the screen, hidden, until then.
    if (m_caption && m_caption->getString()[0] != '\0') {
        keep.push_back({nodeBox(m_caption), 100});
    }
    if (m_plate && m_plate->getSize().width > 0 && (m_plate->isVisible() || book::activeSentence)) {
        keep.push_back({widgetBox(m_plate), 100});
    }

    // Along the top, just above the items, or in the middle: the first place that covers least.
    const float x = center.x - size.width / 2;
    const float places[] = {top.y - kBadgeMargin - size.height, itemsTop + kBadgeMargin, center.y - size.height / 2};
    float best = places[0];
    int leastCovered = -1;
    for (float y : places) {
        const CCRect box(x, y, size.width, size.height);
        int covered = 0;
        for (const Keep& k : keep) {
            covered += box.intersectsRect(k.box) ? k.weight : 0;
        }
        if (leastCovered < 0 || covered < leastCovered) {
            leastCovered = covered;
            best = y;
        }
    }
    m_speedBadge->setPosition(CCPoint(x, best));
}

}  // namespace lirava
