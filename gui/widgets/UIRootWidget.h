#pragma once

#include "gui/widgets/Layout.h"

namespace lirava {

// The top of a widget tree hosted by a UILayer: a window-sized container, touch disabled, with
// no background and no clipping.
class UIRootWidget : public Layout {
public:
    static UIRootWidget* create();

    bool init() override;
    const char* getTypeName() const override;
};

}  // namespace lirava
