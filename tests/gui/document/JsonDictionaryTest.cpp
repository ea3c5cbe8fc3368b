#include <gtest/gtest.h>

#include <string>

#include "gui/document/DictionaryAccessor.h"
#include "gui/document/JsonDictionary.h"

namespace lirava {
namespace {

JsonDictionary parsed(const char* text) {
    JsonDictionary dict;
    dict.loadText(text);
    return dict;
}

TEST(JsonDictionary, NumbersStringsAndBooleansKeepToTheirKinds) {
    JsonDictionary d = parsed(R"({"s": "12", "one": 1, "t": true, "f": false, "r": 2.9, "n": -2.9,
                                  "nul": null, "arr": [1], "obj": {"a": 1}})");
    EXPECT_EQ(d.getInt("s", 7), 7);  // a numeric string is not a number
    EXPECT_EQ(d.getInt("one", 7), 1);
    EXPECT_EQ(d.getInt("t", 7), 1);  // true counts as 1
    EXPECT_EQ(d.getInt("f", 7), 0);
    EXPECT_DOUBLE_EQ(d.getFloat("t", 7.0), 1.0);
    EXPECT_EQ(d.getInt("r", 0), 2);  // reals truncate toward zero
    EXPECT_EQ(d.getInt("n", 0), -2);
    EXPECT_EQ(d.getInt("nul", 7), 7);
    EXPECT_EQ(d.getInt("arr", 7), 7);
    EXPECT_EQ(d.getBool("one", false), false);  // 1 is not a boolean
    EXPECT_EQ(d.getBool("t", false), true);
    EXPECT_EQ(d.getString("one"), nullptr);
    EXPECT_STREQ(d.getString("s"), "12");
    EXPECT_TRUE(d.hasKey("nul"));  // present, of any kind
    EXPECT_FALSE(d.hasKey("absent"));
    EXPECT_FALSE(d.hasKey("S"));  // keys are case-sensitive
}

TEST(JsonDictionary, NumbersBeyondThirtyTwoBitsGiveTheNearestValue) {
    JsonDictionary d = parsed(R"({"big": 4294967296, "huge": 18446744073709551615, "neg": -4294967296,
                                  "realBig": 1e300, "realNeg": -1e300})");
    EXPECT_EQ(d.getInt("big", 0), 2147483647);
    EXPECT_EQ(d.getInt("huge", 0), 2147483647);
    EXPECT_EQ(d.getInt("neg", 0), -2147483647 - 1);
    EXPECT_EQ(d.getInt("realBig", 0), 2147483647);
    EXPECT_EQ(d.getInt("realNeg", 0), -2147483647 - 1);
    EXPECT_DOUBLE_EQ(d.getFloat("big", 0.0), 4294967296.0);
}

TEST(JsonDictionary, ContainersAreDeepCopies) {
    JsonDictionary d = parsed(R"({"empty": [], "three": {"a": 1, "b": 2, "c": 3}, "num": 5,
                                  "list": [{"x": 1}, "text", 4, null, [2]]})");
    auto empty = d.getDictionary("empty");
    ASSERT_NE(empty, nullptr);  // an empty array is an empty dictionary, not null
    EXPECT_FALSE(empty->hasKey("anything"));
    EXPECT_EQ(d.getDictionary("num"), nullptr);
    EXPECT_EQ(d.getDictionary("absent"), nullptr);
    EXPECT_EQ(d.getArraySize("three"), 3);
    EXPECT_EQ(d.getArraySize("num"), 0);
    EXPECT_EQ(d.getArraySize("list"), 5);

    auto first = d.getArrayElement("list", 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getInt("x", 0), 1);
    EXPECT_EQ(d.getArrayElement("list", 1), nullptr);  // a string element
    EXPECT_STREQ(d.getArrayString("list", 1), "text");
    EXPECT_EQ(d.getArrayElement("list", 2), nullptr);  // a number element
    EXPECT_NE(d.getArrayElement("list", 3), nullptr);  // null counts as a container
    EXPECT_NE(d.getArrayElement("list", 4), nullptr);
    EXPECT_EQ(d.getArrayElement("list", 5), nullptr);  // index equal to the count
    EXPECT_EQ(d.getArrayElement("list", -1), nullptr);
    EXPECT_EQ(d.getArrayElement("three", 0), nullptr);  // an object is not an array

    // The copy outlives its source and does not share storage with it.
    std::unique_ptr<JsonDictionary> kept;
    {
        JsonDictionary source = parsed(R"({"inner": {"name": "bn051"}})");
        kept = source.getDictionary("inner");
    }
    EXPECT_STREQ(kept->getString("name"), "bn051");
}

