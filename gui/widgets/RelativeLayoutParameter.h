#pragma once

#include <string>

#include "gui/widgets/LayoutParameter.h"

namespace lirava {

// A child of a relative layout: known to its siblings by its relative name, placed against the
// sibling named by relativeToWidgetName.
class RelativeLayoutParameter : public LayoutParameter {
public:
    static RelativeLayoutParameter* create();
    RelativeLayoutParameter() { m_layoutParameterType = LAYOUT_PARAMETER_RELATIVE; }

    // Null counts as empty.
    void setRelativeName(const char* name) { m_relativeName = name ? name : ""; }
    const char* getRelativeName() const { return m_relativeName.c_str(); }
    void setRelativeToWidgetName(const char* name) { m_relativeWidgetName = name ? name : ""; }
    const char* getRelativeToWidgetName() const { return m_relativeWidgetName.c_str(); }

private:
    std::string m_relativeName;
    std::string m_relativeWidgetName;
};

}  // namespace lirava
