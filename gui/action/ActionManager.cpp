#include "gui/action/ActionManager.h"

#include <cstring>

#include "engine/base/CCArray.h"
#include "engine/base/CCDictionary.h"
#include "gui/action/ActionObject.h"
#include "gui/document/DictionaryAccessor.h"
#include "gui/document/JsonDictionary.h"

namespace lirava {

namespace {
ActionManager* g_instance = nullptr;
}

ActionManager* ActionManager::instance() {
    if (!g_instance) {
        g_instance = new ActionManager();
    }
    return g_instance;
}

void ActionManager::destroyInstance() {
    if (g_instance) {
        ActionManager* dying = g_instance;
        g_instance = nullptr;
        dying->release();
    }
}

bool ActionManager::exists() {
    return g_instance != nullptr;
}

ActionManager::ActionManager() {
    m_animationsByDocument = CCDictionary::create();
    m_animationsByDocument->retain();
}

ActionManager::~ActionManager() {
    m_animationsByDocument->removeAllObjects();
    m_animationsByDocument->release();
}

std::string ActionManager::fileNameKey(const char* documentName) {
    if (!documentName) {
        return std::string();
    }
    const char* slash = std::strrchr(documentName, '/');
    return std::string(slash ? slash + 1 : documentName);
}

void ActionManager::loadDocumentAnimations(const char* documentName, const JsonDictionary* section, CCObject* root) {
    const DictionaryAccessor* json = DictionaryAccessor::shared();
    CCArray* animations = CCArray::create();
    const int count = json->getArraySize(section, "actionlist");
    for (int i = 0; i < count; ++i) {
        ActionObject* animation = ActionObject::create();
        std::unique_ptr<JsonDictionary> record = json->getArrayElement(section, "actionlist", i);
        animation->readFromDictionary(record.get(), root);
        animations->addObject(animation);
    }
    m_animationsByDocument->setObject(animations, fileNameKey(documentName));
}

CCArray* ActionManager::getAnimationsForDocument(const std::string& fileName) const {
    return dynamic_cast<CCArray*>(m_animationsByDocument->objectForKey(fileName));
}

unsigned int ActionManager::documentCount() const {
    return m_animationsByDocument->count();
}

}  // namespace lirava
