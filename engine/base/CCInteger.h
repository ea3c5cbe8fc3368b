#pragma once

#include "engine/base/CCObject.h"

namespace lirava {

class CCInteger : public CCObject {
public:
    explicit CCInteger(int value) : m_value(value) {}
    static CCInteger* create(int value);
    int getValue() const { return m_value; }
    CCObject* copy() override { return new CCInteger(m_value); }

private:
    int m_value;
};

class CCDouble : public CCObject {
public:
    explicit CCDouble(double value) : m_value(value) {}
    static CCDouble* create(double value);
    double getValue() const { return m_value; }
    CCObject* copy() override { return new CCDouble(m_value); }

private:
    double m_value;
};

class CCBool : public CCObject {
public:
    explicit CCBool(bool value) : m_value(value) {}
    static CCBool* create(bool value);
    bool getValue() const { return m_value; }
    CCObject* copy() override { return new CCBool(m_value); }

private:
    bool m_value;
};

}  // namespace lirava
