#include <gtest/gtest.h>

#include "support/EngineEnvironment.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new lirava::test::EngineEnvironment());
    return RUN_ALL_TESTS();
}
