#pragma once

#include <functional>
#include <string>
#include <unordered_map>

#include "engine/audio/AudioBackend.h"

namespace lirava {

// Plays nothing aloud: a track "plays" for its real decoded duration, divided by the speed, on a
// clock, by default the director's frame clock (virtual time in headless runs). Durations are
// measured once per file with SDL_mixer opened on SDL's "dummy" audio driver.
class VirtualAudioBackend : public AudioBackend {
public:
    using Clock = std::function<double()>;

    // Null clock: the director's elapsed frame time.
    explicit VirtualAudioBackend(Clock clock = nullptr);
    ~VirtualAudioBackend() override;

    bool play(const std::string& fullPath, bool loop) override;
    void stop() override;
    bool isPlaying() override;
    double position() override;
    void setVolume(float volume) override {}
    void setSpeed(float speed) override { m_speed = speed; }

    // Seconds of audio in the file, or a negative value when it is missing or undecodable.
    double trackDuration(const std::string& fullPath);

private:
    bool openMixer();
    double now() const;

    Clock m_clock;
    std::unordered_map<std::string, double> m_durations;
    double m_startTime = 0.0;
    double m_duration = 0.0;
    float m_speed = 1.0f;
    float m_trackSpeed = 1.0f;  // the playing track's: a later setSpeed is for the next one
    bool m_playing = false;
    bool m_loop = false;
    bool m_triedOpen = false;
    bool m_open = false;
    bool m_initedSubsystem = false;
};

}  // namespace lirava
