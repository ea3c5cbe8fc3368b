#pragma once

#include "gui/widgets/ScrollingLayout.h"

namespace lirava {

// A scrolling container whose content lives in an inner container at least as large as itself
// (scroll view, drag panel).
//
// Children: addChild, removeChild, removeAllChildren and getChildren go to the inner container,
// and so do the layout type and doLayout, so the content is what every walk over the
// container's children sees (searches, touch routing); the inner container itself is never
// handed out that way.
class InnerContainerLayout : public ScrollingLayout {
public:
    ~InnerContainerLayout() override;

    // The inner container gets at least the container's size in each axis; its top edge is put
    // level with the container's top edge.
    void setInnerSize(const CCSize& size);
    const CCSize& getInnerSize() const;
    Layout* getInnerContainer() const { return m_innerContainer; }

    bool addChild(UIWidget* child) override;
    bool removeChild(UIWidget* child) override;
    void removeAllChildren() override;
    CCArray* getChildren() override;
    void setLayoutType(LayoutType type) override;
    LayoutType getLayoutType() override;
    void doLayout() override;
    void releaseResources() override;

protected:
    void initRenderer() override;
    bool hasContent();

    Layout* m_innerContainer = nullptr;
};

}  // namespace lirava
