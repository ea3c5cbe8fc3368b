#pragma once

#include <string>

#include "engine/base/CCObject.h"

namespace lirava {

class CCArray;
class JsonDictionary;

// One animation declared in a UI document: a name, a loop flag, the seconds per frame step and
// one node per animated widget, in document order.
class ActionObject : public CCObject {
public:
    static ActionObject* create();
    ActionObject();
    ~ActionObject() override;

    // Reads "name", "loop", "unittime" and the nodes of "actionnodelist", binding each node to
    // its widget below root and building its actions.
    void readFromDictionary(const JsonDictionary* dict, CCObject* root);
    // Stores the unit time and hands it to every node, which then builds its actions again.
    void applyUnitTime(float unitTime);

    const std::string& getName() const { return m_name; }
    bool getLoop() const { return m_loop; }
    float getUnitTime() const { return m_unitTime; }
    // The nodes (ActionNode), in document order.
    CCArray* getNodes() const { return m_nodes; }

private:
    CCArray* m_nodes = nullptr;
    std::string m_name;
    bool m_loop = false;
    float m_unitTime = 0.1f;
};

}  // namespace lirava
