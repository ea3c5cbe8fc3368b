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

// Where a mesh point lies on the flat page, from its texture coordinates.
CCPoint rest(const PageCurlMesh::Point& p) {
    return CCPoint(p.u * kW, (1.0f - p.v) * kH);
}

TEST(PageCurlMesh, StartsAsOneFlatPage) {
    PageCurlMesh mesh(kW, kH, 8, 6);
    ASSERT_EQ(mesh.points().size(), 9u * 7u);
    ASSERT_EQ(mesh.indices().size(), 8u * 6u * 6u);
    EXPECT_EQ(mesh.flatWidth(), kW);
    for (const auto& p : mesh.points()) {
        EXPECT_EQ(p.depth, 0.0f);
        EXPECT_EQ(p.shade, 1.0f);
    }
}

// Along the way: the mesh begins where the flat strip ends, positions stay finite, nothing
// moves right of where it lies flat or below the frame, what has not reached the axis stays
// put, nothing pokes out beyond the cylinder, and shading stays a brightness.
TEST(PageCurlMesh, BendsOnlyWhatLiesPastTheAxis) {
    PageCurlMesh mesh(kW, kH, 32, 24);
    for (int step = 0; step <= 50; ++step) {
        mesh.setProgress(step / 50.0f);
        EXPECT_GE(mesh.flatWidth(), 0.0f);
        // Nothing in the flat strip has reached the axis.
        if (mesh.flatWidth() > 0.0f) {
            EXPECT_LE(along(mesh, mesh.flatWidth(), 0.0f), mesh.axisOffset() + 0.01f);
        }
        for (int row = 0; row <= mesh.rows(); ++row) {
            const auto& first = mesh.points()[static_cast<std::size_t>(row * (mesh.columns() + 1))];
            EXPECT_NEAR(rest(first).x, mesh.flatWidth(), 0.01f);
            const auto& last = mesh.points()[static_cast<std::size_t>(row * (mesh.columns() + 1) + mesh.columns())];
            EXPECT_NEAR(rest(last).x, kW, 0.01f);
        }
        for (const auto& p : mesh.points()) {
            const CCPoint flat = rest(p);
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
            EXPECT_LE(p.x, flat.x + 0.01f);
            EXPECT_GE(p.y, flat.y - 0.01f);
            EXPECT_GE(p.y, 0.0f);
            EXPECT_LE(along(mesh, p.x, p.y), mesh.axisOffset() + mesh.radius() + 0.01f);
            EXPECT_GE(p.shade, 0.5f);
            EXPECT_LE(p.shade, 1.0f);
            if (along(mesh, flat.x, flat.y) <= mesh.axisOffset()) {
                EXPECT_NEAR(p.x, flat.x, 0.01f);
                EXPECT_NEAR(p.y, flat.y, 0.01f);
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
        EXPECT_GE(lifted, previousLifted > 0 ? previousLifted : 0);
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
