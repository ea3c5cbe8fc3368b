#pragma once

#include <string>

namespace lirava {

// What the narration channel needs of a sound back end: one track at a time.
class AudioBackend {
public:
    virtual ~AudioBackend() = default;

    // Starts the file at fullPath, replacing any track playing. False (and nothing playing)
    // when the file is missing or cannot be decoded.
    virtual bool play(const std::string& fullPath, bool loop) = 0;
    virtual void stop() = 0;
    // True from a successful play until the track ends or is stopped.
    virtual bool isPlaying() = 0;
    // Seconds into the track playing, in the file's own time (at 0.5x it moves half as fast),
    // as far as the back end knows what has gone out; 0 when nothing plays.
    virtual double position() = 0;
    // 0..1.
    virtual void setVolume(float volume) = 0;
    // Tempo of the tracks started from now on (0.5: twice as long, at the same pitch); the
    // track playing keeps its own.
    virtual void setSpeed(float speed) = 0;
};

}  // namespace lirava
