#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/base/CCArray.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCInteger.h"
#include "engine/base/CCString.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

CCDictionary* parse(const std::string& xml) {
    return CCDictionary::createWithContentsOfData(xml.data(), xml.size());
}

TEST(PropertyList, ReadsNestedValuesOfEveryKind) {
    CCDictionary* dict = parse(R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0"><dict>
  <key>title</key><string>Tom &amp; Kit</string>
  <key>count</key><integer>-12</integer>
  <key>big</key><integer>99999999999</integer>
  <key>ratio</key><real>0.25</real>
  <key>on</key><true/><key>off</key><false/>
  <key>list</key><array><string>a</string><dict><key>deep</key><integer>3</integer></dict></array>
</dict></plist>)");
    ASSERT_EQ(dict->count(), 7u);
    EXPECT_STREQ(dict->valueForKey("title")->getCString(), "Tom & Kit");
    EXPECT_EQ(static_cast<CCInteger*>(dict->objectForKey("count"))->getValue(), -12);
    EXPECT_EQ(static_cast<CCInteger*>(dict->objectForKey("big"))->getValue(), 2147483647);
    EXPECT_DOUBLE_EQ(static_cast<CCDouble*>(dict->objectForKey("ratio"))->getValue(), 0.25);
    EXPECT_TRUE(static_cast<CCBool*>(dict->objectForKey("on"))->getValue());
    EXPECT_FALSE(static_cast<CCBool*>(dict->objectForKey("off"))->getValue());
    EXPECT_STREQ(dict->valueForKey("count")->getCString(), "-12");
    CCArray* list = dynamic_cast<CCArray*>(dict->objectForKey("list"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2u);
    CCDictionary* inner = dynamic_cast<CCDictionary*>(list->objectAtIndex(1));
    ASSERT_NE(inner, nullptr);
    EXPECT_STREQ(inner->valueForKey("deep")->getCString(), "3");
    test::drainAutoreleasePool();
}

TEST(PropertyList, MissingOrBrokenInputGivesAnEmptyDictionary) {
    const std::size_t before = CCObject::liveObjectCount();
    EXPECT_EQ(CCDictionary::createWithContentsOfFile("no/such/file.xml")->count(), 0u);
    EXPECT_EQ(CCDictionary::createWithContentsOfFile("")->count(), 0u);
    EXPECT_EQ(CCDictionary::createWithContentsOfFile(nullptr)->count(), 0u);
    EXPECT_EQ(parse("<plist><dict><key>a</key><string>unterminated")->count(), 0u);
    EXPECT_EQ(parse("")->count(), 0u);
    EXPECT_EQ(parse("<plist><array/></plist>")->count(), 0u);
    // A value without a key and a key without a value are skipped; the rest survives.
    CCDictionary* partial =
        parse("<plist><dict><string>orphan</string><key>k</key><string>v</string><key>dangling</key></dict></plist>");
    EXPECT_EQ(partial->count(), 1u);
    EXPECT_STREQ(partial->valueForKey("k")->getCString(), "v");
    EXPECT_STREQ(partial->valueForKey("missing")->getCString(), "");
    test::drainAutoreleasePool();
    EXPECT_EQ(CCObject::liveObjectCount(), before);
}

TEST(PropertyList, DeepNestingIsCutOffInsteadOfExhaustingTheStack) {
    std::string xml = "<plist><dict><key>a</key>";
    for (int i = 0; i < 5000; ++i)
        xml += "<array>";
    for (int i = 0; i < 5000; ++i)
        xml += "</array>";
    xml += "<key>b</key><string>ok</string></dict></plist>";
    CCDictionary* dict = parse(xml);
    EXPECT_STREQ(dict->valueForKey("b")->getCString(), "ok");
    test::drainAutoreleasePool();
}

TEST(PropertyList, ReadsFilesBelowTheResourceRoot) {
    const std::string path = ::testing::TempDir() + "lirava_plist_test.xml";
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("<plist><dict><key>main_page</key><string>Home</string></dict></plist>", file);
    std::fclose(file);
    EXPECT_STREQ(CCDictionary::createWithContentsOfFile(path.c_str())->valueForKey("main_page")->getCString(), "Home");
    std::remove(path.c_str());
    test::drainAutoreleasePool();
}

}  // namespace
}  // namespace lirava
