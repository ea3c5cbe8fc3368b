#include "engine/platform/ScriptDriver.h"

#include <cxxabi.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <typeinfo>

#include "engine/base/CCObject.h"
#include "engine/platform/JsonWriter.h"

namespace lirava {

namespace {

struct Extensions {
    std::vector<ScriptDriver::StateProvider> providers;
    std::map<std::string, ScriptDriver::CommandHandler> commands;
};

Extensions& extensions() {
    static Extensions instance;
    return instance;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Splits on blanks; a word starting with '#' starts a comment.
std::vector<std::string> words(std::string_view line) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) {
            ++i;
        }
        if (i >= line.size() || line[i] == '#') {
            break;
        }
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i])) {
            ++i;
        }
        out.emplace_back(line.substr(start, i - start));
    }
    return out;
}

// A plain decimal number: optional sign, digits with at most one point, optional exponent.
// strtod alone would also take "nan", "inf" and hexadecimal forms.
bool parseNumber(const std::string& text, double& out) {
    if (text.empty() || text.size() > 32) {
        return false;
    }
    std::size_t i = 0;
    if (text[i] == '+' || text[i] == '-') {
        ++i;
    }
    bool digits = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++i;
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
            digits = true;
        }
    }
    if (!digits) {
        return false;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        bool exponentDigits = false;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
            exponentDigits = true;
        }
        if (!exponentDigits) {
            return false;
        }
    }
    if (i != text.size()) {
        return false;
    }
    out = std::strtod(text.c_str(), nullptr);
    return std::isfinite(out);
}

bool parseCoordinate(const std::string& text, float& out) {
    double value;
    if (!parseNumber(text, value) || std::fabs(value) > kScriptMaxCoordinate) {
        return false;
    }
    out = static_cast<float>(value);
    return true;
}

bool parsePoint(const std::vector<std::string>& w, std::size_t at, CCPoint& point) {
    return parseCoordinate(w[at], point.x) && parseCoordinate(w[at + 1], point.y);
}

// Printable, bounded echo of a script line for messages.
std::string shown(std::string_view text) {
    std::string out;
    for (char ch : text) {
        if (out.size() >= 60) {
            out += "...";
            break;
        }
        const unsigned char c = static_cast<unsigned char>(ch);
        out += (c >= 0x20 && c < 0x7f) ? ch : '?';
    }
    return out;
}

}  // namespace

bool parseScriptLine(std::string_view line, ScriptCommand& command, std::string& error,
                     const std::function<bool(const std::string&)>& isExtra) {
    command = ScriptCommand();
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (line.size() > kScriptMaxLineLength) {
        error = "line too long";
        return false;
    }
    if (line.find('\0') != std::string_view::npos) {
        error = "line holds a NUL byte";
        return false;
    }
    const std::vector<std::string> w = words(line);
    if (w.empty()) {
        return true;
    }
    const std::string& name = w[0];
    const std::size_t argc = w.size() - 1;
    auto arguments = [&](std::size_t expected) {
        if (argc != expected) {
            error = name + " takes " + std::to_string(expected) + (expected == 1 ? " argument" : " arguments");
            return false;
        }
        return true;
    };

    if (name == "wait") {
        if (!arguments(1)) {
            return false;
        }
        if (!parseNumber(w[1], command.seconds) || command.seconds < 0.0 || command.seconds > kScriptMaxWaitSeconds) {
            error = "wait needs seconds from 0 to " + std::to_string(static_cast<int>(kScriptMaxWaitSeconds));
            return false;
        }
        command.kind = ScriptCommand::Kind::Wait;
        return true;
    }
    const struct {
        const char* name;
        ScriptCommand::Kind kind;
    } touches[] = {{"click", ScriptCommand::Kind::Click},
                   {"press", ScriptCommand::Kind::Press},
                   {"move", ScriptCommand::Kind::Move},
                   {"release", ScriptCommand::Kind::Release}};
    for (const auto& touch : touches) {
        if (name == touch.name) {
            if (!arguments(2)) {
                return false;
            }
            if (!parsePoint(w, 1, command.point)) {
                error = name + " needs two numbers X Y";
                return false;
            }
            command.kind = touch.kind;
            return true;
        }
    }
    if (name == "drag") {
        if (argc != 4 && argc != 5) {
            error = "drag takes X1 Y1 X2 Y2 [STEPS]";
            return false;
        }
        if (!parsePoint(w, 1, command.point) || !parsePoint(w, 3, command.to)) {
            error = "drag needs four numbers X1 Y1 X2 Y2";
            return false;
        }
        if (argc == 5) {
            double steps;
            if (!parseNumber(w[5], steps) || steps != std::floor(steps) || steps < 1 || steps > kScriptMaxDragSteps) {
                error = "drag steps must be a whole number from 1 to " + std::to_string(kScriptMaxDragSteps);
                return false;
            }
            command.steps = static_cast<int>(steps);
        }
        command.kind = ScriptCommand::Kind::Drag;
        return true;
    }
    if (name == "key") {
        if (!arguments(1)) {
            return false;
        }
        if (w[1].size() > kScriptMaxKeyNameLength) {
            error = "key name too long";
            return false;
        }
        command.key = w[1];
        command.kind = ScriptCommand::Kind::Key;
        return true;
    }
    if (name == "resize") {
        if (!arguments(2)) {
            return false;
        }
        double width;
        double height;
        const auto side = [](double value) {
            return value == std::floor(value) && value >= 1 && value <= kScriptMaxFrameSide;
        };
        if (!parseNumber(w[1], width) || !parseNumber(w[2], height) || !side(width) || !side(height)) {
            error = "resize needs WIDTH HEIGHT, whole numbers from 1 to " + std::to_string(kScriptMaxFrameSide);
            return false;
        }
        command.width = static_cast<int>(width);
        command.height = static_cast<int>(height);
        command.kind = ScriptCommand::Kind::Resize;
        return true;
    }
    if (name == "screenshot") {
        if (!arguments(1)) {
            return false;
        }
        command.path = w[1];
        command.kind = ScriptCommand::Kind::Screenshot;
        return true;
    }
    if (name == "dump" || name == "quit") {
        if (!arguments(0)) {
            return false;
        }
        command.kind = name == "dump" ? ScriptCommand::Kind::Dump : ScriptCommand::Kind::Quit;
        return true;
    }
    if (isExtra && isExtra(name)) {
        command.kind = ScriptCommand::Kind::Extra;
        command.name = name;
        command.arguments.assign(w.begin() + 1, w.end());
        return true;
    }
    error = "unknown command \"" + shown(name) + "\"";
    return false;
}

