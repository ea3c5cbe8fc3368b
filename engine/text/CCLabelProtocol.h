#pragma once

namespace lirava {

// What menu items and widgets need of any label: its text.
class CCLabelProtocol {
public:
    virtual ~CCLabelProtocol() = default;
    virtual void setString(const char* text) = 0;
    virtual const char* getString() = 0;
};

}  // namespace lirava
