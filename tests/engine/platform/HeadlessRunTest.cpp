// End-to-end runs of the engine probe (a program whose frame is known pixel by pixel, see
// tests/support/EngineProbe.cpp) and of the reader program, as child processes.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/render/PngFile.h"
#include "support/HeadlessFixture.h"

namespace lirava {
namespace {

using test::colorNear;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class Workspace {
public:
    Workspace() {
        char name[] = "/tmp/lirava-run-XXXXXX";
        m_dir = ::mkdtemp(name) ? name : "/tmp";
    }
    ~Workspace() { [[maybe_unused]] int status = std::system(("rm -rf '" + m_dir + "'").c_str()); }
    std::string path(const std::string& file) const { return m_dir + "/" + file; }
    std::string write(const std::string& file, const std::string& text) const {
        std::ofstream(path(file), std::ios::binary) << text;
        return path(file);
    }

private:
    std::string m_dir;
};

// Runs a program with arguments, standard input from text, and environment changes (an empty
// value removes the variable). The child's output goes to files in the workspace.
Result run(const Workspace& ws, const std::vector<std::string>& args, const std::string& input = "",
           const std::map<std::string, std::string>& env = {}) {
    const std::string in = ws.write("stdin.txt", input);
    const std::string out = ws.path("stdout.txt");
    const std::string err = ws.path("stderr.txt");
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (const auto& [name, value] : env) {
            if (value.empty()) {
                ::unsetenv(name.c_str());
            } else {
                ::setenv(name.c_str(), value.c_str(), 1);
            }
        }
        const int fdIn = ::open(in.c_str(), O_RDONLY);
        const int fdOut = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int fdErr = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(fdIn, 0);
        ::dup2(fdOut, 1);
        ::dup2(fdErr, 2);
        std::vector<char*> argv;
        for (const std::string& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    Result result;
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = readAll(out);
    result.err = readAll(err);
    return result;
}

std::vector<std::string> stateLines(const std::string& out) {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("state ", 0) == 0) {
            lines.push_back(line.substr(6));
        }
    }
    return lines;
}

test::Frame loadFrame(const std::string& path) {
    test::Frame frame;
    EXPECT_TRUE(readImageFile(path, frame.rgba, frame.width, frame.height)) << path;
    return frame;
}

const std::string kProbe = LIRAVA_ENGINE_PROBE;
const ccColor4B kBackground = {30, 60, 90, 255};

TEST(HeadlessRun, ProbeFrameHasItsKnownPixelsAndClicksBecomeTouches) {
    Workspace ws;
    const std::string script = ws.write("s.txt",
                                        "# one tap on the pad, then a look\n"
                                        "wait 0.5\n"
                                        "dump\n"
                                        "click 140 575\n"
                                        "dump\n"
                                        "screenshot " +
                                            ws.path("shot.png") +
                                            "\n"
                                            "expect-taps 1\n");
    // A 20 x 20 image, orange on the left, teal on the right.
    std::vector<std::uint8_t> image(20 * 20 * 4);
    for (int i = 0; i < 400; ++i) {
        const bool left = i % 20 < 10;
        image[i * 4] = left ? 255 : 0;
        image[i * 4 + 1] = left ? 128 : 200;
        image[i * 4 + 2] = left ? 0 : 200;
        image[i * 4 + 3] = 255;
    }
    std::string error;
    ASSERT_TRUE(writePngFile(ws.path("probe-sprite.png"), image, 20, 20, error)) << error;

    const Result r = run(ws, {kProbe, "--headless", "--resources", ws.path(""), "--script", script});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> states = stateLines(r.out);
    ASSERT_EQ(states.size(), 2u) << r.out;
    // Virtual time: the first frame, exactly 30 frames for half a second, then the two frames of
    // the click.
    EXPECT_NE(states[0].find("\"scene\":\"CCScene\""), std::string::npos) << states[0];
    EXPECT_NE(states[0].find("\"frame\":31,"), std::string::npos) << states[0];
    EXPECT_NE(states[1].find("\"frame\":33,"), std::string::npos) << states[1];
    EXPECT_NE(states[1].find("\"probe\":{\"taps\":1,\"lastTouch\":[140,575]}"), std::string::npos) << states[1];

    const test::Frame frame = loadFrame(ws.path("shot.png"));
    ASSERT_EQ(frame.width, 640);
    ASSERT_EQ(frame.height, 960);
    EXPECT_TRUE(colorNear(frame.atDesign(5, 5), kBackground));
    EXPECT_TRUE(colorNear(frame.atDesign(140, 140), ccc4(220, 40, 40, 255)));
    EXPECT_TRUE(colorNear(frame.atDesign(41, 41), ccc4(220, 40, 40, 255)));
    EXPECT_TRUE(colorNear(frame.atDesign(39, 140), kBackground));
    EXPECT_TRUE(colorNear(frame.atDesign(450, 800), ccc4(40, 200, 60, 255)));   // inside the clip
    EXPECT_TRUE(colorNear(frame.atDesign(550, 800), kBackground));              // clipped away
    EXPECT_TRUE(colorNear(frame.atDesign(140, 575), ccc4(250, 220, 0, 255)));   // the tapped pad
    EXPECT_TRUE(colorNear(frame.atDesign(400, 400), ccc4(0, 0, 255, 255), 4));  // render target
    EXPECT_TRUE(colorNear(frame.atDesign(312, 312), ccc4(255, 255, 255, 255), 4));
    EXPECT_TRUE(colorNear(frame.atDesign(550, 150), ccc4(200, 0, 200, 255)));     // colour layer
    EXPECT_TRUE(colorNear(frame.atDesign(510, 400), ccc4(255, 128, 0, 255), 4));  // sprite, left half
    EXPECT_TRUE(colorNear(frame.atDesign(530, 400), ccc4(0, 200, 200, 255), 4));  // right half
    EXPECT_TRUE(colorNear(frame.atDesign(545, 400), kBackground));

    // The label: light pixels inside its box, none just outside it.
    int inside = 0;
    int outside = 0;
    for (int y = 540; y < 660; ++y) {
        for (int x = 300; x < 560; ++x) {
            const ccColor4B c = frame.atDesign(static_cast<float>(x), static_cast<float>(y));
            if (c.r > 200 && c.g > 200 && c.b > 200) {
                (x >= 330 && x < 510 && y >= 565 && y < 635 ? inside : outside)++;
            }
        }
    }
    EXPECT_GT(inside, 300);
    EXPECT_EQ(outside, 0);
}

TEST(HeadlessRun, FramesAreTheSameOnEveryRunAndScaleWithTheSizeOption) {
    Workspace ws;
    const std::string a = ws.path("a.png");
    const std::string b = ws.path("b.png");
    const std::string small = ws.path("small.png");
    ASSERT_EQ(run(ws, {kProbe, "--headless", "--script", "-"}, "wait 0.1\nscreenshot " + a + "\n").status, 0);
    ASSERT_EQ(run(ws, {kProbe, "--headless", "--script", "-"}, "wait 0.1\nscreenshot " + b + "\n").status, 0);
    EXPECT_EQ(loadFrame(a).rgba, loadFrame(b).rgba);

    const Result r = run(ws, {kProbe, "--headless", "--size", "320x480", "--script", "-"},
                         "drag 140 575 300 300 4\ndump\nclick 141 577\nscreenshot " + small + "\ndump\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const test::Frame frame = loadFrame(small);
    ASSERT_EQ(frame.width, 320);
    ASSERT_EQ(frame.height, 480);
    EXPECT_TRUE(colorNear(frame.atDesign(140, 140), ccc4(220, 40, 40, 255)));
    EXPECT_TRUE(colorNear(frame.atDesign(140, 575), ccc4(250, 220, 0, 255)));
    const std::vector<std::string> states = stateLines(r.out);
    ASSERT_EQ(states.size(), 2u);
    // The drag left the pad before it ended: no tap.
    EXPECT_NE(states[0].find("\"taps\":0,\"lastTouch\":[300,300]"), std::string::npos) << states[0];
    // Window pixels are whole, as real mouse positions are: (141, 577) becomes pixel (70.5, 191.5),
    // rounded to (71, 192), which is (142, 576) in design units.
    EXPECT_NE(states[1].find("\"taps\":1,\"lastTouch\":[142,576]"), std::string::npos) << states[1];
}

TEST(HeadlessRun, AResizedFrameLetterboxesThePageAndItsBarsTakeNoTouches) {
    Workspace ws;
    const std::string shot = ws.path("wide.png");
    // 960 x 960: the page keeps 640 x 960 in the middle, bars of 160 on either side. A click at
    // design x = -100 lands on the left bar.
    const Result r = run(ws, {kProbe, "--headless", "--script", "-"},
                         "resize 960 960\nclick -100 575\ndump\nclick 140 575\nscreenshot " + shot + "\ndump\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> states = stateLines(r.out);
    ASSERT_EQ(states.size(), 2u) << r.out;
    EXPECT_NE(states[0].find("\"taps\":0"), std::string::npos) << states[0];
    EXPECT_NE(states[1].find("\"taps\":1,\"lastTouch\":[140,575]"), std::string::npos) << states[1];
    EXPECT_NE(states[1].find("\"scale\":1,\"letterbox\":true,\"bars\":[160,0,160,0]"), std::string::npos) << states[1];

    const test::Frame frame = loadFrame(shot);
    ASSERT_EQ(frame.width, 960);
    ASSERT_EQ(frame.height, 960);
    const auto atPage = [&frame](int x, int y) { return frame.at(160 + x, 959 - y); };
    for (const int y : {0, 480, 959}) {
        EXPECT_TRUE(colorNear(frame.at(0, y), ccc4(48, 48, 48, 255)));
        EXPECT_TRUE(colorNear(frame.at(159, y), ccc4(48, 48, 48, 255)));
        EXPECT_TRUE(colorNear(frame.at(800, y), ccc4(48, 48, 48, 255)));
        EXPECT_TRUE(colorNear(frame.at(959, y), ccc4(48, 48, 48, 255)));
    }
    EXPECT_TRUE(colorNear(atPage(0, 0), kBackground));
    EXPECT_TRUE(colorNear(atPage(639, 959), kBackground));
    EXPECT_TRUE(colorNear(atPage(140, 140), ccc4(220, 40, 40, 255)));
    EXPECT_TRUE(colorNear(atPage(450, 800), ccc4(40, 200, 60, 255)));   // inside the clip
    EXPECT_TRUE(colorNear(atPage(550, 800), kBackground));              // clipped away
    EXPECT_TRUE(colorNear(atPage(140, 575), ccc4(250, 220, 0, 255)));   // the tapped pad
    EXPECT_TRUE(colorNear(atPage(400, 400), ccc4(0, 0, 255, 255), 4));  // render target
}

TEST(HeadlessRun, BadInputStopsWithAOneLineMessageAndItsStatus) {
    Workspace ws;
    Result r = run(ws, {kProbe, "--headless", "--script", "-"}, "wait 0\n\nclick 1 2 3\ndump\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("line 3"), std::string::npos) << r.err;
    EXPECT_TRUE(stateLines(r.out).empty());

    r = run(ws, {kProbe, "--headless", "--script", "-"}, "expect-taps 4\n");
    EXPECT_EQ(r.status, 3);  // the program's own command chose the status

    r = run(ws, {kProbe, "--headless", "--script", "-"}, "screenshot /no/such/folder/x.png\n");
    EXPECT_EQ(r.status, 1);

    r = run(ws, {kProbe, "--headless", "--script", "-"}, std::string("wait 0.1\n\x01\xff garbage\n", 20));
    EXPECT_EQ(r.status, 2);

    r = run(ws, {kProbe, "--frobnicate"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("usage:"), std::string::npos);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);

    r = run(ws, {kProbe, "--headless", "--resources", ws.path("missing")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
}

TEST(HeadlessRun, WindowModeWithoutADisplaySaysSoAndPointsAtHeadless) {
    Workspace ws;
    const Result r = run(ws, {kProbe}, "", {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"SDL_VIDEODRIVER", ""}});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find("display"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--headless"), std::string::npos) << r.err;
}

TEST(HeadlessRun, WindowModeUnderAVirtualDisplay) {
    if (::access("/usr/bin/xvfb-run", X_OK) != 0) {
        GTEST_SKIP() << "xvfb-run is not installed";
    }
    Workspace ws;
    const std::string shot = ws.path("window.png");
    const std::string script = ws.write("w.txt", "wait 0.2\nclick 140 575\nscreenshot " + shot + "\ndump\n");
    // The system's X, D-Bus and GL libraries keep allocations until exit; under the leak checker
    // of a sanitizer build those are not ours to report.
    const Result r = run(
        ws,
        {"/usr/bin/xvfb-run", "-a", "-s", "-screen 0 1024x1024x24", kProbe, "--size", "320x480", "--script", script},
        "", {{"ASAN_OPTIONS", "detect_leaks=0"}});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> states = stateLines(r.out);
    ASSERT_EQ(states.size(), 1u) << r.out;
    EXPECT_NE(states[0].find("\"taps\":1"), std::string::npos) << states[0];
    const test::Frame frame = loadFrame(shot);
    EXPECT_EQ(frame.width, 320);
    EXPECT_EQ(frame.height, 480);
    EXPECT_TRUE(colorNear(frame.atDesign(140, 140), ccc4(220, 40, 40, 255), 4));
}

#ifdef LIRAVA_PROGRAM
TEST(HeadlessRun, ReaderProgramRunsAScript) {
    Workspace ws;
    ::mkdir(ws.path("book").c_str(), 0755);
    const std::string shot = ws.path("reader.png");
    const Result r = run(ws, {LIRAVA_PROGRAM, "--headless", "--resources", ws.path("book"), "--script", "-"},
                         "wait 0.2\nclick 320 480\nscreenshot " + shot + "\ndump\nquit\nwait 100\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> states = stateLines(r.out);
    ASSERT_EQ(states.size(), 1u) << r.out;
    EXPECT_NE(states[0].find("\"scene\":"), std::string::npos);
    EXPECT_NE(states[0].find("\"objects\":"), std::string::npos);
    EXPECT_NE(states[0].find("\"frame\":15,"), std::string::npos) << states[0];
    EXPECT_EQ(loadFrame(shot).width, 640);
}

TEST(HeadlessRun, ReaderProgramStartsAtTheNarrationSpeedAskedFor) {
    Workspace ws;
    ::mkdir(ws.path("book").c_str(), 0755);
    const std::vector<std::string> start = {LIRAVA_PROGRAM, "--headless", "--resources", ws.path("book"), "--speed"};
    std::vector<std::string> args = start;
    args.insert(args.end(), {"0.75", "--script", "-"});
    Result r = run(ws, args, "dump\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"narrationSpeed\":0.75,"), std::string::npos) << r.out;

    args = start;
    args.push_back("0.3");
    r = run(ws, args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--speed needs one of 0.5, 0.75, 1, 1.25, 1.5"), std::string::npos) << r.err;
}
#endif

}  // namespace
}  // namespace lirava
