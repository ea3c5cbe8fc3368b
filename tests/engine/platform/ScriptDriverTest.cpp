#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/base/CCObject.h"
#include "engine/platform/JsonWriter.h"
#include "engine/platform/ScriptDriver.h"

namespace lirava {
namespace {

using Kind = ScriptCommand::Kind;

ScriptCommand parse(const std::string& line) {
    ScriptCommand command;
    std::string error;
    EXPECT_TRUE(parseScriptLine(line, command, error)) << line << ": " << error;
    return command;
}

std::string reject(const std::string& line) {
    ScriptCommand command;
    std::string error;
    EXPECT_FALSE(parseScriptLine(line, command, error)) << line;
    EXPECT_FALSE(error.empty()) << line;
    return error;
}

TEST(ScriptParser, ReadsEveryCommand) {
    EXPECT_EQ(parse("").kind, Kind::Empty);
    EXPECT_EQ(parse("   \t ").kind, Kind::Empty);
    EXPECT_EQ(parse("# a comment").kind, Kind::Empty);
    EXPECT_EQ(parse("  #indented comment").kind, Kind::Empty);

    ScriptCommand c = parse("wait 0.5");
    EXPECT_EQ(c.kind, Kind::Wait);
    EXPECT_DOUBLE_EQ(c.seconds, 0.5);
    EXPECT_DOUBLE_EQ(parse("wait 2\r").seconds, 2.0);  // CRLF files
    EXPECT_DOUBLE_EQ(parse("wait 0").seconds, 0.0);

    c = parse("click 320 -4.5");
    EXPECT_EQ(c.kind, Kind::Click);
    EXPECT_EQ(c.point, CCPoint(320, -4.5f));
    EXPECT_EQ(parse("press 1 2").kind, Kind::Press);
    EXPECT_EQ(parse("move 1e2 2").point, CCPoint(100, 2));
    EXPECT_EQ(parse("\trelease   1\t2  # trailing comment").kind, Kind::Release);

    c = parse("drag 10 20 30 40");
    EXPECT_EQ(c.kind, Kind::Drag);
    EXPECT_EQ(c.point, CCPoint(10, 20));
    EXPECT_EQ(c.to, CCPoint(30, 40));
    EXPECT_EQ(c.steps, 10);
    EXPECT_EQ(parse("drag 10 20 30 40 3").steps, 3);

    c = parse("key Left");
    EXPECT_EQ(c.kind, Kind::Key);
    EXPECT_EQ(c.key, "Left");
    EXPECT_EQ(parse("key return").key, "return");  // the host knows the key names
    c = parse("resize 320 480");
    EXPECT_EQ(c.kind, Kind::Resize);
    EXPECT_EQ(c.width, 320);
    EXPECT_EQ(c.height, 480);

    EXPECT_EQ(parse("screenshot out/page-2.png").path, "out/page-2.png");
    EXPECT_EQ(parse("dump").kind, Kind::Dump);
    EXPECT_EQ(parse("quit").kind, Kind::Quit);
}

TEST(ScriptParser, RejectsMalformedLinesWithAReason) {
    for (const char* line : {"wait",
                             "wait -1",
                             "wait 3601",
                             "wait nan",
                             "wait inf",
                             "wait 0x10",
                             "wait 1.2.3",
                             "wait 1e",
                             "wait .",
                             "wait 1 2",
                             "click 1",
                             "click 1 2 3",
                             "click a b",
                             "press 1e999 0",
                             "move 200000 0",
                             "drag 1 2 3",
                             "drag 1 2 3 4 0",
                             "drag 1 2 3 4 1.5",
                             "drag 1 2 3 4 1001",
                             "screenshot",
                             "dump now",
                             "quit 1",
                             "jump 1 2",
                             "WAIT 1",
                             "screenshot a b",
                             "key",
                             "key Left Right",
                             "resize 1",
                             "resize 0 10",
                             "resize 10 1.5",
                             "resize 16385 10",
                             "resize -5 10"}) {
        reject(line);
    }
    EXPECT_NE(reject("fly 1").find("unknown command"), std::string::npos);
    EXPECT_NE(reject(std::string("wait 1\0", 7)).find("NUL"), std::string::npos);
    EXPECT_NE(reject("key " + std::string(65, 'a')).find("too long"), std::string::npos);
    EXPECT_NE(reject("click " + std::string(5000, '1') + " 2").find("too long"), std::string::npos);
}

TEST(ScriptParser, ExtraCommandsAreKnownOnlyWhenRegistered) {
    ScriptCommand command;
    std::string error;
    auto known = [](const std::string& name) { return name == "settings"; };
    ASSERT_TRUE(parseScriptLine("settings on  off", command, error, known));
    EXPECT_EQ(command.kind, Kind::Extra);
    EXPECT_EQ(command.name, "settings");
    EXPECT_EQ(command.arguments, (std::vector<std::string>{"on", "off"}));
    EXPECT_FALSE(parseScriptLine("settings", command, error));
    // Built-in commands keep their meaning whatever is registered.
    ASSERT_TRUE(parseScriptLine("wait 1", command, error, [](const std::string&) { return true; }));
    EXPECT_EQ(command.kind, Kind::Wait);
}

TEST(ScriptParser, SurvivesArbitraryBytes) {
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 64);
    const char* words[] = {"wait ", "click ", "drag ", "screenshot ", "dump", "-", "1e308", " ", "#", "\r", "."};
    std::uniform_int_distribution<int> word(0, 10);
    for (int i = 0; i < 5000; ++i) {
        std::string line;
        const int n = length(random);
        for (int k = 0; k < n; ++k) {
            if (byte(random) < 64) {
                line += words[word(random)];
            } else {
                line += static_cast<char>(byte(random));
            }
        }
        ScriptCommand command;
        std::string error;
        if (parseScriptLine(line, command, error)) {
            if (command.kind == Kind::Wait) {
                EXPECT_TRUE(command.seconds >= 0 && command.seconds <= kScriptMaxWaitSeconds);
            }
        } else {
            EXPECT_FALSE(error.empty());
        }
    }
}

// Records what the driver asks of the program; its clock advances one frame per beforeFrame.
class FakeHost : public ScriptHost {
public:
    double now() const override { return frames / 60.0; }
    void pushTouch(Touch phase, const CCPoint& p) override {
        const char* names[] = {"press", "move", "release"};
        events.push_back(std::string(names[static_cast<int>(phase)]) + "@" + std::to_string(frames) + " " +
                         std::to_string(static_cast<int>(p.x)) + "," + std::to_string(static_cast<int>(p.y)));
    }
    void pushText(const std::string& text) override { events.push_back("text " + text); }
    bool pushKey(const std::string& name, bool down) override {
        if (name == "NoSuchKey") {
            return false;
        }
        events.push_back(std::string(down ? "down " : "up ") + name + "@" + std::to_string(frames));
        return true;
    }
    bool resizeFrame(int width, int height, std::string& error) override {
        if (width > 5000) {
            error = "too wide";
            return false;
        }
        events.push_back("resize " + std::to_string(width) + "x" + std::to_string(height) + "@" +
                         std::to_string(frames));
        return true;
    }
    bool screenshot(const std::string& path, std::string& error) override {
        events.push_back("screenshot " + path + "@" + std::to_string(frames));
        if (path == "bad.png") {
            error = "disk full";
            return false;
        }
        return true;
    }
    void writeState(JsonWriter& writer) override { writer.member("frame", frames); }

