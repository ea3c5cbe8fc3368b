#include "tools/make/PagePicture.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>
#include <libexif/exif-data.h>

#include <algorithm>
#include <cmath>

namespace lirava::make {
namespace {

const SDL_Color kPageColour{244, 239, 228, 255};
const SDL_Color kPanelColour{255, 252, 243, 255};
const SDL_Color kPanelEdge{222, 204, 166, 255};
const SDL_Color kInk{70, 46, 84, 255};
constexpr int kCornerRadius = 18;
constexpr int kJpegQuality = 88;

Uint32 mapped(SDL_Surface* surface, SDL_Color colour) {
    return SDL_MapRGB(surface->format, colour.r, colour.g, colour.b);
}

// The EXIF orientation (1 to 8) of a JPEG; 1 when it has none.
int exifOrientation(const std::string& path) {
    ExifData* data = exif_data_new_from_file(path.c_str());
    if (!data) {
        return 1;
    }
    int orientation = 1;
    if (ExifEntry* entry = exif_data_get_entry(data, EXIF_TAG_ORIENTATION)) {
        orientation = exif_get_short(entry->data, exif_data_get_byte_order(data));
    }
    exif_data_unref(data);
    return orientation >= 1 && orientation <= 8 ? orientation : 1;
}

// Applies an EXIF orientation to a 32-bit surface: the value says how the stored pixels must be
// mirrored and turned to stand upright.
SDL_Surface* oriented(SDL_Surface* source, int orientation) {
    if (orientation == 1) {
        return source;
    }
    const bool swap = orientation >= 5;
    const int w = source->w;
    const int h = source->h;
    SDL_Surface* target = SDL_CreateRGBSurfaceWithFormat(0, swap ? h : w, swap ? w : h, 32, source->format->format);
    if (!target) {
        return source;
    }
    for (int y = 0; y < h; ++y) {
        const Uint32* row =
            reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(source->pixels) + y * source->pitch);
        for (int x = 0; x < w; ++x) {
            int tx = x;
            int ty = y;
            switch (orientation) {
                case 2:
                    tx = w - 1 - x;
                    break;
                case 3:
                    tx = w - 1 - x;
                    ty = h - 1 - y;
                    break;
                case 4:
                    ty = h - 1 - y;
                    break;
                case 5:
                    tx = y;
                    ty = x;
                    break;
                case 6:
                    tx = h - 1 - y;
                    ty = x;
                    break;
                case 7:
                    tx = h - 1 - y;
                    ty = w - 1 - x;
                    break;
                case 8:
                    tx = y;
                    ty = w - 1 - x;
                    break;
                default:
                    break;
            }
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(target->pixels) + ty * target->pitch)[tx] = row[x];
        }
    }
    SDL_FreeSurface(source);
    return target;
}

// Bilinear scaling in steps of at most one half, so that a large photograph does not alias.
SDL_Surface* scaled(SDL_Surface* source, int width, int height) {
    SDL_Surface* current = source;
    while (current->w != width || current->h != height) {
        const int w = std::max(width, current->w / 2);
        const int h = std::max(height, current->h / 2);
        SDL_Surface* next = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, current->format->format);
        if (!next || SDL_SoftStretchLinear(current, nullptr, next, nullptr) != 0) {
            SDL_FreeSurface(next);
            break;
        }
        if (current != source) {
            SDL_FreeSurface(current);
        }
        current = next;
    }
    return current;
}

void fillRounded(SDL_Surface* surface, const Box& box, int radius, Uint32 colour) {
    for (int y = box.y0; y < box.y1; ++y) {
        const int fromEdge = std::min(y - box.y0, box.y1 - 1 - y);
        int inset = 0;
        if (fromEdge < radius) {
            const double dy = radius - fromEdge - 0.5;
            inset = radius - static_cast<int>(std::lround(std::sqrt(std::max(0.0, radius * radius - dy * dy))));
        }
        SDL_Rect row{box.x0 + inset, y, box.width() - 2 * inset, 1};
        SDL_FillRect(surface, &row, colour);
    }
}

}  // namespace

SDL_Surface* PagePicture::loadUpright(const std::string& path, std::string& error) {
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file) {
        error = path + ": cannot read the picture";
        return nullptr;
    }
    const bool jpeg = IMG_isJPG(file) != 0;
    if (!jpeg && !IMG_isPNG(file)) {
        SDL_RWclose(file);
        error = path + ": not a JPEG or PNG picture";
        return nullptr;
    }
    SDL_Surface* loaded = IMG_Load_RW(file, 1);
    if (!loaded || loaded->w <= 0 || loaded->h <= 0) {
        SDL_FreeSurface(loaded);
        error = path + ": the picture cannot be decoded";
        return nullptr;
    }
    SDL_Surface* picture = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!picture) {
        error = path + ": the picture cannot be converted";
        return nullptr;
    }
    return jpeg ? oriented(picture, exifOrientation(path)) : picture;
}

Box PagePicture::fitted(int width, int height, const Box& stage) {
    const double scale =
        std::min(static_cast<double>(stage.width()) / width, static_cast<double>(stage.height()) / height);
    const int w = std::max(1, static_cast<int>(std::lround(width * scale)));
    const int h = std::max(1, static_cast<int>(std::lround(height * scale)));
    const int x = stage.x0 + (stage.width() - w) / 2;
    const int y = stage.y0 + (stage.height() - h) / 2;
    return {x, y, x + w, y + h};
}

bool PagePicture::write(SDL_Surface* picture, TTF_Font* font, const TextLayout& layout, const std::string& out,
                        std::string& error) {
    SDL_Surface* page = SDL_CreateRGBSurfaceWithFormat(0, kPageWidth, kPageHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!page) {
        error = "out of memory for a page";
        return false;
    }
    SDL_FillRect(page, nullptr, mapped(page, kPageColour));

    const Box box = fitted(picture->w, picture->h, layout.stage);
    SDL_Surface* small = scaled(picture, box.width(), box.height());
    SDL_Rect at{box.x0, box.y0, box.width(), box.height()};
    SDL_SetSurfaceBlendMode(small, SDL_BLENDMODE_BLEND);
    SDL_BlitSurface(small, nullptr, page, &at);
    if (small != picture) {
        SDL_FreeSurface(small);
    }

    fillRounded(page, layout.panel, kCornerRadius, mapped(page, kPanelEdge));
    const Box inner{layout.panel.x0 + 3, layout.panel.y0 + 3, layout.panel.x1 - 3, layout.panel.y1 - 3};
    fillRounded(page, inner, kCornerRadius - 3, mapped(page, kPanelColour));
    for (const TextLayout::Line& line : layout.lines) {
        SDL_Surface* text = TTF_RenderUTF8_Blended(font, line.text.c_str(), kInk);
        if (text) {
            SDL_Rect where{line.x, line.y, text->w, text->h};
            SDL_BlitSurface(text, nullptr, page, &where);
            SDL_FreeSurface(text);
        }
    }
    const bool saved = IMG_SaveJPG(page, out.c_str(), kJpegQuality) == 0;
    SDL_FreeSurface(page);
    if (!saved) {
        error = out + ": cannot write the page picture (" + SDL_GetError() + ")";
    }
    return saved;
}

}  // namespace lirava::make
