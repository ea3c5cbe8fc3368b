#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "engine/platform/FrameClock.h"
#include "engine/platform/LaunchOptions.h"

namespace lirava {
namespace {

struct Parsed {
    bool ok;
    int status;
    LaunchOptions options;
};

Parsed parse(std::vector<const char*> args, const std::vector<std::string>& bundled = {LIRAVA_SOURCE_DIR "/tests"}) {
    args.insert(args.begin(), "lirava");
    Parsed result{};
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    result.ok = parseLaunchOptions(static_cast<int>(args.size()), args.data(), bundled, result.options, result.status);
    ::testing::internal::GetCapturedStdout();
    const std::string errors = ::testing::internal::GetCapturedStderr();
    // Every complaint is one line.
    if (!result.ok && result.status != 0) {
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    }
    return result;
}

TEST(LaunchOptions, DefaultsAndEveryOption) {
    Parsed p = parse({});
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.options.resourceRoot, LIRAVA_SOURCE_DIR "/tests");
    EXPECT_FALSE(p.options.headless);
    EXPECT_FALSE(p.options.sizeGiven);
    EXPECT_EQ(p.options.frameWidth, 640);
    EXPECT_EQ(p.options.frameHeight, 960);
    EXPECT_TRUE(p.options.scriptPath.empty());
    EXPECT_EQ(p.options.narrationSpeed, 1.0f);

    const std::string script = std::string(LIRAVA_SOURCE_DIR) + "/CMakeLists.txt";
    p = parse({"--headless", "--size", "320x480", "--resources", LIRAVA_SOURCE_DIR, "--script", script.c_str()});
    ASSERT_TRUE(p.ok);
    EXPECT_TRUE(p.options.headless);
    EXPECT_TRUE(p.options.sizeGiven);
    EXPECT_EQ(p.options.frameWidth, 320);
    EXPECT_EQ(p.options.frameHeight, 480);
    EXPECT_EQ(p.options.resourceRoot, LIRAVA_SOURCE_DIR);
    EXPECT_EQ(p.options.scriptPath, script);

    p = parse({"--size=1x16384", "--script=-"});
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.options.frameHeight, 16384);
    EXPECT_EQ(p.options.scriptPath, "-");

    for (const auto& [text, speed] : {std::pair{"0.5", 0.5f}, {".75", 0.75f}, {"1.0", 1.0f}, {"1.25x", 1.25f}}) {
        p = parse({"--speed", text});
        ASSERT_TRUE(p.ok) << text;
        EXPECT_EQ(p.options.narrationSpeed, speed) << text;
    }
    EXPECT_EQ(parse({"--speed=1.5"}).options.narrationSpeed, 1.5f);
    EXPECT_EQ(parse({"--captions", "zh-Hans"}).options.captionLanguage, "zh-Hans");
    EXPECT_EQ(parse({"--captions=off"}).options.captionLanguage, "off");
    EXPECT_FALSE(parse({"--captions"}).ok);
    EXPECT_EQ(parse({}).options.captionLanguage, "");

    // The book as the one plain argument; a file is taken for an archived book.
    p = parse({script.c_str(), "--headless"});
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.options.resourceRoot, script);

    // The first bundled folder that exists wins.
    p = parse({}, {"/no/such/book", LIRAVA_SOURCE_DIR});
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.options.resourceRoot, LIRAVA_SOURCE_DIR);
}

TEST(LaunchOptions, UsageErrorsStopWithStatusTwo) {
    for (std::vector<const char*> args : std::vector<std::vector<const char*>>{
             {"--bogus"},
             {"extra"},
             {"--resources"},
             {"--resources", "/no/such/folder"},
             {LIRAVA_SOURCE_DIR, "--resources", LIRAVA_SOURCE_DIR},
             {LIRAVA_SOURCE_DIR, LIRAVA_SOURCE_DIR},
             {"--size", "640"},
             {"--size", "0x960"},
             {"--size", "640x99999"},
             {"--size", "-640x960"},
             {"--size", "6a0x960"},
             {"--script"},
             {"--script", "/no/such/script.txt"},
             {"--headless=yes"},
             {"--speed"},
             {"--speed", "2"},
             {"--speed", "-1"},
             {"--speed", "1e0"},
             {"--speed", "nan"},
         }) {
        const Parsed p = parse(args);
        EXPECT_FALSE(p.ok) << args[0];
        EXPECT_EQ(p.status, 2) << args[0];
    }
    // No bundled book and no --resources.
    const Parsed p = parse({}, {"/no/such/book", ""});
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.status, 2);
}

// What a stopping option prints on standard output, with the stop's status.
std::string printedBy(const char* option, int& status) {
    const char* args[] = {"lirava", option};
    LaunchOptions options;
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(parseLaunchOptions(2, args, {LIRAVA_SOURCE_DIR}, options, status));
    return ::testing::internal::GetCapturedStdout();
}

TEST(LaunchOptions, HelpAndVersionStopWithStatusZero) {
    int status = -1;
    const std::string help = printedBy("--help", status);
    EXPECT_EQ(status, 0);
    // Every option of the usage line has its own line of explanation.
    const std::string usage = launchUsage();
    for (std::size_t at = usage.find("--"); at != std::string::npos; at = usage.find("--", at + 2)) {
        const std::string option = usage.substr(at, usage.find_first_of(" ]", at) - at);
        EXPECT_NE(help.find("\n  " + option + " "), std::string::npos) << option;
    }

    status = -1;
    const std::string version = printedBy("--version", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(version.rfind("lirava ", 0), 0u) << version;
    EXPECT_EQ(std::count(version.begin(), version.end(), '.'), 2) << version;
}

TEST(FrameClock, VirtualTimeAdvancesExactlyOneIntervalPerFrame) {
    FrameClock clock(true);
    EXPECT_EQ(clock.now(), 0.0);
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(clock.beginFrame(1.0 / 60.0), 1.0 / 60.0);
    }
    EXPECT_NEAR(clock.now(), 1.0, 1e-12);
    clock.waitForNextFrame(10.0);  // never sleeps
}

TEST(FrameClock, RealStepsAreCappedAndRestartAtOneInterval) {
    FrameClock clock(false);
    EXPECT_EQ(clock.beginFrame(0.02), 0.02);  // the first frame
    const double step = clock.beginFrame(0.02);
    EXPECT_GE(step, 0.0);
    EXPECT_LE(step, FrameClock::kMaxStep);
    clock.resetStep();
    EXPECT_EQ(clock.beginFrame(0.02), 0.02);
}

}  // namespace
}  // namespace lirava
