#include <gtest/gtest.h>

#include <string>

#include "engine/actions/CCScheduler.h"
#include "engine/platform/CCDirector.h"
#include "engine/text/CCIMEDispatcher.h"
#include "gui/widgets/UICCTextField.h"
#include "gui/widgets/UILayer.h"
#include "gui/widgets/UIRootWidget.h"
#include "gui/widgets/UITextField.h"
#include "gui/widgets/UITouchRouter.h"
#include "support/EngineEnvironment.h"

namespace lirava {
namespace {

class UITextFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        layer = UILayer::create();
        layer->retain();
        field = UITextField::create();
        field->setTouchEnabled(true);
        field->setPosition(CCPoint(200, 200));
        layer->getRootWidget()->addChild(field);
        node = field->getTextFieldRenderer();
    }
    void TearDown() override {
        field->detachWithIME();
        layer->release();
        test::drainAutoreleasePool();
    }

    // Types text as the platform does: through the input-method dispatcher.
    void type(const std::string& text) {
        CCIMEDispatcher::sharedDispatcher()->dispatchInsertText(text.c_str(), static_cast<int>(text.size()));
    }
    void frame() { CCDirector::sharedDirector()->getScheduler()->update(1.0f / 60.0f); }

    UILayer* layer = nullptr;
    UITextField* field = nullptr;
    UICCTextField* node = nullptr;
};

TEST_F(UITextFieldTest, TouchAttachesTheKeyboardAndTypingRefitsTheWidget) {
    EXPECT_STREQ(node->getPlaceHolder(), "input words here");
    EXPECT_FLOAT_EQ(node->getFontSize(), 20.0f);
    type("lost");
    EXPECT_STREQ(field->getStringValue(), "") << "no keyboard before a touch";

    ASSERT_TRUE(layer->getTouchRouter()->touchBegan(CCPoint(200, 200)));
    layer->getTouchRouter()->touchEnded(CCPoint(200, 200));
    EXPECT_TRUE(CCIMEDispatcher::sharedDispatcher()->hasAttachedDelegate());
    EXPECT_TRUE(node->getAttachWithIME());
    type("Hi");
    EXPECT_STREQ(field->getStringValue(), "Hi");
    EXPECT_TRUE(node->getInsertText());
    frame();
    EXPECT_FALSE(node->getAttachWithIME());
    EXPECT_FALSE(node->getInsertText());
    EXPECT_EQ(field->getSize(), node->getContentSize());

    CCIMEDispatcher::sharedDispatcher()->dispatchDeleteBackward();
    frame();
    EXPECT_STREQ(field->getStringValue(), "H");
    EXPECT_EQ(field->getSize(), node->getContentSize()) << "deleting refits too";

    type("\n");
    EXPECT_FALSE(CCIMEDispatcher::sharedDispatcher()->hasAttachedDelegate()) << "Return ends typing";
    EXPECT_TRUE(node->getDetachWithIME());
    EXPECT_STREQ(field->getStringValue(), "H");
}

TEST_F(UITextFieldTest, LengthLimitRefusesAndCutsAsciiInput) {
    field->setMaxLengthEnabled(true);
    field->setMaxLength(5);
    field->attachWithIME();
    type("abcdefghij");
    EXPECT_STREQ(field->getStringValue(), "abcde") << "a long paste keeps its first five";
    type("f");
    EXPECT_STREQ(field->getStringValue(), "abcde") << "a sixth character is refused";

    CCIMEDispatcher::sharedDispatcher()->dispatchDeleteBackward();
    CCIMEDispatcher::sharedDispatcher()->dispatchDeleteBackward();
    type("xyz!");
    EXPECT_STREQ(field->getStringValue(), "abcxy") << "the paste fills what is left, no more";
}

