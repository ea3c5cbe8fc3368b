// A harness that leaks on purpose, built with the tests only: it proves that the shared teardown
// at exit (fuzz::tearDownEngine) hides nothing. It lays out text that starts the font matcher, as
// the real targets do, then loses one block of a size no other allocation has. The leak checker
// must report that block, and only that block.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/base/CCAutoreleasePool.h"
#include "engine/text/CCLabelTTF.h"
#include "fuzz/FuzzSupport.h"

using namespace lirava;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lirava::fuzz::setUpEngine();
    CCPoolManager::sharedPoolManager()->push();
    CCLabelTTF::create("\xe0\xa4\xa8\xe0\xa4\xae\xe0\xa4\xb8\xe0\xa5\x8d\xe0\xa4\xa4\xe0\xa5\x87", "Arial", 24)
        ->getMissingGlyphCount();
    CCPoolManager::sharedPoolManager()->pop();
    // A volatile pointer, so that the compiler can neither drop the allocation nor keep it.
    static char* volatile lost = nullptr;
    lost = new char[4321];
    std::memcpy(lost, data, size < 4321 ? size : 4321);
    lost = nullptr;
    return 0;
}
