#pragma once

#include <memory>
#include <string>

namespace lirava {

class AudioBackend;

// Which back end plays sound: the sound device through SDL_mixer, or the virtual back end of
// headless runs, in which a track "plays" for its real decoded duration on the frame clock.
enum class AudioBackendKind { Device, Virtual };

// The narration channel: one track at a time, played once.
class SimpleAudioEngine {
public:
    static SimpleAudioEngine* sharedEngine();
    // Stops playback and closes the back end.
    static void end();

    // Chosen once at start-up by the application (before the first track plays). The device
    // back end is the default.
    void selectBackend(AudioBackendKind kind);
    AudioBackendKind backendKind() const;
    // Plays through the given back end from now on (tests drive a virtual back end on a clock
    // of their own this way). Stops the track playing.
    void useBackend(std::unique_ptr<AudioBackend> backend, AudioBackendKind kind);

    // path is resolved through CCFileUtils. Replaces any track playing. A missing or undecodable
    // file plays nothing.
    void playBackgroundMusic(const char* path, bool loop = false);
    void stopBackgroundMusic(bool releaseData = false);
    // True while a track plays; false once it ended or was stopped.
    bool isBackgroundMusicPlaying();
    // Seconds into the playing track in the file's own time, from the back end's own clock (the
    // sound device's, or the frame clock headless); 0 when nothing plays.
    double getBackgroundMusicPosition();
    float getBackgroundMusicVolume();
    void setBackgroundMusicVolume(float volume);
    // Tempo of the tracks started from now on, the pitch kept (0.5 plays a track twice as
    // long); the track playing keeps its own. 1 plays the files as they are.
    float getBackgroundMusicSpeed();
    void setBackgroundMusicSpeed(float speed);

    // The path given to playBackgroundMusic while that track plays, else empty.
    std::string playingMusicPath();

private:
    SimpleAudioEngine();
    ~SimpleAudioEngine();
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace lirava