TEST_F(UITextFieldTest, LengthLimitCountsCharactersAndNeverSplitsOne) {
    field->setMaxLengthEnabled(true);
    field->setMaxLength(3);
    field->attachWithIME();
    type("\xC3\xA9t\xC3\xA9\xC3\xA9");  // "étéé": four characters, seven bytes
    EXPECT_STREQ(field->getStringValue(), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(node->getCharCount(), 3);

    field->setText("a");
    type("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E");  // three characters of three bytes each
    EXPECT_STREQ(field->getStringValue(), "a\xE6\x97\xA5\xE6\x9C\xAC");

    field->setText("ab");
    type("\xF0\x9F\x98\x80x");  // a four-byte character, then one more
    EXPECT_STREQ(field->getStringValue(), "ab\xF0\x9F\x98\x80");

    // A Return at the end of a cut paste still ends typing.
    field->setText("");
    type("abcdef\n");
    EXPECT_STREQ(field->getStringValue(), "abc");
    EXPECT_FALSE(CCIMEDispatcher::sharedDispatcher()->hasAttachedDelegate());
}

TEST_F(UITextFieldTest, PasswordModeShowsOneStyleCharacterPerCharacter) {
    field->setPasswordEnabled(true);
    field->attachWithIME();
    type("abc");
    EXPECT_EQ(node->getDisplayedText(), "***");
    EXPECT_STREQ(field->getStringValue(), "abc");
    type("\xC3\xA9");
    EXPECT_EQ(node->getDisplayedText(), "****") << "a two-byte character is one key";
    CCIMEDispatcher::sharedDispatcher()->dispatchDeleteBackward();
    EXPECT_EQ(node->getDisplayedText(), "***");

    field->setPasswordStyleText("#");
    EXPECT_EQ(node->getDisplayedText(), "###");
    field->setText("wxyz1");
    EXPECT_EQ(node->getDisplayedText(), "#####");
    field->setText("");
    EXPECT_EQ(node->getDisplayedText(), "input words here") << "an empty field shows its placeholder";

    field->setText("open");
    field->setPasswordEnabled(false);
    EXPECT_EQ(node->getDisplayedText(), "open");
}

TEST_F(UITextFieldTest, PasswordStyleTakesOnlyOnePrintableCharacter) {
    for (const char* refused : {"**", " ", "", "\x7F", "\xC3\xA9", "\t"}) {
        field->setPasswordStyleText(refused);
        EXPECT_STREQ(field->getPasswordStyleText(), "*") << "refused: " << refused;
    }
    field->setPasswordStyleText(nullptr);
    for (const char* accepted : {"!", "~", "x", "0"}) {
        field->setPasswordStyleText(accepted);
        EXPECT_STREQ(field->getPasswordStyleText(), accepted);
    }
}

TEST_F(UITextFieldTest, KeyboardStopsWhenTheFieldLeavesTheStage) {
    field->attachWithIME();
    ASSERT_TRUE(CCIMEDispatcher::sharedDispatcher()->hasAttachedDelegate());
    field->retain();
    field->removeFromParent();
    EXPECT_FALSE(CCIMEDispatcher::sharedDispatcher()->hasAttachedDelegate());
    EXPECT_FALSE(CCDirector::sharedDirector()->getScheduler()->isUpdateScheduledForTarget(field));
    layer->getRootWidget()->addChild(field);
    EXPECT_TRUE(CCDirector::sharedDirector()->getScheduler()->isUpdateScheduledForTarget(field))
        << "a field put back updates again";
    field->release();
}

TEST_F(UITextFieldTest, TouchAreaReplacesTheTextSizeForHits) {
    field->setText("x");
    EXPECT_FALSE(field->hitTest(CCPoint(260, 200)));
    field->setTouchSize(CCSize(200, 40));
    field->setUseTouchArea(true);
    EXPECT_TRUE(field->hitTest(CCPoint(260, 200)));
    EXPECT_TRUE(field->hitTest(CCPoint(100, 219)));
    EXPECT_FALSE(field->hitTest(CCPoint(200, 221)));
}

}  // namespace
}  // namespace lirava
