#include "app/shell/VisibleArea.h"

#include "engine/platform/CCEGLView.h"

namespace lirava {

CCPoint VisibleArea::s_origin;
CCSize VisibleArea::s_size;

void VisibleArea::ensureCached() {
    // An exactly empty size means "not read yet"; a view that still reports nothing is asked
    // again next time.
    if (s_size.width == 0.0f && s_size.height == 0.0f) {
        CCEGLView* view = CCEGLView::sharedOpenGLView();
        s_origin = view->getVisibleOrigin();
        s_size = view->getVisibleSize();
    }
}

CCRect VisibleArea::rect() {
    ensureCached();
    return CCRect(s_origin.x, s_origin.y, s_size.width, s_size.height);
}

CCPoint VisibleArea::left() {
    ensureCached();
    return CCPoint(s_origin.x, s_origin.y + s_size.height / 2);
}

CCPoint VisibleArea::right() {
    ensureCached();
    return CCPoint(s_origin.x + s_size.width, s_origin.y + s_size.height / 2);
}

CCPoint VisibleArea::top() {
    ensureCached();
    return CCPoint(s_origin.x + s_size.width / 2, s_origin.y + s_size.height);
}

CCPoint VisibleArea::bottom() {
    ensureCached();
    return CCPoint(s_origin.x + s_size.width / 2, s_origin.y);
}

CCPoint VisibleArea::center() {
    ensureCached();
    return CCPoint(s_origin.x + s_size.width / 2, s_origin.y + s_size.height / 2);
}

}  // namespace lirava
