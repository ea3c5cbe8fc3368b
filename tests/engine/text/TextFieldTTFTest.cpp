#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/text/CCIMEDispatcher.h"
#include "engine/text/CCTextFieldTTF.h"
#include "support/EngineEnvironment.h"
#include "support/RecordingRenderer.h"

namespace lirava {
namespace {

// Records every callback and refuses what it is told to.
struct RecordingDelegate : CCTextFieldDelegate {
    std::vector<std::string> log;
    bool refuseAttach = false;
    bool refuseDetach = false;
    bool refuseInsert = false;
    bool refuseNewline = false;
    bool refuseDelete = false;

    bool onTextFieldAttachWithIME(CCTextFieldTTF*) override {
        log.push_back("attach");
        return refuseAttach;
    }
    bool onTextFieldDetachWithIME(CCTextFieldTTF*) override {
        log.push_back("detach");
        return refuseDetach;
    }
    bool onTextFieldInsertText(CCTextFieldTTF*, const char* text, int len) override {
        log.push_back("insert " + std::string(text, len));
        return std::string(text, len) == "\n" ? refuseNewline : refuseInsert;
    }
    bool onTextFieldDeleteBackward(CCTextFieldTTF*, const char* text, int len) override {
        log.push_back("delete " + std::string(text, len));
        return refuseDelete;
    }
};

class TextFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        liveBefore = CCObject::liveObjectCount();
        dispatcher = CCIMEDispatcher::sharedDispatcher();
        dispatcher->setKeyboardStateHandler([this](bool open) { keyboard.push_back(open); });
        field = CCTextFieldTTF::textFieldWithPlaceHolder("type here", "Arial", 20);
        ASSERT_NE(field, nullptr);
        field->retain();
        field->setDelegate(&delegate);
    }
    void TearDown() override {
        field->release();
        test::drainAutoreleasePool();
        dispatcher->setKeyboardStateHandler(nullptr);
        EXPECT_FALSE(dispatcher->hasAttachedDelegate()) << "a destroyed field is no longer attached";
        EXPECT_EQ(CCObject::liveObjectCount(), liveBefore) << "leaked objects";
    }

    void type(const std::string& text) { dispatcher->dispatchInsertText(text.c_str(), static_cast<int>(text.size())); }

    std::size_t liveBefore = 0;
    CCIMEDispatcher* dispatcher = nullptr;
    CCTextFieldTTF* field = nullptr;
    RecordingDelegate delegate;
    std::vector<bool> keyboard;
};

TEST_F(TextFieldTest, TypingGoesToTheAttachedFieldOnly) {
    type("lost");
    EXPECT_STREQ(field->getString(), "");
    ASSERT_TRUE(field->attachWithIME());
    EXPECT_TRUE(dispatcher->hasAttachedDelegate());
    EXPECT_EQ(keyboard, (std::vector<bool>{true}));
    type("Hé");
    type("中");
    EXPECT_STREQ(field->getString(), "Hé中");
    EXPECT_EQ(field->getCharCount(), 3);
    EXPECT_EQ(delegate.log, (std::vector<std::string>{"attach", "insert Hé", "insert 中"}));

    // Deleting removes whole characters, never half of one.
    dispatcher->dispatchDeleteBackward();
    EXPECT_STREQ(field->getString(), "Hé");
    dispatcher->dispatchDeleteBackward();
    EXPECT_STREQ(field->getString(), "H");
    EXPECT_EQ(delegate.log.back(), "delete é");
    dispatcher->dispatchDeleteBackward();
    dispatcher->dispatchDeleteBackward();
    EXPECT_STREQ(field->getString(), "");
    EXPECT_EQ(field->getCharCount(), 0);
    EXPECT_TRUE(field->detachWithIME());
    EXPECT_EQ(keyboard, (std::vector<bool>{true, false}));
}

TEST_F(TextFieldTest, TheDelegateCanRefuseEachStep) {
    delegate.refuseAttach = true;
    EXPECT_FALSE(field->attachWithIME());
    EXPECT_FALSE(dispatcher->hasAttachedDelegate());
    EXPECT_TRUE(keyboard.empty());
    delegate.refuseAttach = false;
    ASSERT_TRUE(field->attachWithIME());

    type("ab");
    delegate.refuseInsert = true;
    type("c");
    EXPECT_STREQ(field->getString(), "ab");
    delegate.refuseDelete = true;
    dispatcher->dispatchDeleteBackward();
    EXPECT_STREQ(field->getString(), "ab");
    delegate.refuseDetach = true;
    EXPECT_FALSE(field->detachWithIME());
    EXPECT_TRUE(dispatcher->hasAttachedDelegate());
    delegate.refuseDetach = false;
}

