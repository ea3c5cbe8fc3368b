#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/render/Renderer.h"

namespace lirava::fuzz {

// A renderer that draws nothing but checks what it is given: every index names one of the
// vertices passed with it, and every clip pushed is popped. Breaking either aborts.
class CheckingRenderer : public Renderer {
public:
    void setDesignSize(const CCSize& size) override { m_designSize = size; }
    CCSize getDesignSize() const override { return m_designSize; }
    int targetWidth() const override { return 640; }
    int targetHeight() const override { return 960; }
    TextureId createTexture(int width, int height, const std::uint8_t* rgba) override;
    void destroyTexture(TextureId) override {}
    TextureId createRenderTarget(int, int) override { return ++m_nextId; }
    void setRenderTarget(TextureId) override {}
    void clear(const ccColor4B&) override {}
    void drawTriangles(TextureId texture, const Vertex* vertices, int vertexCount, const int* indices, int indexCount,
                       BlendMode blend) override;
    void pushClip(const CCRect&) override { ++m_clipDepth; }
    void popClip() override;
    bool readPixels(std::vector<std::uint8_t>&, int&, int&) override { return false; }
    void present() override {}

    // Aborts when a clip pushed since the last call is still open.
    void expectClipsClosed();
    std::size_t triangleCount() const { return m_triangles; }

private:
    CCSize m_designSize = CCSize(640.0f, 960.0f);
    TextureId m_nextId = 0;
    int m_clipDepth = 0;
    std::size_t m_triangles = 0;
};

// The renderer above, made current once per process.
CheckingRenderer& checkingRenderer();

// The parts of the engine that the parsers under test need, set up once per process: the
// resource root, the 640 x 960 design size and the director. Log lines go to /dev/null so that
// millions of runs do not flood the terminal. Returns the resource root in use. Registers
// tearDownEngine to run at exit.
const std::string& setUpEngine();

// Gives back what the engine keeps for the life of the process (document singletons, the
// autorelease pools, the font matcher with its fallback faces), so that the leak check at exit
// reports only real leaks: the matcher's tables hold their blocks by offset, which a leak checker
// takes for lost memory. Runs at exit for every target; safe to call more than once.
void tearDownEngine();

// A scratch folder laid out like a book: a real "english5down" folder for the input under test
// and links to every other entry of the sample book, so that images and sheets the input names
// are found. Made once per process, removed at exit.
const std::string& scratchBook();

// Writes bytes to a file, replacing it; false when it cannot be written.
bool writeFile(const std::string& path, const std::uint8_t* data, std::size_t size);

// Engine objects alive now, less textures: textures stay cached across runs on purpose.
std::size_t liveNonTextureObjects();

// Stops the process with a message when an engine object outlived its run. libFuzzer then keeps
// the input as a crash, as it does for memory errors.
void expectNoObjectLeak(std::size_t before, const char* what);

// One run of a target: the input, and whether to check that no engine object outlived it.
using Run = void (*)(const std::uint8_t* data, std::size_t size, bool checkLeaks);

// Runs an input. The very first call runs an empty input first, unchecked: it makes the engine's
// own singletons, which are not leaks.
void runAfterWarmUp(Run run, const std::uint8_t* data, std::size_t size);

}  // namespace lirava::fuzz
