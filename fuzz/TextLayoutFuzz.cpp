// Any bytes as a label's text, laid out and drawn the way the reader shows a caption: five bytes
// of settings (font size, wrap width, box height, alignments), then the text. The label is drawn,
// given the second half of its text as the next sentence would be, drawn again, and the text is
// typed into a text field as a child would type it. Nothing may crash, hang, touch memory it does
// not own or leave an engine object behind. Printable ASCII must break as ICU breaks it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/base/CCAffineTransform.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/text/CCLabelTTF.h"
#include "engine/text/CCTextFieldTTF.h"
#include "engine/text/LineBreaks.h"
#include "fuzz/FuzzSupport.h"

using namespace lirava;

namespace {

constexpr std::size_t kSettingsBytes = 5;

void draw(CCNode* node) {
    node->visit(fuzz::checkingRenderer(), CCAffineTransformMakeIdentity());
    fuzz::checkingRenderer().expectClipsClosed();
}

void runOnce(const std::uint8_t* data, std::size_t size, bool checkLeaks) {
    fuzz::setUpEngine();
    std::uint8_t settings[kSettingsBytes] = {24, 0, 160, 0, 1};
    for (std::size_t i = 0; i < kSettingsBytes && i < size; ++i) {
        settings[i] = data[i];
    }
    const std::string text =
        size > kSettingsBytes ? std::string(reinterpret_cast<const char*>(data) + kSettingsBytes, size - kSettingsBytes)
                              : std::string();
    // Sizes past the largest the rasterizer takes and a wrap of zero (no wrapping) are in range.
    const float fontSize = static_cast<float>(settings[0] % 160);
    const float wrapWidth = static_cast<float>(((settings[1] << 8) | settings[2]) % 2400);
    const float boxHeight = static_cast<float>(settings[3]) * 4.0f;
    const auto hAlignment = static_cast<CCTextAlignment>(settings[4] % 3);
    const auto vAlignment = static_cast<CCVerticalTextAlignment>((settings[4] / 3) % 3);
    if (unicode::linebreak::isPrintableAscii(text) &&
        unicode::linebreak::printableAscii(text) != unicode::linebreak::icu(text)) {
        std::abort();  // the hand rules for ASCII broke where ICU would not, or the other way
    }
    const std::size_t before = fuzz::liveNonTextureObjects();

    CCPoolManager::sharedPoolManager()->push();
    {
        CCLabelTTF* label =
            CCLabelTTF::create(text.c_str(), "Arial", fontSize, CCSize(wrapWidth, boxHeight), hAlignment, vAlignment);
        label->getMissingGlyphCount();
        draw(label);
        label->setString(text.substr(text.size() / 2).c_str());
        draw(label);

        CCTextFieldTTF* field =
            CCTextFieldTTF::textFieldWithPlaceHolder("", CCSize(wrapWidth, boxHeight), hAlignment, "Arial", fontSize);
        field->insertText(text.data(), static_cast<int>(text.size()));
        field->deleteBackward();
        draw(field);
    }
    CCPoolManager::sharedPoolManager()->pop();
    CCPoolManager::sharedPoolManager()->drainAll();
    if (checkLeaks) {
        fuzz::expectNoObjectLeak(before, "text layout");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::runAfterWarmUp(&runOnce, data, size);
    return 0;
}
