#pragma once

#include <deque>
#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/base/CCGeometry.h"

namespace lirava {

class CCObject;
class JsonWriter;

// One parsed line of a driver script.
struct ScriptCommand {
    enum class Kind { Empty, Wait, Click, Press, Move, Release, Drag, Key, Resize, Screenshot, Dump, Quit, Extra };
    Kind kind = Kind::Empty;
    double seconds = 0.0;                // wait
    CCPoint point;                       // click, press, move, release; drag start
    CCPoint to;                          // drag end
    int steps = 10;                      // drag
    std::string key;                     // key: the name as written
    int width = 0;                       // resize
    int height = 0;                      // resize
    std::string path;                    // screenshot
    std::string name;                    // extra command
    std::vector<std::string> arguments;  // extra command
};

// Limits that keep a script from asking for the impossible.
constexpr double kScriptMaxWaitSeconds = 3600.0;
constexpr double kScriptMaxCoordinate = 100000.0;
constexpr int kScriptMaxDragSteps = 1000;
constexpr std::size_t kScriptMaxLineLength = 4096;
constexpr std::size_t kScriptMaxKeyNameLength = 64;
constexpr int kScriptMaxFrameSide = 16384;

// Parses one line (without its line break; a trailing "\r" is allowed). Blank lines and comments
// give Kind::Empty. isExtra tells which other command names are known. False with a short reason
// for anything malformed. Never throws, whatever the bytes.
bool parseScriptLine(std::string_view line, ScriptCommand& command, std::string& error,
                     const std::function<bool(const std::string&)>& isExtra = nullptr);

// What the script needs of the running program.
class ScriptHost {
public:
    enum class Touch { Press, Move, Release };

    virtual ~ScriptHost() = default;
    // Seconds on the run's clock (virtual in headless runs).
    virtual double now() const = 0;
    // Input enters like real input: queued now, handled by the next frame.
    virtual void pushTouch(Touch phase, const CCPoint& designPoint) = 0;
    virtual void pushText(const std::string& utf8) = 0;
    // A key press or release, the key named as SDL names keys (in any letter case); false for a
    // name that is no key.
    virtual bool pushKey(const std::string& name, bool down) = 0;
    // Resizes the window (or the headless frame) in pixels, as a reader dragging its border
    // would; false with a reason when that is not possible.
    virtual bool resizeFrame(int width, int height, std::string& error) = 0;
    // Saves the current frame as PNG at the frame size; false with a reason.
    virtual bool screenshot(const std::string& path, std::string& error) = 0;
    // Writes the engine's own members of the state dump into the open object.
    virtual void writeState(JsonWriter& writer) = 0;
};

// Result of a command the program registered.
struct ScriptCommandResult {
    static ScriptCommandResult ok(int frames = 0) {
        ScriptCommandResult r;
        r.frames = frames;
        return r;
    }
    static ScriptCommandResult fail(std::string message, int status = 2) {
        ScriptCommandResult r;
        r.error = std::move(message);
        r.exitStatus = status;
        return r;
    }
    std::string error;  // empty on success
    int exitStatus = 0;
    int frames = 0;  // frames to run before the next line
};

// Runs a driver script, one command a line, between the frames of the main loop. The loop calls
// beforeFrame() at the start of every frame; the driver runs commands until one needs frames to
// pass (a wait, or a touch whose events the next frame handles), and reports when the run is over.
//
// Touch commands take one frame per event: click = press, frame, release, frame; drag = press,
// frame, STEPS x (move, frame), release, frame. key NAME is a press and a release of that key
// the same way; resize W H takes one frame. A key name the host does not know stops the run
// with status 2 when its line is reached, like any malformed line.
class ScriptDriver {
public:
    using StateProvider = std::function<void(JsonWriter&)>;
    using CommandHandler = std::function<ScriptCommandResult(const std::vector<std::string>& arguments, ScriptHost&)>;

    // Process-wide extensions, registered by the program before run(): members added to every
    // dump, and extra commands.
    static void addStateProvider(StateProvider provider);
    static void registerCommand(const std::string& name, CommandHandler handler);
    static void clearExtensions();

    // Reads the script from path ("-" is standard input). Null with a reason if it cannot be opened.
    static std::unique_ptr<ScriptDriver> open(const std::string& path, ScriptHost& host, std::string& error);
    ScriptDriver(std::unique_ptr<std::istream> ownedInput, std::istream& input, ScriptHost& host);

    void beforeFrame();
    // After beforeFrame: the time on the host's clock at which a wait ends, or a negative value
    // when the script needs the next frame to go on. A wait alone asks for no frames.
    double waitingUntil() const { return m_waitUntil; }
    bool isFinished() const { return m_finished; }
    int exitStatus() const { return m_exitStatus; }
    int lineNumber() const { return m_lineNumber; }

    // The line a dump prints: "state " and the JSON object.
    std::string stateLine();

    // The class name of an object as dumps show it: demangled, without namespaces; null gives "".
    static std::string className(const CCObject* object);

private:
    bool readLine(std::string& line, bool& tooLong);
    bool runLine(const std::string& line);
    void fail(const std::string& reason, int status);
    void finish(int status);

    std::unique_ptr<std::istream> m_ownedInput;
    std::istream& m_input;
    ScriptHost& m_host;
    std::deque<std::function<bool()>> m_steps;  // a step returns false to let a frame run
    double m_waitUntil = -1.0;
    int m_lineNumber = 0;
    bool m_finished = false;
    int m_exitStatus = 0;
};

}  // namespace lirava
