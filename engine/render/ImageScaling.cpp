#include "engine/render/ImageScaling.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace lirava {

namespace {

struct Tap {
    int index;
    float weight;
};

// For each target position along one axis, the source positions it covers and by how much,
// the weights adding up to one.
std::vector<std::vector<Tap>> axisTaps(int sourceLength, int targetLength) {
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(targetLength));
    const double step = static_cast<double>(sourceLength) / targetLength;
    for (int t = 0; t < targetLength; ++t) {
        const double from = t * step;
        const double to = (t + 1) * step;
        const int first = static_cast<int>(std::floor(from));
        const int last = std::min(sourceLength - 1, static_cast<int>(std::ceil(to)) - 1);
        for (int s = first; s <= last; ++s) {
            const double covered = std::min(to, s + 1.0) - std::max(from, static_cast<double>(s));
            if (covered > 0.0) {
                taps[t].push_back({s, static_cast<float>(covered / step)});
            }
        }
    }
    return taps;
}

std::uint8_t toByte(float value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

Image scaledImage(const Image& source, int width, int height) {
    Image result;
    if (source.isEmpty() || width < 1 || height < 1 || width > Image::kMaxSide || height > Image::kMaxSide) {
        return result;
    }
    const int sourceWidth = source.width();
    const int sourceHeight = source.height();
    const std::vector<std::vector<Tap>> columns = axisTaps(sourceWidth, width);
    const std::vector<std::vector<Tap>> rows = axisTaps(sourceHeight, height);

    // Horizontal pass into premultiplied floats, one row of the source at a time.
    std::vector<float> horizontal(static_cast<std::size_t>(width) * sourceHeight * 4, 0.0f);
    for (int y = 0; y < sourceHeight; ++y) {
        for (int x = 0; x < width; ++x) {
            float* out = &horizontal[(static_cast<std::size_t>(y) * width + x) * 4];
            for (const Tap& tap : columns[x]) {
                const std::uint8_t* in = source.pixel(tap.index, y);
                const float alpha = in[3] / 255.0f;
                out[0] += tap.weight * in[0] * alpha;
                out[1] += tap.weight * in[1] * alpha;
                out[2] += tap.weight * in[2] * alpha;
                out[3] += tap.weight * in[3];
            }
        }
    }

    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            float sum[4] = {0.0f, 0.0f, 0.0f, 0.0f};
            for (const Tap& tap : rows[y]) {
                const float* in = &horizontal[(static_cast<std::size_t>(tap.index) * width + x) * 4];
                for (int c = 0; c < 4; ++c) {
                    sum[c] += tap.weight * in[c];
                }
            }
            std::uint8_t* out = &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
            const float alpha = sum[3] / 255.0f;
            for (int c = 0; c < 3; ++c) {
                out[c] = alpha > 0.0f ? toByte(sum[c] / alpha) : 0;
            }
            out[3] = toByte(sum[3]);
        }
    }
    result.initWithRawData(pixels.data(), width, height);
    return result;
}

Image fittedImage(const Image& source, int width, int height) {
    Image result;
    if (source.isEmpty() || width < 1 || height < 1 || width > Image::kMaxSide || height > Image::kMaxSide) {
        return result;
    }
    const double scale =
        std::min(static_cast<double>(width) / source.width(), static_cast<double>(height) / source.height());
    const int fittedWidth = std::clamp(static_cast<int>(std::lround(source.width() * scale)), 1, width);
    const int fittedHeight = std::clamp(static_cast<int>(std::lround(source.height() * scale)), 1, height);
    const Image fitted = scaledImage(source, fittedWidth, fittedHeight);

    std::vector<std::uint8_t> canvas(static_cast<std::size_t>(width) * height * 4, 0);
    const int left = (width - fittedWidth) / 2;
    const int top = (height - fittedHeight) / 2;
    for (int y = 0; y < fittedHeight; ++y) {
        std::copy(fitted.pixel(0, y), fitted.pixel(0, y) + static_cast<std::size_t>(fittedWidth) * 4,
                  &canvas[(static_cast<std::size_t>(top + y) * width + left) * 4]);
    }
    result.initWithRawData(canvas.data(), width, height);
    return result;
}

}  // namespace lirava
