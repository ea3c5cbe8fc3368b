#include "engine/audio/MusicFile.h"

#include <algorithm>
#include <cctype>

#include "engine/platform/CCFileUtils.h"

namespace lirava {

namespace {

Mix_MusicType typeForName(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) {
        return MUS_NONE;
    }
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "mp3" || extension == "mpg" || extension == "mpeg" || extension == "mp2") {
        return MUS_MP3;
    }
    if (extension == "ogg") {
        return MUS_OGG;
    }
    if (extension == "flac") {
        return MUS_FLAC;
    }
    if (extension == "wav") {
        return MUS_WAV;
    }
    return MUS_NONE;
}

}  // namespace

Mix_Music* loadMusicFile(const std::string& fullPath) {
    SDL_RWops* stream = CCFileUtils::sharedFileUtils()->openStream(fullPath);
    if (!stream) {
        return nullptr;
    }
    // The music owns the stream from here, and closes it when freed or when loading fails.
    return Mix_LoadMUSType_RW(stream, typeForName(fullPath), 1);
}

}  // namespace lirava
