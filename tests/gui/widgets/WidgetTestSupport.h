#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/base/ccTypes.h"
#include "engine/render/Image.h"
#include "gui/widgets/UIWidget.h"

namespace lirava::test {

// A solid-colour PNG of the given size in a folder of this process; written once per name.
inline std::string solidImage(const std::string& name, int width, int height, ccColor4B color) {
    static const std::string dir = [] {
        std::string path = ::testing::TempDir() + "lirava-widgets-" + std::to_string(::getpid()) + "/";
        std::filesystem::create_directories(path);
        return path;
    }();
    const std::string path = dir + name;
    if (!std::filesystem::exists(path)) {
        Image image(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                std::uint8_t* p = image.pixel(x, y);
                p[0] = color.r;
                p[1] = color.g;
                p[2] = color.b;
                p[3] = color.a;
            }
        }
        EXPECT_TRUE(image.saveToPNG(path));
    }
    return path;
}

// Records what a widget's touch-event listener is told.
class TouchRecorder : public CCObject {
public:
    void onTouch(CCObject* sender, WidgetTouchEvent event) {
        senders.push_back(sender);
        events.push_back(event);
    }
    void listenTo(UIWidget* widget) { widget->addTouchEventListener(this, toucheventselector(TouchRecorder::onTouch)); }

    std::vector<CCObject*> senders;
    std::vector<WidgetTouchEvent> events;
};

}  // namespace lirava::test
