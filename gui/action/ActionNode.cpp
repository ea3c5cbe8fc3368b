#include "gui/action/ActionNode.h"

#include "engine/actions/CCRepeatForever.h"
#include "engine/actions/CCSequence.h"
#include "engine/actions/CCSpawn.h"
#include "engine/base/CCArray.h"
#include "engine/base/CCLog.h"
#include "engine/nodes/CCNode.h"
#include "gui/action/ActionFadeFrame.h"
#include "gui/action/ActionMoveFrame.h"
#include "gui/action/ActionRotationFrame.h"
#include "gui/action/ActionScaleFrame.h"
#include "gui/action/ActionTintFrame.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/JsonDictionary.h"
#include "gui/document/UIToolbox.h"
#include "gui/widgets/UIWidget.h"

namespace lirava {

namespace {

// Seconds between two frame indices. The indices come from documents and may lie anywhere in
// the integer range, so their difference is taken in double precision, never in int.
float stepSeconds(int fromIndex, int toIndex, float unitTime) {
    const double steps = static_cast<double>(toIndex) - static_cast<double>(fromIndex);
    return static_cast<float>(steps) * unitTime;
}

float timeOf(const ActionFrame* frame, float unitTime) {
    return static_cast<float>(frame->getFrameIndex()) * unitTime;
}

}  // namespace

ActionNode* ActionNode::create() {
    ActionNode* node = new ActionNode();
    node->autorelease();
    return node;
}

ActionNode::ActionNode() {
    m_frameLists = CCArray::createWithCapacity(kFrameKindCount);
    m_frameLists->retain();
    for (int kind = 0; kind < kFrameKindCount; ++kind) {
        m_frameLists->addObject(CCArray::create());
    }
}

ActionNode::~ActionNode() {
    releaseActions();
    m_frameLists->removeAllObjects();
    m_frameLists->release();
}

void ActionNode::releaseActions() {
    // The node holds its own reference to each action; the play action holds the spawn as well,
    // so both references have to go.
    CC_SAFE_RELEASE_NULL(m_playAction);
    CC_SAFE_RELEASE_NULL(m_spawnAction);
}

CCArray* ActionNode::getFrameList(int kind) const {
    if (kind < 0 || static_cast<unsigned int>(kind) >= m_frameLists->count()) {
        return nullptr;
    }
    return static_cast<CCArray*>(m_frameLists->objectAtIndex(static_cast<unsigned int>(kind)));
}

void ActionNode::addFrame(ActionFrame* frame) {
    if (!frame) {
        return;
    }
    if (CCArray* list = getFrameList(frame->getFrameKind())) {
        list->addObject(frame);
    }
}

void ActionNode::readFromDictionary(const JsonDictionary* dict, CCObject* root) {
    const DictionaryAccessor* json = DictionaryAccessor::shared();
    m_actionTag = json->getInt(dict, "ActionTag");
    const int count = json->getArraySize(dict, "actionframelist");
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<JsonDictionary> record = json->getArrayElement(dict, "actionframelist", i);
        const JsonDictionary* r = record.get();
        const int frameIndex = json->getInt(r, "frameid");
        if (json->hasKey(r, "positionx")) {
            ActionMoveFrame* frame = ActionMoveFrame::create();
            frame->setFrameIndex(frameIndex);
            frame->setPosition(CCPoint(json->getFloat(r, "positionx"), json->getFloat(r, "positiony")));
            addFrame(frame);
        }
        if (json->hasKey(r, "scalex")) {
            ActionScaleFrame* frame = ActionScaleFrame::create();
            frame->setFrameIndex(frameIndex);
            frame->setScaleX(json->getFloat(r, "scalex"));
            frame->setScaleY(json->getFloat(r, "scaley"));
            addFrame(frame);
        }
        if (json->hasKey(r, "rotation")) {
            ActionRotationFrame* frame = ActionRotationFrame::create();
            frame->setFrameIndex(frameIndex);
            frame->setRotation(json->getFloat(r, "rotation"));
            addFrame(frame);
        }
        if (json->hasKey(r, "opacity")) {
            ActionFadeFrame* frame = ActionFadeFrame::create();
            frame->setFrameIndex(frameIndex);
            frame->setOpacity(static_cast<float>(json->getInt(r, "opacity")));
            addFrame(frame);
        }
        if (json->hasKey(r, "colorr")) {
            ActionTintFrame* frame = ActionTintFrame::create();
            frame->setFrameIndex(frameIndex);
            frame->setColor(ccc3(static_cast<std::uint8_t>(json->getInt(r, "colorr") & 0xFF),
                                 static_cast<std::uint8_t>(json->getInt(r, "colorg") & 0xFF),
                                 static_cast<std::uint8_t>(json->getInt(r, "colorb") & 0xFF)));
            addFrame(frame);
        }
    }
    initActionNodeFromRoot(root);
}

