#include <gtest/gtest.h>

#include <cmath>

#include "engine/transitions/PageCurlMesh.h"

namespace lirava {
namespace {

constexpr float kW = 640.0f;
constexpr float kH = 960.0f;

float along(const PageCurlMesh& mesh, float x, float y) {
    return x * mesh.axisNormal().x + y * mesh.axisNormal().y;
}

TEST(PageCurlMesh, StartsFlatWithTheWholeTexture) {
    PageCurlMesh mesh(kW, kH, 8, 6);
    ASSERT_EQ(mesh.points().size(), 9u * 7u);
    ASSERT_EQ(mesh.indices().size(), 8u * 6u * 6u);
    for (int row = 0; row <= 6; ++row) {
        for (int column = 0; column <= 8; ++column) {
            const auto& p = mesh.points()[static_cast<std::size_t>(row * 9 + column)];
            EXPECT_FLOAT_EQ(p.x, kW * column / 8);
            EXPECT_FLOAT_EQ(p.y, kH * row / 6);
            EXPECT_FLOAT_EQ(p.u, column / 8.0f);
            EXPECT_FLOAT_EQ(p.v, 1.0f - row / 6.0f);
            EXPECT_EQ(p.shade, 1.0f);
        }
    }
}

// Along the way: positions stay finite, nothing moves right of where it lies flat or below
// the frame, the flat part stays put, nothing pokes out beyond the cylinder, and shading
// stays a brightness.
TEST(PageCurlMesh, BendsOnlyWhatLiesPastTheAxis) {
    PageCurlMesh flat(kW, kH, 32, 24);
    PageCurlMesh mesh(kW, kH, 32, 24);
    for (int step = 0; step <= 50; ++step) {
        mesh.setProgress(step / 50.0f);
        for (std::size_t i = 0; i < mesh.points().size(); ++i) {
            const auto& p = mesh.points()[i];
            const auto& rest = flat.points()[i];
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
            EXPECT_LE(p.x, rest.x + 0.01f);
            EXPECT_GE(p.y, rest.y - 0.01f);
            EXPECT_GE(p.y, 0.0f);
            EXPECT_LE(along(mesh, p.x, p.y), mesh.axisOffset() + mesh.radius() + 0.01f);
            EXPECT_GE(p.shade, 0.5f);
            EXPECT_LE(p.shade, 1.0f);
            if (along(mesh, rest.x, rest.y) <= mesh.axisOffset()) {
                EXPECT_EQ(p.x, rest.x);
                EXPECT_EQ(p.y, rest.y);
                EXPECT_EQ(p.depth, 0.0f);
            }
        }
    }
}

TEST(PageCurlMesh, TheCurlProgressesMonotonically) {
    PageCurlMesh mesh(kW, kH, 32, 24);
    float previousOffset = mesh.axisOffset();
    std::size_t previousLifted = 0;
    float previousRightmost = kW;
    for (int step = 1; step <= 40; ++step) {
        mesh.setProgress(step / 40.0f);
        std::size_t lifted = 0;
        float rightmost = -1e9f;
        for (const auto& p : mesh.points()) {
            lifted += p.depth > 0.0f ? 1 : 0;
            rightmost = std::max(rightmost, p.x);
        }
        EXPECT_LT(mesh.axisOffset(), previousOffset);
        EXPECT_GE(lifted, previousLifted);
        EXPECT_LE(rightmost, previousRightmost + 0.01f);
        previousOffset = mesh.axisOffset();
        previousLifted = lifted;
        previousRightmost = rightmost;
    }
    EXPECT_EQ(previousLifted, mesh.points().size());
}

TEST(PageCurlMesh, AtTheEndNothingCoversThePage) {
    PageCurlMesh mesh(kW, kH, 32, 24);
    mesh.setProgress(1.0f);
    const float trailing = std::min({along(mesh, 0, 0), along(mesh, kW, 0), along(mesh, 0, kH), along(mesh, kW, kH)});
    for (const auto& p : mesh.points()) {
        EXPECT_LT(along(mesh, p.x, p.y), trailing);
    }
    mesh.setProgress(7.0f);  // clamped
    EXPECT_EQ(mesh.getProgress(), 1.0f);
}

TEST(PageCurlMesh, TrianglesAreDrawnBackToFront) {
    PageCurlMesh mesh(kW, kH, 32, 24);
    mesh.setProgress(0.4f);
    const auto& indices = mesh.indices();
    float previous = -1.0f;
    for (std::size_t t = 0; t < indices.size(); t += 3) {
        float depth = 0.0f;
        for (std::size_t k = 0; k < 3; ++k) {
            ASSERT_GE(indices[t + k], 0);
            ASSERT_LT(static_cast<std::size_t>(indices[t + k]), mesh.points().size());
            depth += mesh.points()[static_cast<std::size_t>(indices[t + k])].depth;
        }
        EXPECT_GE(depth, previous);
        previous = depth;
    }
    EXPECT_GT(previous, 0.0f);
}

}  // namespace
}  // namespace lirava
