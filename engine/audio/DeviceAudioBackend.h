#pragma once

#include <memory>

#include "engine/audio/AudioBackend.h"

namespace lirava {

class StretchedTrack;

// Plays through the sound device with SDL_mixer. When no device can be opened (a machine
// without sound hardware), it falls back to SDL's "dummy" audio driver, on which tracks still
// take their real time to play, so narration timing is kept.
class DeviceAudioBackend : public AudioBackend {
public:
    DeviceAudioBackend();
    ~DeviceAudioBackend() override;

    bool play(const std::string& fullPath, bool loop) override;
    void stop() override;
    bool isPlaying() override;
    double position() override;
    void setVolume(float volume) override;
    void setSpeed(float speed) override { m_speed = speed; }

    // Whether the mixer is open (on the device or on the dummy driver).
    bool isOpen() const { return m_open; }
    bool usesDummyDriver() const { return m_dummy; }

private:
    bool open();
    void freeMusic();
    bool playStretched(const std::string& fullPath, bool loop);

    void* m_music = nullptr;  // the loaded Mix_Music; SDL types stay out of this header
    std::unique_ptr<StretchedTrack> m_stretched;
    bool m_triedOpen = false;
    bool m_open = false;
    bool m_dummy = false;
    bool m_initedSubsystem = false;
    int m_volume = 128;
    float m_speed = 1.0f;
    float m_playingSpeed = 1.0f;  // the stretched track's
};

}  // namespace lirava