void ActionNode::initActionNodeFromRoot(CCObject* root) {
    if (dynamic_cast<CCNode*>(root)) {
        CCLog("Need a definition of <initActionNodeFromRoot> for gameObject");
        return;
    }
    if (UIWidget* widget = dynamic_cast<UIWidget*>(root)) {
        if (UIWidget* found = UIToolbox::sharedToolbox()->findWidgetByActionTag(widget, m_actionTag)) {
            m_target = found;
        }
    }
}

CCNode* ActionNode::targetNode() {
    if (CCNode* node = dynamic_cast<CCNode*>(m_target)) {
        return node;
    }
    if (UIWidget* widget = dynamic_cast<UIWidget*>(m_target)) {
        return widget->getRenderer();
    }
    return nullptr;
}

CCAction* ActionNode::rebuildActions() {
    if (!m_target) {
        return nullptr;
    }
    CCArray* sequences = CCArray::create();
    for (int kind = 0; kind < kFrameKindCount; ++kind) {
        CCArray* frames = getFrameList(kind);
        if (!frames || frames->count() == 0) {
            continue;
        }
        CCArray* steps = CCArray::create();
        for (unsigned int j = 1; j < frames->count(); ++j) {
            ActionFrame* previous = static_cast<ActionFrame*>(frames->objectAtIndex(j - 1));
            ActionFrame* frame = static_cast<ActionFrame*>(frames->objectAtIndex(j));
            const float duration = stepSeconds(previous->getFrameIndex(), frame->getFrameIndex(), m_unitTime);
            if (CCFiniteTimeAction* action = frame->getAction(duration)) {
                steps->addObject(action);
            }
        }
        // A kind with a single frame has no steps and so no sequence.
        if (CCSequence* sequence = CCSequence::create(steps)) {
            sequences->addObject(sequence);
        }
    }
    releaseActions();
    m_spawnAction = CCSpawn::create(sequences);
    CC_SAFE_RETAIN(m_spawnAction);
    return m_spawnAction;
}

void ActionNode::startPlayback(bool loop) {
    if (!m_target || !m_spawnAction) {
        return;
    }
    CCActionInterval* spawn = static_cast<CCActionInterval*>(m_spawnAction);
    CCAction* play = loop ? static_cast<CCAction*>(CCRepeatForever::create(spawn))
                          : static_cast<CCAction*>(CCSequence::create(spawn, nullptr));
    CC_SAFE_RELEASE(m_playAction);
    m_playAction = play;
    CC_SAFE_RETAIN(m_playAction);
    runPlaybackAction();
}

void ActionNode::runPlaybackAction() {
    CCNode* node = targetNode();
    if (node && m_playAction) {
        node->runAction(m_playAction);
    }
}

void ActionNode::haltPlayback() {
    CCNode* node = targetNode();
    if (node && m_playAction) {
        node->stopAction(m_playAction);
    }
}

void ActionNode::applyFrameAt(float duration, float fraction, ActionFrame* frame) {
    if (!frame) {
        return;
    }
    CCFiniteTimeAction* action = frame->getAction(duration);
    CCNode* node = targetNode();
    if (action && node) {
        action->startWithTarget(node);
        action->update(fraction);
    }
}

bool ActionNode::seekToTime(float time) {
    bool result = false;
    for (int kind = 0; kind < m_frameListCount; ++kind) {
        CCArray* frames = getFrameList(kind);
        if (!frames) {
            continue;
        }
        for (unsigned int j = 0; j < frames->count(); ++j) {
            ActionFrame* frame = static_cast<ActionFrame*>(frames->objectAtIndex(j));
            const float t = timeOf(frame, m_unitTime);
            if (t == time) {
                applyFrameAt(1.0f, 1.0f, frame);
                result = true;
                break;
            }
            if (t > time) {
                if (j == 0) {
                    applyFrameAt(1.0f, 1.0f, frame);
                    result = false;
                } else {
                    ActionFrame* previous = static_cast<ActionFrame*>(frames->objectAtIndex(j - 1));
                    const float d = stepSeconds(previous->getFrameIndex(), frame->getFrameIndex(), m_unitTime);
                    applyFrameAt(d, 1.0f, previous);
                    applyFrameAt(d, (time - timeOf(previous, m_unitTime)) / d, frame);
                    result = true;
                }
                break;
            }
        }
    }
    return result;
}

}  // namespace lirava
