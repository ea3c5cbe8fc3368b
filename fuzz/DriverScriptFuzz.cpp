// Any bytes as a driver script: every line through the line parser (whose results must stay
// inside the documented limits), then the whole script through the driver against a host that
// records what it is asked to do. The driver must finish in a number of frames bounded by the
// script's length, and every state line it prints must be well-formed JSON.
#include <json/json.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/platform/JsonWriter.h"
#include "engine/platform/ScriptDriver.h"
#include "fuzz/FuzzSupport.h"

using namespace lirava;

namespace {

[[noreturn]] void fault(const char* what) {
    std::fprintf(stderr, "driver script: %s\n", what);
    std::abort();
}

class RecordingHost : public ScriptHost {
public:
    // Every look at the clock moves it on a second: a wait ends after at most as many frames as
    // it has seconds.
    double now() const override { return m_clock += 1.0; }
    void pushTouch(Touch, const CCPoint& point) override {
        if (!std::isfinite(point.x) || !std::isfinite(point.y) || std::fabs(point.x) > kScriptMaxCoordinate ||
            std::fabs(point.y) > kScriptMaxCoordinate) {
            fault("touch outside the coordinate limits");
        }
        m_last = point;
        ++m_touches;
    }
    void pushText(const std::string& utf8) override { m_text = utf8; }
    bool pushKey(const std::string& name, bool) override {
        if (name.empty() || name.size() > kScriptMaxKeyNameLength) {
            fault("key name outside the limits");
        }
        return name != "NoSuchKey";
    }
    bool resizeFrame(int width, int height, std::string& error) override {
        if (width < 1 || height < 1 || width > kScriptMaxFrameSide || height > kScriptMaxFrameSide) {
            fault("frame size outside the limits");
        }
        if (width > 4096) {
            error = "too wide here";
            return false;
        }
        return true;
    }
    bool screenshot(const std::string& path, std::string& error) override {
        if (!path.empty() && path[0] == '/') {
            error = "not here";
            return false;
        }
        return true;
    }
    void writeState(JsonWriter& writer) override {
        writer.member("touches", m_touches);
        writer.beginArray("last").value(m_last.x).value(m_last.y).endArray();
        writer.member("text", m_text);
    }

    std::string m_text;

private:
    mutable double m_clock = 0.0;
    CCPoint m_last;
    int m_touches = 0;
};

RecordingHost* g_host = nullptr;

void registerExtensions() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    // Commands like the program's own: one that takes frames, one that echoes its arguments into
    // the dump (any bytes, so the JSON writer must escape them), one that fails.
    ScriptDriver::registerCommand("settings", [](const std::vector<std::string>& args, ScriptHost&) {
        return ScriptCommandResult::ok(static_cast<int>(args.size()));
    });
    ScriptDriver::registerCommand("hint", [](const std::vector<std::string>& args, ScriptHost&) {
        if (g_host) {
            g_host->m_text.clear();
            for (const std::string& a : args) {
                g_host->m_text += a;
            }
        }
        return ScriptCommandResult::ok();
    });
    ScriptDriver::registerCommand("expect", [](const std::vector<std::string>& args, ScriptHost&) {
        return args.empty() ? ScriptCommandResult::ok() : ScriptCommandResult::fail("expected nothing", 3);
    });
    ScriptDriver::addStateProvider([](JsonWriter& writer) { writer.member("extra", g_host ? g_host->m_text : ""); });
}

void checkLine(std::string_view line) {
    ScriptCommand command;
    std::string error;
    if (!parseScriptLine(line, command, error, [](const std::string& name) { return name == "settings"; })) {
        if (error.empty()) {
            fault("a refused line without a reason");
        }
        return;
    }
    const auto inside = [](const CCPoint& p) {
        return std::isfinite(p.x) && std::isfinite(p.y) && std::fabs(p.x) <= kScriptMaxCoordinate &&
               std::fabs(p.y) <= kScriptMaxCoordinate;
    };
    if (!(command.seconds >= 0.0 && command.seconds <= kScriptMaxWaitSeconds)) {
        fault("wait outside its limits");
    }
    if (!inside(command.point) || !inside(command.to)) {
        fault("point outside the coordinate limits");
    }
    if (command.steps < 1 || command.steps > kScriptMaxDragSteps) {
        fault("drag steps outside their limits");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::setUpEngine();
    registerExtensions();
    const std::string script(reinterpret_cast<const char*>(data), size);

    std::size_t lines = 1;
    for (std::size_t start = 0; start <= script.size();) {
        const std::size_t end = script.find('\n', start);
        checkLine(std::string_view(script).substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
        ++lines;
    }

    RecordingHost host;
    g_host = &host;
    std::istringstream input(script);
    ScriptDriver driver(nullptr, input, host);
    // Worst case per line: the longest wait (one frame a second here), a drag of the most steps
    // (two frames a step), or a program command asking for a frame per argument.
    const std::size_t perLine =
        static_cast<std::size_t>(kScriptMaxWaitSeconds) + 2 * kScriptMaxDragSteps + kScriptMaxLineLength + 16;
    const std::size_t frameLimit = lines * perLine + 16;
    std::size_t frames = 0;
    while (!driver.isFinished()) {
        driver.beforeFrame();
        if (++frames > frameLimit) {
            fault("the script did not finish in its frame bound");
        }
    }
    const std::string state = driver.stateLine();
    Json::Value parsed;
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    if (state.rfind("state ", 0) != 0 ||
        !reader->parse(state.data() + 6, state.data() + state.size(), &parsed, &errors) || !parsed.isObject()) {
        fault("a state line that is not a JSON object");
    }
    g_host = nullptr;
    return 0;
}
