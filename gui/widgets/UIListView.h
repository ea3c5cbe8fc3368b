#pragma once

#include "gui/widgets/Layout.h"

namespace lirava {

// A list container. No document creates one; it exists so that code which treats list views
// differently from panels (the container reader) has a class to test for.
class UIListView : public Layout {
public:
    static UIListView* create();
    const char* getTypeName() const override;
};

}  // namespace lirava
