#include "engine/audio/DeviceAudioBackend.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>

#include "engine/audio/MusicFile.h"
#include "engine/audio/StretchedTrack.h"
#include "engine/base/CCLog.h"

namespace lirava {

namespace {
constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
constexpr int kChunkSize = 2048;
constexpr const char* kDummyDriver = "dummy";

void fillFromTrack(void* track, Uint8* stream, int len) {
    static_cast<StretchedTrack*>(track)->fill(stream, len);
}
}  // namespace

DeviceAudioBackend::DeviceAudioBackend() = default;

DeviceAudioBackend::~DeviceAudioBackend() {
    close();
    if (m_watching) {
        SDL_DelEventWatch(watchEvents, this);
    }
}

int DeviceAudioBackend::watchEvents(void* self, SDL_Event* event) {
    if (event->type == SDL_AUDIODEVICEREMOVED && !event->adevice.iscapture) {
        // Only flagged here: the mixer may not be touched from the audio thread.
        static_cast<DeviceAudioBackend*>(self)->m_removed.store(true, std::memory_order_release);
    }
    return 1;
}

bool DeviceAudioBackend::openMixer(const std::string& driver) {
    if (driver.empty()) {
        // The driver the user or the environment asks for, not the dummy of an earlier opening.
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    } else {
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver.c_str(), SDL_HINT_OVERRIDE);
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    m_initedSubsystem = true;
    Mix_Init(MIX_INIT_MP3);
    m_open = Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kChannels, kChunkSize) == 0;
    if (!m_open) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_initedSubsystem = false;
    }
    m_dummy = m_open && driver == kDummyDriver;
    if (m_open && !m_dummy) {
        m_driver = SDL_GetCurrentAudioDriver();
    }
    return m_open;
}

void DeviceAudioBackend::close() {
    stop();
    if (m_open) {
        Mix_CloseAudio();
        m_open = false;
        m_dummy = false;
    }
    if (m_initedSubsystem) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_initedSubsystem = false;
    }
}

void DeviceAudioBackend::noteRemoval() {
    if (!m_removed.exchange(false, std::memory_order_acq_rel) || !m_open) {
        return;
    }
    if (!m_deviceAway) {
        m_deviceAway = true;
        CCLog("Audio: the sound device went away; narration goes on silently until it is back");
    }
}

bool DeviceAudioBackend::open() {
    noteRemoval();
    if (m_deviceAway) {
        // Tried again for every track while the device is away: a restarted sound server or
        // plugged-in headphones are heard from the next sentence on.
        close();
        m_triedOpen = false;
    }
    if (m_triedOpen) {
        return m_open;
    }
    m_triedOpen = true;
    if (!m_watching) {
        SDL_AddEventWatch(watchEvents, this);
        m_watching = true;
    }
    // Once a driver has played, only it is tried again: the others would only fail more noisily.
    if (openMixer(m_driver)) {
        if (m_deviceAway) {
            m_deviceAway = false;
            ++m_reopens;
            CCLog("Audio: the sound device is back");
        }
    } else if (m_deviceAway) {
        // Still away: the dummy driver keeps the timing, as it did since the removal.
        openMixer(kDummyDriver);
    } else {
        // No sound device (no /dev/snd, no server): SDL's dummy driver still consumes audio in
        // real time, so tracks end when they would have, and the narration keeps its timing.
        const std::string reason = SDL_GetError();
        openMixer(kDummyDriver);
        CCLog("Audio: no sound device (%s); narration plays silently on the dummy driver", reason.c_str());
    }
    // Whatever the device reported before this opening is about the one closed.
    m_removed.store(false, std::memory_order_release);
    if (m_open) {
        Mix_VolumeMusic(m_volume);
    }
    return m_open;
}

void DeviceAudioBackend::freeMusic() {
    if (m_music) {
        Mix_FreeMusic(static_cast<Mix_Music*>(m_music));
        m_music = nullptr;
    }
}

bool DeviceAudioBackend::play(const std::string& fullPath, bool loop) {
    stop();
    if (!open()) {
        return false;
    }
    if (m_speed != 1.0f && playStretched(fullPath, loop)) {
        return true;
    }
    m_music = loadMusicFile(fullPath);
    if (!m_music) {
        return false;
    }
    // One play through, or (not quite) forever.
    if (Mix_PlayMusic(static_cast<Mix_Music*>(m_music), loop ? -1 : 1) != 0) {
        freeMusic();
        return false;
    }
    return true;
}

bool DeviceAudioBackend::playStretched(const std::string& fullPath, bool loop) {
    // A file that cannot be stretched still plays, at its own speed.
    m_stretched = StretchedTrack::open(fullPath, m_speed, loop);
    if (!m_stretched) {
        return false;
    }
    m_playingSpeed = m_speed;
    m_stretched->setVolume(m_volume);
    Mix_HookMusic(fillFromTrack, m_stretched.get());
    return true;
}

void DeviceAudioBackend::stop() {
    if (m_open && m_music) {
        Mix_HaltMusic();
    }
    freeMusic();
    if (m_stretched) {
        // Once the hook is gone the audio thread no longer reads the track.
        Mix_HookMusic(nullptr, nullptr);
        m_stretched.reset();
    }
}

bool DeviceAudioBackend::isPlaying() {
    noteRemoval();
    if (m_stretched) {
        return !m_stretched->finished();
    }
    return m_open && m_music && Mix_PlayingMusic() != 0;
}

double DeviceAudioBackend::position() {
    // Both counts below say what has gone to the device; one mixer buffer of it is still to be
    // heard.
    const double buffered = static_cast<double>(kChunkSize) / kFrequency;
    double seconds = 0.0;
    if (m_stretched) {
        seconds = m_stretched->position() - buffered * m_playingSpeed;
    } else if (m_open && m_music && Mix_PlayingMusic() != 0) {
        seconds = Mix_GetMusicPosition(static_cast<Mix_Music*>(m_music)) - buffered;
    }
    return seconds > 0.0 ? seconds : 0.0;
}

void DeviceAudioBackend::setVolume(float volume) {
    m_volume = static_cast<int>(std::lround(std::clamp(volume, 0.0f, 1.0f) * MIX_MAX_VOLUME));
    if (m_open) {
        Mix_VolumeMusic(m_volume);
    }
    if (m_stretched) {
        m_stretched->setVolume(m_volume);
    }
}

}  // namespace lirava
