#pragma once

#include "engine/base/CCObject.h"
#include "gui/action/ActionFrame.h"

namespace lirava {

class CCAction;
class CCArray;
class CCNode;
class JsonDictionary;

// One animated widget of a UI animation: its key frames by kind (in document order, never
// sorted), the widget it is bound to through its action tag, and the engine actions built from
// the frames: one sequence per kind, all gathered into one spawn.
//
// The target is not retained: the registry that holds the node is dropped whenever a page scene
// leaves the stage, before the widgets it could point at.
class ActionNode : public CCObject {
public:
    static ActionNode* create();
    ActionNode();
    ~ActionNode() override;

    // Poses the target as it is at time seconds, kind by kind. True when the last kind that
    // found its place on the timeline lies between two frames or on one.
    virtual bool seekToTime(float time);
    // Runs the spawn once (loop false) or forever; nothing without a target or a spawn.
    virtual void startPlayback(bool loop);
    virtual void haltPlayback();
    // Reads "ActionTag" and the frame records of "actionframelist", then binds to root.
    virtual void readFromDictionary(const JsonDictionary* dict, CCObject* root);
    // The node the actions run on: an engine node target itself, a widget's renderer, else null.
    virtual CCNode* targetNode();
    // Builds the spawn of the per-kind sequences again; null (and nothing changed) while unbound.
    virtual CCAction* rebuildActions();
    virtual void runPlaybackAction();
    // Binds to the first widget below root (depth first, root included) with the action tag.
    virtual void initActionNodeFromRoot(CCObject* root);
    // Starts the frame's action on the target and moves it to fraction (0 start, 1 end) at once.
    virtual void applyFrameAt(float duration, float fraction, ActionFrame* frame);

    float getUnitTime() const { return m_unitTime; }
    void setUnitTime(float unitTime) { m_unitTime = unitTime; }
    int getActionTag() const { return m_actionTag; }
    void setActionTag(int tag) { m_actionTag = tag; }
    CCObject* getTarget() const { return m_target; }
    void setTarget(CCObject* target) { m_target = target; }
    CCAction* getSpawnAction() const { return m_spawnAction; }
    CCAction* getPlayAction() const { return m_playAction; }

    // The frames of one kind, in the order they were added; null for a kind out of range.
    CCArray* getFrameList(int kind) const;
    // Appends the frame to the list of its kind (frames of no known kind are ignored).
    void addFrame(ActionFrame* frame);
    int getFrameListCount() const { return m_frameListCount; }

private:
    void releaseActions();

    float m_unitTime = 0.1f;
    int m_actionTag = 0;
    CCObject* m_target = nullptr;
    CCAction* m_spawnAction = nullptr;
    CCAction* m_playAction = nullptr;
    CCArray* m_frameLists = nullptr;
    int m_frameListCount = kFrameKindCount;
};

}  // namespace lirava
