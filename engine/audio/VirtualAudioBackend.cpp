#include "engine/audio/VirtualAudioBackend.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "engine/audio/MusicFile.h"

#include <algorithm>
#include <cmath>

#include "engine/platform/CCDirector.h"

namespace lirava {

VirtualAudioBackend::VirtualAudioBackend(Clock clock) : m_clock(std::move(clock)) {}

VirtualAudioBackend::~VirtualAudioBackend() {
    if (m_open) {
        Mix_CloseAudio();
    }
    if (m_initedSubsystem) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

double VirtualAudioBackend::now() const {
    return m_clock ? m_clock() : CCDirector::sharedDirector()->getElapsedTime();
}

bool VirtualAudioBackend::openMixer() {
    if (m_triedOpen) {
        return m_open;
    }
    m_triedOpen = true;
    // Decoding needs an open mixer but nothing is ever played: the dummy driver keeps any
    // real device out of it.
    if (!SDL_WasInit(SDL_INIT_AUDIO)) {
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        const bool inited = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
        if (!inited) {
            return false;
        }
        m_initedSubsystem = true;
    }
    Mix_Init(MIX_INIT_MP3);
    m_open = Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) == 0;
    return m_open;
}

double VirtualAudioBackend::trackDuration(const std::string& fullPath) {
    auto known = m_durations.find(fullPath);
    if (known != m_durations.end()) {
        return known->second;
    }
    double duration = -1.0;
    if (openMixer()) {
        if (Mix_Music* music = loadMusicFile(fullPath)) {
            duration = Mix_MusicDuration(music);
            Mix_FreeMusic(music);
        }
    }
    // A file that loads but reports no length plays nothing, like one that does not load. Only
    // lengths are kept: a file missing now (a book that went away) may be back for its next play.
    if (!(duration > 0.0)) {
        return -1.0;
    }
    m_durations.emplace(fullPath, duration);
    return duration;
}

bool VirtualAudioBackend::play(const std::string& fullPath, bool loop) {
    stop();
    const double duration = trackDuration(fullPath);
    if (duration <= 0.0) {
        return false;
    }
    m_startTime = now();
    m_trackSpeed = m_speed;
    m_duration = duration / m_speed;
    m_loop = loop;
    m_playing = true;
    return true;
}

void VirtualAudioBackend::stop() {
    m_playing = false;
}

bool VirtualAudioBackend::isPlaying() {
    if (m_playing && !m_loop && now() - m_startTime >= m_duration) {
        m_playing = false;
    }
    return m_playing;
}

double VirtualAudioBackend::position() {
    if (!isPlaying()) {
        return 0.0;
    }
    double played = now() - m_startTime;
    if (m_loop && m_duration > 0.0) {
        played = std::fmod(played, m_duration);
    }
    return std::clamp(played, 0.0, m_duration) * m_trackSpeed;
}

}  // namespace lirava
