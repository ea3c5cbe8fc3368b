#include <json/json.h>

#include <filesystem>
#include <memory>

#include "app/AppFixture.h"
#include "app/contents/TestController.h"
#include "app/reader/TestLayer1.h"
#include "app/shell/BookScene.h"
#include "app/shell/ScriptExtensions.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/platform/JsonWriter.h"

namespace lirava::test {
namespace {

class StateDumpTest : public AppFixture {
protected:
    Json::Value dump() {
        JsonWriter writer;
        writer.beginObject();
        writeProgramState(writer);
        writer.endObject();
        EXPECT_TRUE(writer.isComplete());
        Json::Value root;
        std::string errors;
        Json::CharReaderBuilder builder;
        std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
        const std::string& text = writer.str();
        EXPECT_TRUE(reader->parse(text.data(), text.data() + text.size(), &root, &errors)) << errors << text;
        return root;
    }

    void showPage() {
        BookScene* scene = new BookScene();
        TestLayer1* page = new TestLayer1();
        page->init();
        scene->addChild(page);
        page->release();
        runScene(scene);
        scene->release();
    }
};

TEST_F(StateDumpTest, HomeScreenShowsItsMenuHintAndFigure) {
    runScene(TestController::createScene());
    const Json::Value state = dump();
    EXPECT_EQ(state["layer"], "TestController");
    EXPECT_EQ(state["currentPage"], 0);
    EXPECT_EQ(state["currentUnit"], 0);
    EXPECT_EQ(state["readingMode"], 3);
    EXPECT_EQ(state["autoPlay"], false);
    for (const char* name : {"activeSentence", "caption", "plate", "music"}) {
        EXPECT_TRUE(state.isMember(name) && state[name].isNull()) << name;
    }
    EXPECT_EQ(state["menu"][0], 0);
    EXPECT_EQ(state["menu"][1], 0);
    ASSERT_EQ(state["items"].size(), 10u);
    EXPECT_EQ(state["items"][3]["text"], "Recycle 1");
    EXPECT_EQ(state["items"][3]["position"][1], 560);
    EXPECT_EQ(state["items"][3]["z"], 10003);
    EXPECT_TRUE(state["items"][9]["text"].isNull());
    EXPECT_EQ(state["items"][9]["visible"], false);
    EXPECT_EQ(state["hint"], false);
    EXPECT_EQ(state["figure"][0], 60);
    EXPECT_EQ(state["figure"][1], 96);
    EXPECT_EQ(state["narrationSpeed"].asDouble(), 1.0);
    book::narrationSpeed = 0.75f;
    EXPECT_EQ(dump()["narrationSpeed"].asDouble(), 0.75);
}

TEST_F(StateDumpTest, PageStateIsOnlyReportedWhileAPageShows) {
    runScene(TestController::createScene());
    Json::Value state = dump();
    EXPECT_TRUE(state["caption"].isNull());
    EXPECT_TRUE(state["plate"].isNull());
    EXPECT_TRUE(state["activeSentence"].isNull());

    book::currentPage = 5;
    showPage();
    state = dump();
    EXPECT_EQ(state["layer"], "TestLayer1");
    EXPECT_EQ(state["caption"]["text"], "");
    EXPECT_EQ(state["caption"]["visible"], true);
    EXPECT_EQ(state["caption"]["position"][0], 320);
    EXPECT_EQ(state["caption"]["size"][0], 160);
    EXPECT_EQ(state["plate"]["visible"], false);
    EXPECT_EQ(state["plate"]["position"][1], 960);
    EXPECT_EQ(state["plate"]["size"][0], 150);
    EXPECT_TRUE(state["activeSentence"].isNull());
    EXPECT_FALSE(state.isMember("items"));

    book::activeSentence = runningChild<TestLayer1>()->getSentenceButtons()[3];
    EXPECT_EQ(dump()["activeSentence"], "bn053");
}

TEST_F(StateDumpTest, NamesThePlayingTrackAndNoLayerOnForeignScenes) {
    runScene(CCScene::create());
    EXPECT_TRUE(dump()["layer"].isNull());
    EXPECT_EQ(programLayerName(CCDirector::sharedDirector()->getRunningScene()), "");

    std::string track;
    for (const auto& entry : std::filesystem::directory_iterator(LIRAVA_SOURCE_DIR "/book/epc")) {
        if (entry.path().extension() == ".mp3") {  // a track, not the word timings beside it
            track = "epc/" + entry.path().filename().string();
            break;
        }
    }
    SimpleAudioEngine::sharedEngine()->playBackgroundMusic(track.c_str());
    EXPECT_EQ(dump()["music"], track);
    SimpleAudioEngine::sharedEngine()->stopBackgroundMusic();
    EXPECT_TRUE(dump()["music"].isNull());
}

}  // namespace
}  // namespace lirava::test
