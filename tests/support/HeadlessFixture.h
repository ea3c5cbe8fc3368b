#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/ccTypes.h"

namespace lirava {
class CCScene;
class PlatformWindow;
class Renderer;
}  // namespace lirava

namespace lirava::test {

// A frame read back from the renderer: RGBA rows, top to bottom.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    // Pixel at (x, y), origin top-left; transparent black outside the frame.
    ccColor4B at(int x, int y) const;
    // Pixel under a design point (origin bottom-left, y up) with the exact-fit mapping of a
    // 640 x 960 design.
    ccColor4B atDesign(float x, float y) const;
};

// Channel-wise comparison with a tolerance, with readable failure output.
::testing::AssertionResult colorNear(const ccColor4B& actual, const ccColor4B& expected, int tolerance = 2);

// Draws scenes with the headless renderer (SDL's software renderer on the dummy video driver, a
// 640 x 960 frame) through the real director. The renderer is made once and shared by every test
// of the process (it is the current renderer only during a test); the director is renewed after
// each test, so no scene, scheduled selector or touch delegate leaks into the next.
//
//   TEST_F(HeadlessFixture, DrawsMyNode) {
//       CCScene* scene = CCScene::create();
//       scene->addChild(MyNode::create());
//       runScene(scene);
//       EXPECT_TRUE(colorNear(capture().atDesign(320, 480), ccc4(255, 0, 0, 255)));
//   }
class HeadlessFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static Renderer& renderer();
    // The headless window the renderer draws in (tests that resize it put its size back).
    static PlatformWindow& window();

    // Makes the scene the running one and runs one frame.
    void runScene(CCScene* scene);
    // Runs frames of 1/60 s each (scheduler, actions, scene switches, drawing, pool drain).
    void stepFrames(int frames);
    // Draws the running scene and reads the frame back.
    const Frame& capture();
    const Frame& lastCapture() const { return m_frame; }
    // Writes the last capture as PNG, for looking at a failure.
    bool saveCapture(const std::string& path) const;

private:
    Frame m_frame;
    Renderer* m_previousRenderer = nullptr;
};

}  // namespace lirava::test
