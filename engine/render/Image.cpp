#include "engine/render/Image.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

#include "engine/platform/AtomicFile.h"
#include "engine/platform/CCFileUtils.h"

namespace lirava {

namespace {

enum class Format { None, Png, Jpeg };

bool initDecoders() {
    static const bool ready = [] {
        const int wanted = IMG_INIT_PNG | IMG_INIT_JPG;
        return (IMG_Init(wanted) & wanted) == wanted;
    }();
    return ready;
}

unsigned readBE16(const std::uint8_t* p) {
    return (unsigned(p[0]) << 8) | p[1];
}
unsigned long readBE32(const std::uint8_t* p) {
    return (static_cast<unsigned long>(p[0]) << 24) | (static_cast<unsigned long>(p[1]) << 16) |
           (static_cast<unsigned long>(p[2]) << 8) | p[3];
}

bool probePng(const std::uint8_t* data, std::size_t size, int& width, int& height) {
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size < 33 || std::memcmp(data, kSignature, 8) != 0 || std::memcmp(data + 12, "IHDR", 4) != 0) {
        return false;
    }
    const unsigned long w = readBE32(data + 16);
    const unsigned long h = readBE32(data + 20);
    if (w == 0 || h == 0 || w > 0x7FFFFFFFul || h > 0x7FFFFFFFul) {
        return false;
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

bool isStartOfFrame(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the marker segments up to the end-of-image marker, so that a file cut short is caught
// here: libjpeg would only warn and hand back a half-grey picture.
bool probeJpeg(const std::uint8_t* data, std::size_t size, int& width, int& height, bool toTheEnd = true) {
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) {
        return false;
    }
    bool haveFrame = false;
    std::size_t pos = 2;
    while (pos + 1 < size) {
        if (data[pos] != 0xFF) {
            return false;
        }
        while (pos + 1 < size && data[pos + 1] == 0xFF) {
            ++pos;  // fill bytes
        }
        if (pos + 1 >= size) {
            return false;
        }
        const std::uint8_t marker = data[pos + 1];
        if (marker == 0xD9) {
            return haveFrame;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            pos += 2;
            continue;
        }
        if (pos + 4 > size) {
            return false;
        }
        const unsigned length = readBE16(data + pos + 2);
        if (length < 2 || pos + 2 + length > size) {
            return false;
        }
        if (isStartOfFrame(marker)) {
            if (length < 7) {
                return false;
            }
            height = static_cast<int>(readBE16(data + pos + 5));
            width = static_cast<int>(readBE16(data + pos + 7));
            if (width == 0 || height == 0) {
                return false;
            }
            haveFrame = true;
            if (!toTheEnd) {
                return true;
            }
        }
        pos += 2 + length;
        if (marker == 0xDA) {
            // Entropy-coded data: a 0xFF in it is followed by 0x00 (stuffing) or a restart marker.
            while (pos + 1 < size &&
                   !(data[pos] == 0xFF && data[pos + 1] != 0x00 && !(data[pos + 1] >= 0xD0 && data[pos + 1] <= 0xD7))) {
                ++pos;
            }
        }
    }
    return false;
}

Format probe(const std::uint8_t* data, std::size_t size, int& width, int& height) {
    if (!data) {
        return Format::None;
    }
    if (probePng(data, size, width, height)) {
        return Format::Png;
    }
    if (probeJpeg(data, size, width, height)) {
        return Format::Jpeg;
    }
    return Format::None;
}

// The decoder's own surface for a PNG or a JPEG, or null; format tells which it was.
SDL_Surface* decodeSurface(const void* data, std::size_t size, Format& format) {
    const std::uint8_t* bytes = static_cast<const std::uint8_t*>(data);
    int width = 0;
    int height = 0;
    format = probe(bytes, size, width, height);
    if (format == Format::None || width > Image::kMaxSide || height > Image::kMaxSide || size > 0x7FFFFFFF ||
        !initDecoders()) {
        return nullptr;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (!stream) {
        return nullptr;
    }
    SDL_Surface* decoded = format == Format::Png ? IMG_LoadPNG_RW(stream) : IMG_LoadJPG_RW(stream);
    SDL_RWclose(stream);
    if (decoded && (decoded->w != width || decoded->h != height)) {
        SDL_FreeSurface(decoded);
        return nullptr;
    }
    return decoded;
}

}  // namespace

bool probeImageSize(const std::uint8_t* data, std::size_t size, int& width, int& height) {
    return probe(data, size, width, height) != Format::None;
}

bool readImageHeaderSize(const std::uint8_t* data, std::size_t size, int& width, int& height) {
    return data && (probePng(data, size, width, height) || probeJpeg(data, size, width, height, false));
}

void Image::FreeSurface::operator()(SDL_Surface* surface) const {
    SDL_FreeSurface(surface);
}

bool JpegRows::decode(const void* data, std::size_t size) {
    m_surface.reset();
    Format format = Format::None;
    std::unique_ptr<SDL_Surface, Image::FreeSurface> decoded(decodeSurface(data, size, format));
    if (!decoded || format != Format::Jpeg || decoded->format->format != SDL_PIXELFORMAT_RGB24 ||
        SDL_MUSTLOCK(decoded.get())) {
        return false;
    }
    m_surface = std::move(decoded);
    return true;
}

int JpegRows::width() const {
    return m_surface ? m_surface->w : 0;
}

int JpegRows::height() const {
    return m_surface ? m_surface->h : 0;
}

int JpegRows::pitch() const {
    return m_surface ? m_surface->pitch : 0;
}

const std::uint8_t* JpegRows::rows() const {
    return m_surface ? static_cast<const std::uint8_t*>(m_surface->pixels) : nullptr;
}

Image::Image(int width, int height) {
    if (width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide) {
        allocate(width, height);
        for (std::size_t i = 0; i < m_size; i += 4) {
            m_data[i] = m_data[i + 1] = m_data[i + 2] = 255;
        }
    }
}

Image::Image(const Image& other) {
    if (!other.isEmpty()) {
        allocate(other.m_width, other.m_height);
        std::memcpy(m_data, other.m_data, m_size);
    }
}

Image& Image::operator=(const Image& other) {
    if (this != &other) {
        Image copy(other);
        swap(copy);
    }
    return *this;
}

Image::Image(Image&& other) noexcept {
    swap(other);
}

Image& Image::operator=(Image&& other) noexcept {
    if (this != &other) {
        Image gone;
        swap(other);
        other.swap(gone);
    }
    return *this;
}

Image::~Image() = default;

void Image::swap(Image& other) noexcept {
    std::swap(m_width, other.m_width);
    std::swap(m_height, other.m_height);
    m_owned.swap(other.m_owned);
    m_surface.swap(other.m_surface);
    std::swap(m_data, other.m_data);
    std::swap(m_size, other.m_size);
}

void Image::allocate(int width, int height) {
    clear();
    m_width = width;
    m_height = height;
    m_owned.resize(static_cast<std::size_t>(width) * height * 4);
    m_data = m_owned.data();
    m_size = m_owned.size();
}

void Image::clear() {
    std::vector<std::uint8_t>().swap(m_owned);
    m_surface.reset();
    m_data = nullptr;
    m_size = 0;
    m_width = m_height = 0;
}

bool Image::initWithFile(const std::string& fullPath) {
    std::string bytes;
    if (!CCFileUtils::sharedFileUtils()->readFile(fullPath, bytes)) {
        clear();
        return false;
    }
    return initWithEncodedData(bytes.data(), bytes.size());
}

bool Image::initWithEncodedData(const void* data, std::size_t size) {
    clear();
    Format format = Format::None;
    SDL_Surface* decoded = decodeSurface(data, size, format);
    if (!decoded) {
        return false;
    }
    const int width = decoded->w;
    const int height = decoded->h;
    SDL_Surface* rgba = decoded;
    if (decoded->format->format != SDL_PIXELFORMAT_RGBA32) {
        rgba = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGBA32, 0);
        SDL_FreeSurface(decoded);
        if (!rgba) {
            return false;
        }
    }
    std::unique_ptr<SDL_Surface, FreeSurface> surface(rgba);
    if (rgba->w != width || rgba->h != height) {
        return false;
    }
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    if (!SDL_MUSTLOCK(rgba) && static_cast<std::size_t>(rgba->pitch) == row) {
        // Rows packed as ours would be: keep the decoder's pixels instead of copying them.
        m_width = width;
        m_height = height;
        m_data = static_cast<std::uint8_t*>(rgba->pixels);
        m_size = row * static_cast<std::size_t>(height);
        m_surface = std::move(surface);
        return true;
    }
    if (SDL_LockSurface(rgba) != 0) {
        return false;
    }
    allocate(width, height);
    for (int y = 0; y < height; ++y) {
        std::memcpy(m_data + row * y, static_cast<const std::uint8_t*>(rgba->pixels) + rgba->pitch * y, row);
    }
    SDL_UnlockSurface(rgba);
    return true;
}

bool Image::initWithRgbRows(const std::uint8_t* rgb, int width, int height, int pitch) {
    clear();
    if (!rgb || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || pitch < width * 3) {
        return false;
    }
    allocate(width, height);
    if (SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB24, rgb, pitch, SDL_PIXELFORMAT_RGBA32, m_data,
                          width * 4) != 0) {
        clear();
        return false;
    }
    return true;
}

bool Image::initWithRawData(const std::uint8_t* rgba, int width, int height) {
    clear();
    if (!rgba || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        return false;
    }
    allocate(width, height);
    std::memcpy(m_data, rgba, m_size);
    return true;
}

bool Image::saveToPNG(const std::string& path, std::string* reason) const {
    return save(path, EncodedFormat::Png, 0, reason);
}

bool Image::saveToJPG(const std::string& path, int quality, std::string* reason) const {
    return save(path, EncodedFormat::Jpeg, quality, reason);
}

bool Image::save(const std::string& path, EncodedFormat format, int quality, std::string* reason) const {
    std::string error = "the image is empty";
    std::vector<std::uint8_t> encoded;
    const bool ok = !isEmpty() && initDecoders() &&
                    encodeRgba(m_data, m_width, m_height, format, quality, encoded, error) &&
                    writeFileAtomically(path, encoded.data(), encoded.size(), error);
    if (!ok && reason) {
        *reason = error;
    }
    return ok;
}

}  // namespace lirava