std::string ScriptDriver::className(const CCObject* object) {
    if (!object) {
        return std::string();
    }
    const char* mangled = typeid(*object).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : mangled;
    std::free(demangled);
    // Drop the namespaces of the outermost name; template arguments keep theirs.
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (c == '<' || c == '(') {
            ++depth;
        } else if (c == '>' || c == ')') {
            --depth;
        } else if (depth == 0 && c == ':' && i + 1 < name.size() && name[i + 1] == ':') {
            start = i + 2;
            ++i;
        }
    }
    return name.substr(start);
}

void ScriptDriver::addStateProvider(StateProvider provider) {
    if (provider) {
        extensions().providers.push_back(std::move(provider));
    }
}

void ScriptDriver::registerCommand(const std::string& name, CommandHandler handler) {
    if (!name.empty() && handler) {
        extensions().commands[name] = std::move(handler);
    }
}

void ScriptDriver::clearExtensions() {
    extensions().providers.clear();
    extensions().commands.clear();
}

std::unique_ptr<ScriptDriver> ScriptDriver::open(const std::string& path, ScriptHost& host, std::string& error) {
    if (path == "-") {
        return std::make_unique<ScriptDriver>(nullptr, std::cin, host);
    }
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!file->is_open()) {
        error = "cannot open script \"" + shown(path) + "\"";
        return nullptr;
    }
    std::istream& input = *file;
    return std::make_unique<ScriptDriver>(std::move(file), input, host);
}

ScriptDriver::ScriptDriver(std::unique_ptr<std::istream> ownedInput, std::istream& input, ScriptHost& host)
    : m_ownedInput(std::move(ownedInput)), m_input(input), m_host(host) {}

bool ScriptDriver::readLine(std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    bool any = false;
    std::streambuf* buffer = m_input.rdbuf();
    if (!buffer) {
        return false;
    }
    for (;;) {
        const int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            return any;
        }
        any = true;
        if (c == '\n') {
            return true;
        }
        // Keep reading to the end of an overlong line, but do not keep it.
        if (line.size() <= kScriptMaxLineLength) {
            line += static_cast<char>(c);
        } else {
            tooLong = true;
        }
    }
}

void ScriptDriver::fail(const std::string& reason, int status) {
    std::fprintf(stderr, "lirava: script line %d: %s\n", m_lineNumber, reason.c_str());
    std::fflush(stderr);
    finish(status);
}

void ScriptDriver::finish(int status) {
    m_finished = true;
    m_exitStatus = status;
    m_steps.clear();
}

std::string ScriptDriver::stateLine() {
    JsonWriter writer;
    writer.beginObject();
    m_host.writeState(writer);
    for (const StateProvider& provider : extensions().providers) {
        provider(writer);
    }
    writer.endObject();
    if (!writer.isComplete()) {
        return "state {\"error\":\"the state could not be written\"}";
    }
    return "state " + writer.str();
}

