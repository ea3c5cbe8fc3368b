#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/render/ImageEncoder.h"

struct SDL_Surface;

namespace lirava {

// Straight-alpha RGBA pixels, rows top to bottom, four bytes a pixel. Decoding goes through
// SDL2_image and accepts PNG and JPEG only; anything else, and any file that is corrupt,
// truncated, empty or larger than kMaxSide on a side, gives no image (false) and never a crash.
class Image {
public:
    // Larger images are refused before decoding, so a hostile header cannot ask for gigabytes.
    static constexpr int kMaxSide = 8192;

    Image() = default;
    // A transparent white image (255, 255, 255, 0): text is drawn into it as coverage.
    Image(int width, int height);
    Image(const Image& other);
    Image& operator=(const Image& other);
    Image(Image&& other) noexcept;
    Image& operator=(Image&& other) noexcept;
    ~Image();

    bool initWithFile(const std::string& fullPath);
    // Encoded bytes (a whole PNG or JPEG file) in memory.
    bool initWithEncodedData(const void* data, std::size_t size);
    // Raw RGBA pixels, copied.
    bool initWithRawData(const std::uint8_t* rgba, int width, int height);

    // Writes a PNG file; false when the image is empty or the file cannot be written, with the
    // reason in *reason when given. Written under a temporary name and renamed: a failed write
    // leaves the file that was there as it was.
    bool saveToPNG(const std::string& path, std::string* reason = nullptr) const;
    // Writes a JPEG file (alpha is dropped), quality 0 to 100, the same way.
    bool saveToJPG(const std::string& path, int quality = 90, std::string* reason = nullptr) const;

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isEmpty() const { return m_size == 0; }
    std::size_t byteSize() const { return m_size; }
    const std::uint8_t* data() const { return m_data; }
    std::uint8_t* data() { return m_data; }
    // Pointer to the four bytes of a pixel; the coordinates must be inside the image.
    const std::uint8_t* pixel(int x, int y) const { return m_data + (static_cast<std::size_t>(y) * m_width + x) * 4; }
    std::uint8_t* pixel(int x, int y) { return m_data + (static_cast<std::size_t>(y) * m_width + x) * 4; }

    // Frees the pixels (and gives the memory back).
    void clear();

    // Opaque pixels, three bytes a pixel (red, green, blue), rows pitch bytes apart; copied with
    // alpha 255.
    bool initWithRgbRows(const std::uint8_t* rgb, int width, int height, int pitch);

    struct FreeSurface {
        void operator()(SDL_Surface* surface) const;
    };

private:
    bool save(const std::string& path, EncodedFormat format, int quality, std::string* reason) const;
    void swap(Image& other) noexcept;
    void allocate(int width, int height);

    int m_width = 0;
    int m_height = 0;
    // The pixels are either our own or the surface a decoder made, taken over as it is: a large
    // picture then never exists twice while it is decoded.
    std::vector<std::uint8_t> m_owned;
    std::unique_ptr<SDL_Surface, FreeSurface> m_surface;
    std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
};

// A JPEG as its decoder leaves it: three bytes a pixel (red, green, blue), rows pitch() bytes
// apart, a quarter smaller than RGBA. A photograph goes from here straight into an opaque texture
// and never exists as RGBA pixels.
class JpegRows {
public:
    // False for anything but a JPEG that decodes (the same checks as Image's).
    bool decode(const void* data, std::size_t size);
    int width() const;
    int height() const;
    int pitch() const;
    const std::uint8_t* rows() const;

private:
    std::unique_ptr<SDL_Surface, Image::FreeSurface> m_surface;
};

// Reads the pixel size from a PNG or JPEG header without decoding. False for other formats and
// for headers that are malformed or truncated (a JPEG must also reach its end-of-image marker).
bool probeImageSize(const std::uint8_t* data, std::size_t size, int& width, int& height);
// The same from the header alone (the image may still turn out corrupt or cut short): a JPEG's
// size comes before its image data, which probeImageSize reads to the end.
bool readImageHeaderSize(const std::uint8_t* data, std::size_t size, int& width, int& height);

}  // namespace lirava
