#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lirava {

// A small streaming JSON writer for diagnostics (the driver script's state dumps). It writes
// compact JSON, escapes strings (invalid UTF-8 becomes U+FFFD), writes non-finite numbers as
// null and uses the shortest form that reads back to the same float or double.
//
// Calls chain: w.beginObject().member("page", 3).key("size").beginArray().value(1).endArray()...
// Misuse (a value where a key is due, unbalanced ends) marks the writer as failed instead of
// producing broken text; str() is then empty.
class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);

    JsonWriter& value(std::string_view text);
    JsonWriter& value(const std::string& text) { return value(std::string_view(text)); }
    JsonWriter& value(const char* text);  // null pointer writes null
    JsonWriter& value(bool flag);
    JsonWriter& value(int number) { return value(static_cast<long long>(number)); }
    JsonWriter& value(unsigned int number) { return value(static_cast<unsigned long long>(number)); }
    JsonWriter& value(long number) { return value(static_cast<long long>(number)); }
    JsonWriter& value(unsigned long number) { return value(static_cast<unsigned long long>(number)); }
    JsonWriter& value(long long number);
    JsonWriter& value(unsigned long long number);
    JsonWriter& value(float number);
    JsonWriter& value(double number);
    JsonWriter& value(std::nullptr_t);
    JsonWriter& null() { return value(nullptr); }

    // key + value, for the members of the current object.
    template <typename T>
    JsonWriter& member(std::string_view name, const T& v) {
        key(name);
        return value(v);
    }
    JsonWriter& memberNull(std::string_view name) { return key(name).null(); }
    JsonWriter& beginObject(std::string_view name) { return key(name).beginObject(); }
    JsonWriter& beginArray(std::string_view name) { return key(name).beginArray(); }

    // The text so far; empty after misuse.
    const std::string& str() const;
    // True once a whole top-level value is written and nothing went wrong.
    bool isComplete() const { return !m_failed && m_stack.empty() && m_hasRoot; }
    bool hasFailed() const { return m_failed; }

    static std::string escape(std::string_view text);

private:
    enum class Frame { Object, Array };
    bool beforeValue();
    void raw(std::string_view text);

    std::string m_out;
    std::vector<Frame> m_stack;
    bool m_expectValueAfterKey = false;
    bool m_needComma = false;
    bool m_hasRoot = false;
    bool m_failed = false;
};

}  // namespace lirava
