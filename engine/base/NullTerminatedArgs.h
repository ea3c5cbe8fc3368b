#pragma once

#include <type_traits>
#include <vector>

namespace lirava::detail {

// Factories such as CCSequence::create(a, b, c, NULL) take their arguments up to the first
// null. These helpers collect them type-safely instead of through C varargs, so a stray
// argument of the wrong type is a compile error rather than a crash.
template <typename Base>
void collectUntilNull(std::vector<Base*>& out, bool& ended) {}

template <typename Base, typename First, typename... Rest>
void collectUntilNull(std::vector<Base*>& out, bool& ended, First first, Rest... rest) {
    static_assert(std::is_convertible_v<First, Base*> || std::is_integral_v<First> || std::is_null_pointer_v<First>,
                  "argument is neither an object of the expected kind nor the closing NULL");
    if (!ended) {
        Base* pointer = nullptr;
        if constexpr (std::is_pointer_v<First> && std::is_convertible_v<First, Base*>) {
            pointer = first;
        }
        if (pointer) {
            out.push_back(pointer);
        } else {
            ended = true;
        }
    }
    collectUntilNull<Base>(out, ended, rest...);
}

template <typename Base, typename... Args>
std::vector<Base*> collectUntilNull(Args... args) {
    std::vector<Base*> out;
    bool ended = false;
    collectUntilNull<Base>(out, ended, args...);
    return out;
}

}  // namespace lirava::detail
