#include "engine/render/PageViewport.h"

#include <algorithm>
#include <cmath>

#include "engine/render/ExactFit.h"

namespace lirava {

PageViewport PageViewport::fit(const CCSize& design, int areaWidth, int areaHeight, bool letterbox) {
    PageViewport viewport;
    viewport.design = CCSize(design.width >= 1.0f ? design.width : 1.0f, design.height >= 1.0f ? design.height : 1.0f);
    viewport.areaWidth = std::max(areaWidth, 1);
    viewport.areaHeight = std::max(areaHeight, 1);
    const float scaleX = static_cast<float>(viewport.areaWidth) / viewport.design.width;
    const float scaleY = static_cast<float>(viewport.areaHeight) / viewport.design.height;
    if (!letterbox) {
        viewport.width = viewport.areaWidth;
        viewport.height = viewport.areaHeight;
        viewport.scale = std::max(scaleX, scaleY);
        return viewport;
    }
    viewport.scale = std::min(scaleX, scaleY);
    // The side that fits takes the whole area exactly; the other is rounded to whole pixels.
    const auto side = [&viewport](float designSide, int area) {
        return std::clamp(static_cast<int>(std::lround(designSide * viewport.scale)), 1, area);
    };
    viewport.width = scaleX <= scaleY ? viewport.areaWidth : side(viewport.design.width, viewport.areaWidth);
    viewport.height = scaleY < scaleX ? viewport.areaHeight : side(viewport.design.height, viewport.areaHeight);
    viewport.x = (viewport.areaWidth - viewport.width) / 2;
    viewport.y = (viewport.areaHeight - viewport.height) / 2;
    return viewport;
}

CCPoint PageViewport::designToPixel(float designX, float designY) const {
    const CCPoint p =
        ExactFit{design, static_cast<float>(width), static_cast<float>(height)}.designToPixel(designX, designY);
    return CCPoint(p.x + static_cast<float>(x), p.y + static_cast<float>(y));
}

CCPoint PageViewport::pixelToDesign(float pixelX, float pixelY) const {
    return ExactFit{design, static_cast<float>(width), static_cast<float>(height)}.pixelToDesign(
        pixelX - static_cast<float>(x), pixelY - static_cast<float>(y));
}

bool PageViewport::containsPixel(float pixelX, float pixelY) const {
    return pixelX >= static_cast<float>(x) && pixelX < static_cast<float>(x + width) &&
           pixelY >= static_cast<float>(y) && pixelY < static_cast<float>(y + height);
}

}  // namespace lirava
