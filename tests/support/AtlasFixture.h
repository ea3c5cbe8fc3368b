#pragma once

#include <string>

#include "support/TestImages.h"

namespace lirava::test {

// A 64 x 64 sprite sheet with three frames, each showing the four-quadrant image:
// - "upright.png": 16 x 8 at (0, 0);
// - "turned.png": 16 x 8 upright, stored turned 90 degrees clockwise at (20, 0) (8 x 16 there);
// - "trimmed.png": a 10 x 6 region at (0, 30) cut from a 20 x 20 original, its centre (3, -2)
//   from the original's centre.
struct Atlas {
    static ccColor4B pixel(int x, int y) {
        if (x < 16 && y < 8) {
            return quadrant(x, y, 16, 8);
        }
        if (x >= 20 && x < 28 && y < 16) {
            // Turned clockwise: the stored (sx, sy) shows the upright (sy, h - 1 - sx).
            const int sx = x - 20;
            return quadrant(y, 8 - 1 - sx, 16, 8);
        }
        if (x < 10 && y >= 30 && y < 36) {
            return quadrant(x, y - 30, 10, 6);
        }
        return ccColor4B{0, 0, 0, 0};
    }

    static std::string frameXml(const std::string& name, const std::string& rect, bool rotated,
                                const std::string& offset, const std::string& sourceSize) {
        return "<key>" + name + "</key><dict><key>frame</key><string>" + rect + "</string><key>offset</key><string>" +
               offset + "</string><key>rotated</key><" + (rotated ? "true" : "false") +
               "/><key>sourceColorRect</key><string>{{0,0},{1,1}}</string>" + "<key>sourceSize</key><string>" +
               sourceSize + "</string></dict>";
    }

    static std::string plist(const std::string& frames, const std::string& textureFile) {
        std::string text =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict><key>frames</key><dict>" + frames +
            "</dict>";
        if (!textureFile.empty()) {
            text += "<key>metadata</key><dict><key>format</key><integer>2</integer><key>textureFileName</key><string>" +
                    textureFile + "</string></dict>";
        }
        return text + "</dict></plist>";
    }

    // Writes the sheet image and a format-2 atlas for it; returns the atlas's full path.
    static std::string write(const std::string& baseName) {
        writePng(baseName + ".png", 64, 64, pixel);
        const std::string frames = frameXml("upright.png", "{{0,0},{16,8}}", false, "{0,0}", "{16,8}") +
                                   frameXml("turned.png", "{{20,0},{16,8}}", true, "{0,0}", "{16,8}") +
                                   frameXml("trimmed.png", "{{0,30},{10,6}}", false, "{3,-2}", "{20,20}");
        return writeFile(baseName + ".plist", plist(frames, baseName + ".png"));
    }
};

}  // namespace lirava::test
