#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "engine/audio/AudioBackend.h"

union SDL_Event;

namespace lirava {

class StretchedTrack;

// Plays through the sound device with SDL_mixer. When no device can be opened (a machine
// without sound hardware), it falls back to SDL's "dummy" audio driver, on which tracks still
// take their real time to play, so narration timing is kept.
//
// A device can also go away while the program runs (the sound server restarts, headphones are
// unplugged): SDL then reports it removed and goes on calling the mixer in real time, so the
// track playing ends when it would have. The next track opens the device afresh, on the dummy
// driver while the device is still away, and on the device again once it is back.
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
    // Times the device was found removed and opened again for a later track.
    int reopenCount() const { return m_reopens; }

private:
    bool open();
    // Opens SDL's audio and the mixer on the named driver, or on SDL's own choice for "".
    bool openMixer(const std::string& driver);
    void close();
    // Logs a removal reported since the last call, once until the device is back.
    void noteRemoval();
    void freeMusic();
    bool playStretched(const std::string& fullPath, bool loop);
    // Called by SDL on the thread that posts the event (the audio thread, for a removal).
    static int watchEvents(void* self, SDL_Event* event);

    void* m_music = nullptr;  // the loaded Mix_Music; SDL types stay out of this header
    std::unique_ptr<StretchedTrack> m_stretched;
    bool m_triedOpen = false;
    bool m_open = false;
    bool m_dummy = false;
    bool m_initedSubsystem = false;
    bool m_watching = false;
    // Set when the device was removed; the next track tries the device again while it is set.
    std::atomic<bool> m_removed{false};
    bool m_deviceAway = false;
    std::string m_driver;  // the driver the device last played on
    int m_reopens = 0;
    int m_volume = 128;
    float m_speed = 1.0f;
    float m_playingSpeed = 1.0f;  // the stretched track's
};

}  // namespace lirava