void ScriptDriver::beforeFrame() {
    while (!m_finished) {
        if (m_waitUntil >= 0.0) {
            // A small tolerance: n frames of 1/60 s do not always add up to exactly n/60.
            if (m_host.now() < m_waitUntil - 1e-6) {
                return;
            }
            m_waitUntil = -1.0;
        }
        if (!m_steps.empty()) {
            std::function<bool()> step = std::move(m_steps.front());
            m_steps.pop_front();
            if (!step()) {
                return;  // this step wants a frame to run
            }
            continue;
        }
        std::string line;
        bool tooLong = false;
        if (!readLine(line, tooLong)) {
            finish(0);
            return;
        }
        ++m_lineNumber;
        if (tooLong) {
            fail("line too long", 2);
            return;
        }
        runLine(line);
    }
}

bool ScriptDriver::runLine(const std::string& line) {
    Extensions& ext = extensions();
    ScriptCommand command;
    std::string error;
    if (!parseScriptLine(line, command, error,
                         [&ext](const std::string& name) { return ext.commands.count(name) > 0; })) {
        fail(error, 2);
        return false;
    }
    const auto frame = [] { return false; };
    const auto touch = [this](ScriptHost::Touch phase, CCPoint point) {
        return [this, phase, point] {
            m_host.pushTouch(phase, point);
            return true;
        };
    };
    switch (command.kind) {
        case ScriptCommand::Kind::Empty:
            break;
        case ScriptCommand::Kind::Wait: {
            const double seconds = command.seconds;
            m_steps.push_back([this, seconds] {
                m_waitUntil = m_host.now() + seconds;
                return true;
            });
            break;
        }
        case ScriptCommand::Kind::Click:
            m_steps.push_back(touch(ScriptHost::Touch::Press, command.point));
            m_steps.push_back(frame);
            m_steps.push_back(touch(ScriptHost::Touch::Release, command.point));
            m_steps.push_back(frame);
            break;
        case ScriptCommand::Kind::Press:
        case ScriptCommand::Kind::Move:
        case ScriptCommand::Kind::Release: {
            const ScriptHost::Touch phase = command.kind == ScriptCommand::Kind::Press  ? ScriptHost::Touch::Press
                                            : command.kind == ScriptCommand::Kind::Move ? ScriptHost::Touch::Move
                                                                                        : ScriptHost::Touch::Release;
            m_steps.push_back(touch(phase, command.point));
            m_steps.push_back(frame);
            break;
        }
        case ScriptCommand::Kind::Drag: {
            m_steps.push_back(touch(ScriptHost::Touch::Press, command.point));
            m_steps.push_back(frame);
            for (int i = 1; i <= command.steps; ++i) {
                const float t = static_cast<float>(i) / static_cast<float>(command.steps);
                const CCPoint at(command.point.x + (command.to.x - command.point.x) * t,
                                 command.point.y + (command.to.y - command.point.y) * t);
                m_steps.push_back(touch(ScriptHost::Touch::Move, at));
                m_steps.push_back(frame);
            }
            m_steps.push_back(touch(ScriptHost::Touch::Release, command.to));
            m_steps.push_back(frame);
            break;
        }
        case ScriptCommand::Kind::Key: {
            const std::string key = command.key;
            const auto keyStep = [this, key](bool down) {
                return [this, key, down] {
                    if (!m_host.pushKey(key, down)) {
                        fail("unknown key \"" + shown(key) + "\"", 2);
                        return false;
                    }
                    return true;
                };
            };
            m_steps.push_back(keyStep(true));
            m_steps.push_back(frame);
            m_steps.push_back(keyStep(false));
            m_steps.push_back(frame);
            break;
        }
        case ScriptCommand::Kind::Resize: {
            std::string reason;
            if (!m_host.resizeFrame(command.width, command.height, reason)) {
                fail("resize failed: " + reason, 1);
                return false;
            }
            m_steps.push_back(frame);
            break;
        }
        case ScriptCommand::Kind::Screenshot: {
            std::string reason;
            if (!m_host.screenshot(command.path, reason)) {
                fail("screenshot \"" + shown(command.path) + "\" failed: " + reason, 1);
                return false;
            }
            break;
        }
        case ScriptCommand::Kind::Dump: {
            const std::string state = stateLine();
            std::fputs(state.c_str(), stdout);
            std::fputc('\n', stdout);
            std::fflush(stdout);
            break;
        }
        case ScriptCommand::Kind::Quit:
            finish(0);
            return false;
        case ScriptCommand::Kind::Extra: {
            // Copy: the handler may register or clear commands.
            const CommandHandler handler = ext.commands[command.name];
            const ScriptCommandResult result = handler(command.arguments, m_host);
            if (!result.error.empty()) {
                fail(result.error, result.exitStatus != 0 ? result.exitStatus : 2);
                return false;
            }
            for (int i = 0; i < result.frames && i < 100000; ++i) {
                m_steps.push_back(frame);
            }
            break;
        }
    }
    return true;
}

}  // namespace lirava
