#include "engine/actions/CCActionManager.h"

#include <algorithm>

#include "engine/actions/CCAction.h"
#include "engine/nodes/CCNode.h"

namespace lirava {

CCActionManager::CCActionManager() = default;

CCActionManager::~CCActionManager() {
    removeAllActions();
}

CCActionManager::Element* CCActionManager::find(const CCObject* target) const {
    auto it = m_index.find(target);
    return it == m_index.end() ? nullptr : it->second;
}

void CCActionManager::addAction(CCAction* action, CCNode* target, bool paused) {
    if (!action || !target) {
        return;
    }
    Element* element = find(target);
    if (!element) {
        target->retain();
        m_elements.push_back(std::make_unique<Element>(Element{target, paused, false, {}}));
        element = m_elements.back().get();
        m_index[target] = element;
    }
    if (std::find(element->actions.begin(), element->actions.end(), action) != element->actions.end()) {
        return;  // already running on this target
    }
    action->retain();
    element->actions.push_back(action);
    action->startWithTarget(target);
}

void CCActionManager::removeActionAt(Element& element, std::size_t index) {
    CCAction* action = element.actions[index];
    if (!action) {
        return;
    }
    if (m_updating) {
        // The action may be the one whose step is running right now; keep the slot and
        // release it once the frame's walk is over.
        element.actions[index] = nullptr;
        action->autorelease();
    } else {
        element.actions.erase(element.actions.begin() + static_cast<long>(index));
        action->release();
    }
}

void CCActionManager::dropElementIfEmpty(Element* element) {
    if (m_updating || !element) {
        return;
    }
    const bool empty = std::none_of(element->actions.begin(), element->actions.end(), [](CCAction* a) { return a; });
    if (!empty) {
        return;
    }
    CCNode* target = element->target;
    m_index.erase(target);
    m_elements.erase(std::find_if(m_elements.begin(), m_elements.end(),
                                  [element](const std::unique_ptr<Element>& e) { return e.get() == element; }));
    target->release();
}

void CCActionManager::removeAllActions() {
    std::vector<CCObject*> targets;
    for (const auto& element : m_elements) {
        targets.push_back(element->target);
    }
    for (CCObject* target : targets) {
        removeAllActionsFromTarget(target);
    }
}

void CCActionManager::removeAllActionsFromTarget(CCObject* target) {
    Element* element = find(target);
    if (!element) {
        return;
    }
    for (std::size_t i = element->actions.size(); i-- > 0;) {
        removeActionAt(*element, i);
    }
    if (m_updating) {
        element->removed = true;
        m_index.erase(target);
    } else {
        dropElementIfEmpty(element);
    }
}

void CCActionManager::removeAction(CCAction* action) {
    if (!action) {
        return;
    }
    Element* element = find(action->getOriginalTarget());
    if (!element) {
        return;
    }
    auto it = std::find(element->actions.begin(), element->actions.end(), action);
    if (it != element->actions.end()) {
        removeActionAt(*element, static_cast<std::size_t>(it - element->actions.begin()));
        dropElementIfEmpty(element);
    }
}

void CCActionManager::removeActionByTag(int tag, CCObject* target) {
    Element* element = find(target);
    if (!element) {
        return;
    }
    for (std::size_t i = 0; i < element->actions.size(); ++i) {
        CCAction* action = element->actions[i];
        if (action && action->getTag() == tag) {
            removeActionAt(*element, i);
            dropElementIfEmpty(element);
            return;
        }
    }
}

CCAction* CCActionManager::getActionByTag(int tag, CCObject* target) const {
    const Element* element = find(target);
    if (!element) {
        return nullptr;
    }
    for (CCAction* action : element->actions) {
        if (action && action->getTag() == tag) {
            return action;
        }
    }
    return nullptr;
}

unsigned int CCActionManager::numberOfRunningActionsInTarget(CCObject* target) const {
    const Element* element = find(target);
    if (!element) {
        return 0;
    }
    return static_cast<unsigned int>(
        std::count_if(element->actions.begin(), element->actions.end(), [](CCAction* a) { return a; }));
}

void CCActionManager::pauseTarget(CCObject* target) {
    if (Element* element = find(target)) {
        element->paused = true;
    }
}

void CCActionManager::resumeTarget(CCObject* target) {
    if (Element* element = find(target)) {
        element->paused = false;
    }
}

bool CCActionManager::hasRunningActions() const {
    return std::any_of(m_elements.begin(), m_elements.end(), [](const std::unique_ptr<Element>& element) {
        return !element->removed && !element->paused &&
               std::any_of(element->actions.begin(), element->actions.end(),
                           [](const CCAction* action) { return action != nullptr; });
    });
}

void CCActionManager::update(float dt) {
    m_updating = true;
    const std::size_t elementCount = m_elements.size();
    for (std::size_t e = 0; e < elementCount; ++e) {
        Element& element = *m_elements[e];
        // Actions started during this walk on the same target are stepped this frame too.
        for (std::size_t i = 0; i < element.actions.size(); ++i) {
            if (element.removed || element.paused) {
                break;
            }
            CCAction* action = element.actions[i];
            if (!action) {
                continue;
            }
            action->step(dt);
            if (i < element.actions.size() && element.actions[i] == action && action->isDone()) {
                action->stop();
                removeActionAt(element, i);
            }
        }
    }
    m_updating = false;

    // Drop emptied slots and targets with no actions left.
    for (auto it = m_elements.begin(); it != m_elements.end();) {
        Element& element = **it;
        element.actions.erase(std::remove(element.actions.begin(), element.actions.end(), nullptr),
                              element.actions.end());
        if (element.actions.empty() || element.removed) {
            for (CCAction* action : element.actions) {
                action->release();
            }
            auto indexed = m_index.find(element.target);
            if (indexed != m_index.end() && indexed->second == &element) {
                m_index.erase(indexed);
            }
            CCNode* target = element.target;
            it = m_elements.erase(it);
            target->release();
        } else {
            ++it;
        }
    }
}

}  // namespace lirava
