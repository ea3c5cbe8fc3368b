#pragma once

#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"

namespace lirava {

class CCArray;
class Layout;
class UIWidget;

// The process-wide companion of the document reader: the design size of the last document
// read, the sprite sheets already handed to the sprite-frame cache (each is loaded once while
// the toolbox lives), and the searches that find widgets in a tree built from a document.
class UIToolbox : public CCObject {
public:
    // Made on first use with the window size as design size and no sheets.
    static UIToolbox* sharedToolbox();
    // Destroys the document reader and the toolbox; both are made again on next use. Safe when
    // neither exists. Sprite frames already loaded stay in the engine's cache.
    static void purgeToolbox();
    static bool exists();

    void setDesignSize(const CCSize& size) { m_designSize = size; }
    const CCSize& getDesignSize() const { return m_designSize; }

    // Loads a sprite sheet into the sprite-frame cache unless a sheet of exactly this name was
    // registered before. Null and empty names do nothing.
    void addSpriteFrames(const char* fileName);
    // The registered sheet names (CCString), in the order of registration.
    CCArray* getRegisteredSheets() const { return m_registeredSheets; }

    // Depth first from root (root first, then each child's subtree in child order): the first
    // widget whose name is exactly name, or null.
    UIWidget* findWidgetByName(UIWidget* root, const char* name);
    // The same search by action tag.
    UIWidget* findWidgetByActionTag(UIWidget* root, int tag);
    // Among the direct children of container only: the first whose layout parameter is a
    // RelativeLayoutParameter with exactly this relative name, or null.
    UIWidget* findWidgetByRelativeName(Layout* container, const char* name);

private:
    UIToolbox();
    ~UIToolbox() override;

    CCSize m_designSize;
    CCArray* m_registeredSheets = nullptr;
};

}  // namespace lirava
