#include "gui/widgets/Scale9Widget.h"

namespace lirava {

void Scale9Widget::setIgnoreSize(bool ignore) {
    if (m_scale9Enabled && ignore) {
        return;
    }
    UIWidget::setIgnoreSize(ignore);
    m_savedIgnoreSize = ignore;
}

void Scale9Widget::applyScale9Sizing(bool enabled) {
    if (enabled) {
        const bool ignoreSize = m_ignoreSize;
        setIgnoreSize(false);
        m_savedIgnoreSize = ignoreSize;
    } else {
        setIgnoreSize(m_savedIgnoreSize);
    }
}

}  // namespace lirava