    int frames = 0;
    std::vector<std::string> events;
};

struct ScriptRun {
    int frames;
    int status;
    int line;
};

// Runs a script to its end, one beforeFrame per frame, at most maxFrames frames.
ScriptRun runScript(const std::string& text, FakeHost& host, int maxFrames = 100000) {
    std::istringstream input(text);
    ScriptDriver driver(nullptr, input, host);
    for (;;) {
        driver.beforeFrame();
        if (driver.isFinished() || host.frames >= maxFrames) {
            break;
        }
        ++host.frames;  // the frame runs
    }
    return ScriptRun{host.frames, driver.exitStatus(), driver.lineNumber()};
}

TEST(ScriptDriver, TouchCommandsTakeOneFramePerEvent) {
    FakeHost host;
    const ScriptRun run = runScript("click 10 20\ndrag 0 0 30 60 3\npress 5 5\nmove 6 6\nrelease 7 7\n", host);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(host.events, (std::vector<std::string>{"press@0 10,20", "release@1 10,20", "press@2 0,0", "move@3 10,20",
                                                     "move@4 20,40", "move@5 30,60", "release@6 30,60", "press@7 5,5",
                                                     "move@8 6,6", "release@9 7,7"}));
    EXPECT_EQ(run.frames, 10);  // every event's frame has run before the script ends
}

TEST(ScriptDriver, KeysArePressedAndReleasedOneFrameApart) {
    FakeHost host;
    const ScriptRun run = runScript("key Left\nresize 320 480\nkey return\n", host);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(host.events, (std::vector<std::string>{"down Left@0", "up Left@1", "resize 320x480@2", "down return@3",
                                                     "up return@4"}));
    EXPECT_EQ(run.frames, 5);
}

TEST(ScriptDriver, UnknownKeysAndRefusedSizesStopTheRun) {
    FakeHost host;
    ScriptRun run = runScript("key Left\nkey NoSuchKey\nkey Right\n", host);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.line, 2);
    EXPECT_EQ(host.events, (std::vector<std::string>{"down Left@0", "up Left@1"}));

    host = FakeHost();
    run = runScript("resize 6000 10\nkey Left\n", host);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.line, 1);
    EXPECT_TRUE(host.events.empty());
}

TEST(ScriptDriver, WaitRunsWholeFramesOfTheClock) {
    FakeHost host;
    EXPECT_EQ(runScript("wait 1\nscreenshot a.png\nwait 0.5\nwait 0\nscreenshot b.png\n", host).frames, 90);
    EXPECT_EQ(host.events, (std::vector<std::string>{"screenshot a.png@60", "screenshot b.png@90"}));
}

