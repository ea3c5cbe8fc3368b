#pragma once

#include <SDL_mixer.h>

#include <string>

namespace lirava {

// Loads a track for streaming through the file utilities, so that a track inside an archived
// book is read from the archive as it plays. The type comes from the name's extension as
// Mix_LoadMUS takes it (an MP3 without a tag is not recognised by its bytes alone), else from
// the bytes. Null when the file is missing or cannot be decoded.
Mix_Music* loadMusicFile(const std::string& fullPath);

}  // namespace lirava