TEST(JsonDictionary, BadTextLeavesAnEmptyOrPartialDictionary) {
    for (const char* text : {"", "   ", "{", "not json", "[1, 2]", "5", "\"s\""}) {
        JsonDictionary d = parsed(text);
        EXPECT_FALSE(d.hasKey("a")) << text;
        EXPECT_EQ(d.getInt("a", 3), 3) << text;
        EXPECT_EQ(d.getArraySize("a"), 0) << text;
        EXPECT_EQ(d.getDictionary("a"), nullptr) << text;
    }
    JsonDictionary nullText;
    nullText.loadText(nullptr);
    EXPECT_EQ(nullText.getString("a"), nullptr);

    // Reloading replaces everything.
    JsonDictionary d = parsed(R"({"a": 1})");
    d.loadText(R"({"b": 2})");
    EXPECT_FALSE(d.hasKey("a"));
    EXPECT_EQ(d.getInt("b", 0), 2);

    // Comments are allowed.
    EXPECT_EQ(parsed("{ // note\n \"a\": 4 /* more */ }").getInt("a", 0), 4);
}

TEST(JsonDictionary, NestingBeyondTheParserLimitDoesNotEscapeAsAnException) {
    std::string deep(5000, '[');
    deep += std::string(5000, ']');
    JsonDictionary d;
    d.loadText(deep.c_str());
    EXPECT_FALSE(d.hasKey("a"));
    std::string deepObject = "{\"a\": 1, \"b\": ";
    for (int i = 0; i < 5000; ++i)
        deepObject += "{\"c\": ";
    deepObject += "0";
    for (int i = 0; i < 5000; ++i)
        deepObject += "}";
    deepObject += "}";
    d.loadText(deepObject.c_str());
    EXPECT_EQ(d.getInt("a", 0), 1);  // what came before the limit is kept
}

TEST(DictionaryAccessor, ANullDictionaryAnswersEveryQueryWithItsDefault) {
    DictionaryAccessor* a = DictionaryAccessor::shared();
    EXPECT_FALSE(a->hasKey(nullptr, "k"));
    EXPECT_EQ(a->getInt(nullptr, "k"), 0);
    EXPECT_EQ(a->getFloat(nullptr, "k"), 0.0f);
    EXPECT_FALSE(a->getBool(nullptr, "k"));
    EXPECT_EQ(a->getString(nullptr, "k"), nullptr);
    EXPECT_EQ(a->getDictionary(nullptr, "k"), nullptr);
    EXPECT_EQ(a->getArraySize(nullptr, "k"), 0);
    EXPECT_EQ(a->getArrayElement(nullptr, "k", 0), nullptr);
    EXPECT_EQ(a->getArrayString(nullptr, "k", 0), nullptr);
    JsonDictionary d = parsed(R"({"k": 2.5})");
    EXPECT_FLOAT_EQ(a->getFloat(&d, "k"), 2.5f);
    EXPECT_EQ(a->getInt(&d, "k"), 2);
    DictionaryAccessor::purge();
    EXPECT_FALSE(DictionaryAccessor::exists());
    EXPECT_NE(DictionaryAccessor::shared(), nullptr);
}

}  // namespace
}  // namespace lirava
