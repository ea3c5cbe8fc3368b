// Any bytes as a bitmap-font (.fnt) file: parsed directly and looked up, then loaded by a label
// that lays out and draws a text with line breaks, kerning pairs and characters the font may
// not have, at a fixed width and centred.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/base/CCAffineTransform.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/text/CCBMFontConfiguration.h"
#include "engine/text/CCLabelBMFont.h"
#include "fuzz/FuzzSupport.h"

using namespace lirava;

namespace {

void runOnce(const std::uint8_t* data, std::size_t size, bool checkLeaks) {
    const std::string& root = fuzz::setUpEngine();
    fuzz::CheckingRenderer& renderer = fuzz::checkingRenderer();
    const std::string text(reinterpret_cast<const char*>(data), size);

    if (auto font = CCBMFontConfiguration::parse(text, root + "/english5down/")) {
        for (char32_t c : {U'A', U'a', U' ', U'0', U'\u00e9', U'\U0001F600'}) {
            font->glyph(c);
            font->kerning(c, U'A');
        }
    }

    static const std::string file = "english5down/font.fnt";
    if (!fuzz::writeFile(root + "/" + file, data, size)) {
        return;
    }
    const std::size_t before = fuzz::liveNonTextureObjects();
    CCPoolManager::sharedPoolManager()->push();
    {
        const char* sample = "Pip and Biscuit\nAV To\xc3\xa9 \xf0\x9f\x98\x80 wave!\n\n  end";
        if (CCLabelBMFont* label = CCLabelBMFont::create(sample, file.c_str(), 120.0f, kCCTextAlignmentCenter)) {
            label->visit(renderer, CCAffineTransformMakeIdentity());
            label->setString("a");
            label->setWidth(kCCLabelAutomaticWidth);
            label->visit(renderer, CCAffineTransformMakeIdentity());
        }
    }
    CCPoolManager::sharedPoolManager()->pop();
    CCBMFontConfiguration::purgeCache();
    CCPoolManager::sharedPoolManager()->drainAll();
    if (checkLeaks) {
        fuzz::expectNoObjectLeak(before, "bitmap font");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::runAfterWarmUp(&runOnce, data, size);
    return 0;
}
