#pragma once

#include <gtest/gtest.h>

namespace lirava::test {

// Process-wide set-up shared by every suite: the resource root points at the bundled book and
// the autorelease pool is drained after each test so leak counts are exact.
class EngineEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
};

// Drains the autorelease pool, as the director does at the end of a frame.
void drainAutoreleasePool();

}  // namespace lirava::test
