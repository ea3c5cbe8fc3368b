#include "gui/action/ActionObject.h"

#include "engine/base/CCArray.h"
#include "gui/action/ActionNode.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/JsonDictionary.h"

namespace lirava {

ActionObject* ActionObject::create() {
    ActionObject* object = new ActionObject();
    object->autorelease();
    return object;
}

ActionObject::ActionObject() {
    m_nodes = CCArray::create();
    m_nodes->retain();
}

ActionObject::~ActionObject() {
    m_nodes->removeAllObjects();
    m_nodes->release();
}

void ActionObject::readFromDictionary(const JsonDictionary* dict, CCObject* root) {
    const DictionaryAccessor* json = DictionaryAccessor::shared();
    const char* name = json->getString(dict, "name");
    m_name = name ? name : "";
    m_loop = json->getBool(dict, "loop");
    applyUnitTime(json->getFloat(dict, "unittime"));

    const int count = json->getArraySize(dict, "actionnodelist");
    for (int i = 0; i < count; ++i) {
        ActionNode* node = ActionNode::create();
        std::unique_ptr<JsonDictionary> record = json->getArrayElement(dict, "actionnodelist", i);
        node->readFromDictionary(record.get(), root);
        node->setUnitTime(m_unitTime);
        node->rebuildActions();
        m_nodes->addObject(node);
    }
}

void ActionObject::applyUnitTime(float unitTime) {
    m_unitTime = unitTime;
    for (CCObject* object : *m_nodes) {
        ActionNode* node = static_cast<ActionNode*>(object);
        node->setUnitTime(unitTime);
        node->rebuildActions();
    }
}

}  // namespace lirava
