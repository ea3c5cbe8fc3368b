#include <gtest/gtest.h>

#include "gui/document/JsonDictionary.h"

namespace lirava {
namespace {

TEST(JsonDictionaryTake, MovesMembersOutUnderTheSameKindRulesAsTheCopies) {
    JsonDictionary d;
    d.loadText(R"({"tree": {"name": "root"}, "num": 4, "list": [{"x": 1}, 5, null]})");

    auto tree = d.takeDictionary("tree");
    ASSERT_NE(tree, nullptr);
    EXPECT_STREQ(tree->getString("name"), "root");
    EXPECT_TRUE(d.hasKey("tree"));  // left behind as null, never removed
    EXPECT_EQ(d.getArraySize("tree"), 0);
    EXPECT_EQ(d.takeDictionary("num"), nullptr);
    EXPECT_EQ(d.getInt("num", 0), 4);  // a refused take leaves the member alone
    EXPECT_EQ(d.takeDictionary("absent"), nullptr);

    auto first = d.takeArrayElement("list", 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getInt("x", 0), 1);
    EXPECT_EQ(d.getArraySize("list"), 3);
    EXPECT_EQ(d.takeArrayElement("list", 1), nullptr);
    EXPECT_NE(d.takeArrayElement("list", 2), nullptr);
    EXPECT_EQ(d.takeArrayElement("list", 3), nullptr);
    EXPECT_EQ(d.takeArrayElement("list", -1), nullptr);
}

}  // namespace
}  // namespace lirava