TEST(ScriptDriver, QuitAndErrorsEndTheRunWithTheirStatus) {
    FakeHost host;
    ScriptRun run = runScript("wait 0.1\nquit\nclick 1 1\n", host);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(host.events.empty());

    host = FakeHost();
    run = runScript("# setup\n\nclick 1 1\nclick 1\nclick 2 2\n", host);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.line, 4);
    EXPECT_EQ(host.events.size(), 2u);  // the first click ran, nothing after the bad line

    host = FakeHost();
    run = runScript("screenshot bad.png\ndump\n", host);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.line, 1);

    host = FakeHost();
    run = runScript("wait 0\n" + std::string(10000, 'x') + "\nquit\n", host);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.line, 2);

    host = FakeHost();
    run = runScript("wait 0.05", host);  // no final line break
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.frames, 3);
}

TEST(ScriptDriver, RegisteredCommandsAndStateProvidersJoinIn) {
    ScriptDriver::clearExtensions();
    std::vector<std::string> seen;
    ScriptDriver::registerCommand("settings", [&](const std::vector<std::string>& args, ScriptHost& host) {
        seen.push_back("settings " + std::to_string(args.size()));
        host.pushText("x");
        return ScriptCommandResult::ok(2);
    });
    ScriptDriver::registerCommand(
        "fail", [](const std::vector<std::string>&, ScriptHost&) { return ScriptCommandResult::fail("no page", 3); });
    ScriptDriver::addStateProvider([](JsonWriter& writer) { writer.member("layer", "TestLayer1"); });

    FakeHost host;
    ScriptRun run = runScript("settings a b\nscreenshot s.png\n", host);
    EXPECT_EQ(seen, (std::vector<std::string>{"settings 2"}));
    EXPECT_EQ(host.events, (std::vector<std::string>{"text x", "screenshot s.png@2"}));
    EXPECT_EQ(run.status, 0);

    host = FakeHost();
    EXPECT_EQ(runScript("fail\n", host).status, 3);

    std::istringstream none;
    ScriptDriver driver(nullptr, none, host);
    EXPECT_EQ(driver.stateLine(), "state {\"frame\":0,\"layer\":\"TestLayer1\"}");
    ScriptDriver::clearExtensions();
    EXPECT_EQ(driver.stateLine(), "state {\"frame\":0}");
}

TEST(ScriptDriver, ClassNamesLoseTheirNamespaces) {
    EXPECT_EQ(ScriptDriver::className(nullptr), "");
    CCObject* object = new CCObject();
    EXPECT_EQ(ScriptDriver::className(object), "CCObject");
    object->release();
}

TEST(JsonWriter, WritesCompactValidJson) {
    JsonWriter w;
    w.beginObject()
        .member("text", "a \"quoted\"\n\\ line\x01")
        .member("int", -3)
        .member("big", 18446744073709551615ull)
        .member("float", 0.3f)
        .member("double", 0.1)
        .member("nan", std::nan(""))
        .member("yes", true)
        .memberNull("none")
        .member("null pointer", static_cast<const char*>(nullptr));
    w.beginArray("position").value(1.5f).value(-2).endArray();
    w.beginObject("empty").endObject();
    w.beginArray("nested").beginArray().endArray().beginObject().member("k", 1).endObject().endArray();
    w.endObject();
    ASSERT_TRUE(w.isComplete());
    EXPECT_EQ(w.str(),
              "{\"text\":\"a \\\"quoted\\\"\\n\\\\ line\\u0001\",\"int\":-3,\"big\":18446744073709551615,"
              "\"float\":0.3,\"double\":0.1,\"nan\":null,\"yes\":true,\"none\":null,\"null pointer\":null,"
              "\"position\":[1.5,-2],\"empty\":{},\"nested\":[[],{\"k\":1}]}");
}

TEST(JsonWriter, KeepsTextValidUtf8AndRefusesMisuse) {
    // Valid multi-byte text passes; stray, truncated, overlong and surrogate sequences become U+FFFD.
    EXPECT_EQ(JsonWriter::escape("é✓😀"), "\"é✓😀\"");
    EXPECT_EQ(JsonWriter::escape("\xff"), "\"\xEF\xBF\xBD\"");
    EXPECT_EQ(JsonWriter::escape("a\xC3"), "\"a\xEF\xBF\xBD\"");
    EXPECT_EQ(JsonWriter::escape("\xC0\xAF"), "\"\xEF\xBF\xBD\xEF\xBF\xBD\"");
    EXPECT_EQ(JsonWriter::escape("\xED\xA0\x80"), "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"");

    JsonWriter valueWithoutKey;
    valueWithoutKey.beginObject().value(1);
    EXPECT_TRUE(valueWithoutKey.hasFailed());
    EXPECT_EQ(valueWithoutKey.str(), "");
    JsonWriter unbalanced;
    unbalanced.beginArray().endObject();
    EXPECT_TRUE(unbalanced.hasFailed());
    JsonWriter twoRoots;
    twoRoots.value(1).value(2);
    EXPECT_TRUE(twoRoots.hasFailed());
    JsonWriter open;
    open.beginObject();
    EXPECT_FALSE(open.isComplete());
}

}  // namespace
}  // namespace lirava
