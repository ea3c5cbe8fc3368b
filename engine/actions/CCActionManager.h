#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "engine/base/CCObject.h"

namespace lirava {

class CCAction;
class CCNode;

// Steps every running action once per frame (it is scheduled with the system priority, so
// actions move before any node's own update). Targets are visited in the order they got their
// first action, and each target's actions in the order they were run. A target is retained
// while it has actions; an action is retained while it runs.
class CCActionManager : public CCObject {
public:
    CCActionManager();
    ~CCActionManager() override;

    void addAction(CCAction* action, CCNode* target, bool paused);
    void removeAllActions();
    void removeAllActionsFromTarget(CCObject* target);
    void removeAction(CCAction* action);
    void removeActionByTag(int tag, CCObject* target);
    CCAction* getActionByTag(int tag, CCObject* target) const;
    unsigned int numberOfRunningActionsInTarget(CCObject* target) const;
    // Whether any action will step in the next frame (a target that is not paused has one).
    bool hasRunningActions() const;
    void pauseTarget(CCObject* target);
    void resumeTarget(CCObject* target);

    void update(float dt) override;

private:
    struct Element {
        CCNode* target;
        bool paused;
        bool removed;
        std::vector<CCAction*> actions;  // null entries are actions removed during a step
    };
    Element* find(const CCObject* target) const;
    void removeActionAt(Element& element, std::size_t index);
    void dropElementIfEmpty(Element* element);

    std::vector<std::unique_ptr<Element>> m_elements;
    std::unordered_map<const CCObject*, Element*> m_index;
    bool m_updating = false;
};

}  // namespace lirava
