#include "engine/audio/SimpleAudioEngine.h"

#include <algorithm>

#include "engine/audio/AudioBackend.h"
#include "engine/audio/DeviceAudioBackend.h"
#include "engine/audio/VirtualAudioBackend.h"
#include "engine/base/CCLog.h"
#include "engine/platform/CCFileUtils.h"

namespace lirava {

struct SimpleAudioEngine::State {
    std::unique_ptr<AudioBackend> backend;
    AudioBackendKind kind = AudioBackendKind::Device;
    std::string path;
    float volume = 1.0f;
    float speed = 1.0f;

    // Made on first use, so that a run that never plays sound never opens a device.
    AudioBackend& active() {
        if (!backend) {
            if (kind == AudioBackendKind::Virtual) {
                backend = std::make_unique<VirtualAudioBackend>();
            } else {
                backend = std::make_unique<DeviceAudioBackend>();
            }
            backend->setVolume(volume);
            backend->setSpeed(speed);
        }
        return *backend;
    }
};

namespace {
SimpleAudioEngine* g_engine = nullptr;
}

SimpleAudioEngine* SimpleAudioEngine::sharedEngine() {
    if (!g_engine) {
        g_engine = new SimpleAudioEngine();
    }
    return g_engine;
}

void SimpleAudioEngine::end() {
    delete g_engine;
    g_engine = nullptr;
}

SimpleAudioEngine::SimpleAudioEngine() : m_state(std::make_unique<State>()) {}

SimpleAudioEngine::~SimpleAudioEngine() {
    if (m_state->backend) {
        m_state->backend->stop();
    }
}

void SimpleAudioEngine::selectBackend(AudioBackendKind kind) {
    if (kind == m_state->kind) {
        return;
    }
    stopBackgroundMusic();
    m_state->backend.reset();
    m_state->kind = kind;
}

AudioBackendKind SimpleAudioEngine::backendKind() const {
    return m_state->kind;
}

void SimpleAudioEngine::useBackend(std::unique_ptr<AudioBackend> backend, AudioBackendKind kind) {
    stopBackgroundMusic();
    m_state->backend = std::move(backend);
    m_state->kind = kind;
    if (m_state->backend) {
        m_state->backend->setVolume(m_state->volume);
        m_state->backend->setSpeed(m_state->speed);
    }
}

void SimpleAudioEngine::playBackgroundMusic(const char* path, bool loop) {
    stopBackgroundMusic();
    if (!path || !*path) {
        return;
    }
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    const std::string fullPath = files->fullPathForFilename(path);
    if (m_state->active().play(fullPath, loop)) {
        m_state->path = path;
    } else if (!files->isFileExist(fullPath) && files->isNewFailure(fullPath)) {
        CCLog("audio: cannot read narration %s", fullPath.c_str());
    }
}

void SimpleAudioEngine::stopBackgroundMusic(bool releaseData) {
    if (m_state->backend) {
        m_state->backend->stop();
    }
    m_state->path.clear();
}

bool SimpleAudioEngine::isBackgroundMusicPlaying() {
    return m_state->backend && m_state->backend->isPlaying();
}

double SimpleAudioEngine::getBackgroundMusicPosition() {
    return m_state->backend ? m_state->backend->position() : 0.0;
}

float SimpleAudioEngine::getBackgroundMusicVolume() {
    return m_state->volume;
}

void SimpleAudioEngine::setBackgroundMusicVolume(float volume) {
    m_state->volume = volume >= 0.0f ? std::min(volume, 1.0f) : 0.0f;  // NaN counts as silence
    if (m_state->backend) {
        m_state->backend->setVolume(m_state->volume);
    }
}

float SimpleAudioEngine::getBackgroundMusicSpeed() {
    return m_state->speed;
}

void SimpleAudioEngine::setBackgroundMusicSpeed(float speed) {
    // Beyond these a voice is no longer a voice; NaN keeps the recorded speed.
    m_state->speed = speed >= 0.25f ? std::min(speed, 4.0f) : speed < 0.25f ? 0.25f : 1.0f;
    if (m_state->backend) {
        m_state->backend->setSpeed(m_state->speed);
    }
}

std::string SimpleAudioEngine::playingMusicPath() {
    return isBackgroundMusicPlaying() ? m_state->path : std::string();
}

}  // namespace lirava
