#pragma once

#include "gui/widgets/UIWidget.h"

namespace lirava {

// A widget whose images can be drawn nine-slice (image view, button, loading bar, slider).
//
// A nine-slice widget is always as large as asked: it refuses setIgnoreSize(true), and
// switching nine-slice off brings back the ignoreSize it had before it was switched on.
class Scale9Widget : public UIWidget {
public:
    bool isScale9Enabled() const { return m_scale9Enabled; }
    void setIgnoreSize(bool ignore) override;

protected:
    // Applies the sizing rule after m_scale9Enabled changed to enabled (and the images were
    // remade for it).
    void applyScale9Sizing(bool enabled);

    bool m_scale9Enabled = false;

private:
    bool m_savedIgnoreSize = true;
};

}  // namespace lirava