TEST_F(TextFieldTest, ReturnEndsTypingUnlessTheDelegateTakesIt) {
    ASSERT_TRUE(field->attachWithIME());
    delegate.refuseNewline = true;
    type("ab\ncd");  // the text after the break is dropped
    EXPECT_STREQ(field->getString(), "ab");
    EXPECT_TRUE(dispatcher->hasAttachedDelegate());
    delegate.refuseNewline = false;
    type("\n");
    EXPECT_FALSE(dispatcher->hasAttachedDelegate());
    EXPECT_EQ(delegate.log.back(), "detach");
}

TEST_F(TextFieldTest, PlaceholderShowsWhileTheTextIsEmpty) {
    EXPECT_STREQ(field->getPlaceHolder(), "type here");
    EXPECT_STREQ(field->getString(), "");
    const CCSize placeholderSize = field->getContentSize();
    EXPECT_GT(placeholderSize.width, 0.0f);
    field->setString("a");
    EXPECT_LT(field->getContentSize().width, placeholderSize.width);
    field->setString("");
    EXPECT_EQ(field->getContentSize(), placeholderSize);
    field->setPlaceHolder(nullptr);
    EXPECT_EQ(field->getContentSize(), CCSizeZero);
    field->setPlaceHolder("type here");

    // Drawn in the placeholder colour; typed text in the field's own colour.
    test::RecordingRenderer renderer;
    field->setColorSpaceHolder(ccc3(10, 20, 30));
    field->setColor(ccc3(200, 0, 0));
    field->visit(renderer, CCAffineTransformIdentity);
    ASSERT_EQ(renderer.calls.size(), 1u);
    EXPECT_EQ(renderer.calls[0].vertices[0].color, (ccColor4B{10, 20, 30, 255}));
    field->setString("x");
    renderer.calls.clear();
    field->visit(renderer, CCAffineTransformIdentity);
    ASSERT_EQ(renderer.calls.size(), 1u);
    EXPECT_EQ(renderer.calls[0].vertices[0].color, (ccColor4B{200, 0, 0, 255}));
}

TEST_F(TextFieldTest, OddInputIsHandledSafely) {
    ASSERT_TRUE(field->attachWithIME());
    // A length past the terminating NUL reads no further than the NUL.
    dispatcher->dispatchInsertText("ab", 100);
    EXPECT_STREQ(field->getString(), "ab");
    dispatcher->dispatchInsertText(nullptr, 3);
    dispatcher->dispatchInsertText("x", 0);
    // A malformed byte counts, and is deleted, as one character.
    type("\xFF");
    EXPECT_EQ(field->getCharCount(), 3);
    dispatcher->dispatchDeleteBackward();
    EXPECT_STREQ(field->getString(), "ab");
    field->setString("\xE4\xB8");  // a cut-off character: two malformed bytes
    EXPECT_EQ(field->getCharCount(), 2);
    dispatcher->dispatchDeleteBackward();
    EXPECT_STREQ(field->getString(), "\xE4");
}

TEST_F(TextFieldTest, AttachingAnotherFieldDetachesTheFirst) {
    CCTextFieldTTF* other =
        CCTextFieldTTF::textFieldWithPlaceHolder("", CCSize(100, 30), kCCTextAlignmentLeft, "Arial", 12);
    ASSERT_TRUE(field->attachWithIME());
    delegate.refuseDetach = true;
    EXPECT_FALSE(other->attachWithIME()) << "the first field will not let go";
    delegate.refuseDetach = false;
    EXPECT_TRUE(other->attachWithIME());
    EXPECT_EQ(delegate.log.back(), "detach");
    EXPECT_EQ(keyboard, (std::vector<bool>{true})) << "the keyboard stays open across the switch";
    type("z");
    EXPECT_STREQ(other->getString(), "z");
    EXPECT_STREQ(field->getString(), "");
    EXPECT_FALSE(field->detachWithIME()) << "not attached";
    // `other` is autoreleased: it leaves the dispatcher when the pool drains.
    test::drainAutoreleasePool();
    EXPECT_FALSE(dispatcher->hasAttachedDelegate());
    EXPECT_EQ(keyboard, (std::vector<bool>{true, false}));
    type("lost");
}

}  // namespace
}  // namespace lirava
