#pragma once

#include <cstdint>

namespace lirava {

struct ccColor3B {
    std::uint8_t r, g, b;
    bool operator==(const ccColor3B& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const ccColor3B& o) const { return !(*this == o); }
};

struct ccColor4B {
    std::uint8_t r, g, b, a;
    bool operator==(const ccColor4B& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const ccColor4B& o) const { return !(*this == o); }
};

struct ccColor4F {
    float r, g, b, a;
};

inline ccColor3B ccc3(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return ccColor3B{r, g, b};
}
inline ccColor4B ccc4(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    return ccColor4B{r, g, b, a};
}
inline ccColor4F ccc4f(float r, float g, float b, float a) {
    return ccColor4F{r, g, b, a};
}
ccColor4F ccc4FFromccc3B(ccColor3B c);
ccColor4F ccc4FFromccc4B(ccColor4B c);

extern const ccColor3B ccWHITE;
extern const ccColor3B ccBLACK;
extern const ccColor3B ccRED;
extern const ccColor3B ccGREEN;
extern const ccColor3B ccBLUE;

enum CCTextAlignment {
    kCCTextAlignmentLeft = 0,
    kCCTextAlignmentCenter = 1,
    kCCTextAlignmentRight = 2,
};

enum CCVerticalTextAlignment {
    kCCVerticalTextAlignmentTop = 0,
    kCCVerticalTextAlignmentCenter = 1,
    kCCVerticalTextAlignmentBottom = 2,
};

enum ResolutionPolicy {
    // The design area is stretched to the whole frame, without keeping the aspect ratio.
    kResolutionExactFit = 0,
    kResolutionNoBorder = 1,
    kResolutionShowAll = 2,
    kResolutionFixedHeight = 3,
    kResolutionFixedWidth = 4,
    kResolutionUnKnown = 5,
};

enum ccTouchesMode {
    kCCTouchesAllAtOnce = 0,
    kCCTouchesOneByOne = 1,
};

// How a textured triangle is blended into what lies below it.
enum class BlendMode {
    Alpha,          // straight alpha: src * a + dst * (1 - a)
    Premultiplied,  // src + dst * (1 - a)
    Additive,
    None,
    Multiply,  // src * dst (alpha ignored)
};

}  // namespace lirava
