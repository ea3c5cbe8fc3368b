#include "engine/render/ImageEncoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstring>

namespace lirava {

namespace {

// SDL has no growing memory stream; the encoders only write (and may ask where they are).
struct Sink {
    std::vector<std::uint8_t>* bytes;
    std::size_t position;
};

Sink& sinkOf(SDL_RWops* stream) {
    return *static_cast<Sink*>(stream->hidden.unknown.data1);
}

Sint64 sinkSize(SDL_RWops* stream) {
    return static_cast<Sint64>(sinkOf(stream).bytes->size());
}

Sint64 sinkSeek(SDL_RWops* stream, Sint64 offset, int whence) {
    Sink& sink = sinkOf(stream);
    const Sint64 base = whence == RW_SEEK_SET   ? 0
                        : whence == RW_SEEK_CUR ? static_cast<Sint64>(sink.position)
                                                : static_cast<Sint64>(sink.bytes->size());
    if (base + offset < 0) {
        return SDL_SetError("seek before the start");
    }
    sink.position = static_cast<std::size_t>(base + offset);
    return static_cast<Sint64>(sink.position);
}

size_t sinkRead(SDL_RWops*, void*, size_t, size_t) {
    SDL_SetError("the stream only writes");
    return 0;
}

size_t sinkWrite(SDL_RWops* stream, const void* data, size_t size, size_t count) {
    Sink& sink = sinkOf(stream);
    const std::size_t length = size * count;
    if (sink.bytes->size() < sink.position + length) {
        sink.bytes->resize(sink.position + length);
    }
    std::memcpy(sink.bytes->data() + sink.position, data, length);
    sink.position += length;
    return count;
}

int sinkClose(SDL_RWops* stream) {
    SDL_FreeRW(stream);
    return 0;
}

}  // namespace

bool encodeRgba(const std::uint8_t* rgba, int width, int height, EncodedFormat format, int quality,
                std::vector<std::uint8_t>& out, std::string& error) {
    out.clear();
    if (!rgba || width <= 0 || height <= 0) {
        error = "no pixels";
        return false;
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint8_t*>(rgba), width, height, 32,
                                                              width * 4, SDL_PIXELFORMAT_RGBA32);
    SDL_RWops* stream = surface ? SDL_AllocRW() : nullptr;
    if (!stream) {
        error = SDL_GetError();
        SDL_FreeSurface(surface);
        return false;
    }
    Sink sink{&out, 0};
    stream->type = SDL_RWOPS_UNKNOWN;
    stream->hidden.unknown.data1 = &sink;
    stream->size = sinkSize;
    stream->seek = sinkSeek;
    stream->read = sinkRead;
    stream->write = sinkWrite;
    stream->close = sinkClose;
    const int result = format == EncodedFormat::Png ? IMG_SavePNG_RW(surface, stream, 1)
                                                    : IMG_SaveJPG_RW(surface, stream, 1, std::clamp(quality, 0, 100));
    SDL_FreeSurface(surface);
    if (result != 0 || out.empty()) {
        error = result != 0 ? IMG_GetError() : "the encoder wrote nothing";
        out.clear();
        return false;
    }
    return true;
}

}  // namespace lirava
