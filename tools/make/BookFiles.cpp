#include "tools/make/BookFiles.h"

#include <json/json.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <pugixml.hpp>
#include <sstream>

#include "app/reader/SentenceNames.h"

namespace lirava::make {
namespace {

// The hotspot image every sentence button shows (the sample book's), and its size.
const char* const kHotspot = "../Images/bnren1.png";
const char* const kHotspotPressed = "../Images/bnren2.png";
constexpr double kHotspotWidth = 80;
constexpr double kHotspotHeight = 40;

// Files of the sample book that the reader uses on every book: its page controls, the caption
// plate, the home screen's figure and hint, and the settings screen with its images.
const char* const kControls[] = {
    "Images/up1.png",         "Images/up2.png",          "Images/next1.png",       "Images/next2.png",
    "Images/play_btn.png",    "Images/pause_btn.png",    "Images/bnchback1.png",   "Images/bnren1.png",
    "Images/bnren2.png",      "Images/grossini.png",     "Images/drag.jpg",        "Images/set_normal.png",
    "Images/set_pressed.png", "Images/set_selected.png", "Images/settings_bg.jpg", "3age/pageset.json",
};

Json::Value base(const std::string& name, double x, double y, int tag, bool touch, double ax, double ay) {
    Json::Value o;
    o["name"] = name;
    o["tag"] = tag;
    o["actiontag"] = tag;
    o["touchAble"] = touch;
    o["x"] = x;
    o["y"] = y;
    o["ZOrder"] = 0;
    o["anchorPointX"] = ax;
    o["anchorPointY"] = ay;
    return o;
}

Json::Value node(const char* classname, Json::Value options) {
    Json::Value n;
    n["classname"] = classname;
    n["options"] = std::move(options);
    n["children"] = Json::Value(Json::arrayValue);
    return n;
}

Json::Value file(const std::string& path) {
    Json::Value v;
    v["resourceType"] = 0;
    v["path"] = path;
    return v;
}

double rounded(double v) {
    return std::round(v * 10000.0) / 10000.0;
}

Json::Value panel(const std::string& name, double x, double y, int w, int h, int tag) {
    Json::Value o = base(name, x, y, tag, false, 0, 0);
    o["actiontag"] = 0;
    o["width"] = w;
    o["height"] = h;
    o["clipAble"] = false;
    o["backGroundScale9Enable"] = false;
    o["colorType"] = 0;
    o["bgColorOpacity"] = 0;
    return o;
}

Json::Value pageNumber(int page) {
    Json::Value o = base("pagenumber", 620, 946, -1, false, 1, 1);
    o["actiontag"] = 0;
    o["ZOrder"] = 3;
    o["text"] = std::to_string(page);
    o["fontName"] = "Arial";
    o["fontSize"] = 20;
    o["colorR"] = 120;
    o["colorG"] = 95;
    o["colorB"] = 115;
    o["areaWidth"] = 60;
    o["areaHeight"] = 26;
    o["hAlignment"] = 2;
    o["vAlignment"] = 1;
    return node("TextArea", o);
}

std::string document(int page, Json::Value root, Json::Value sentences) {
    Json::Value holder = node("Panel", [] {
        Json::Value o = panel("sentences", kPageWidth / 2.0, kPageHeight / 2.0, 0, 0, -1);
        o["ZOrder"] = 2;
        return o;
    }());
    holder["children"] = std::move(sentences);
    Json::Value tree = node("Panel", std::move(root));
    tree["children"].append(std::move(holder));
    tree["children"].append(pageNumber(page));

    Json::Value doc;
    doc["version"] = "1.0.0.0";
    doc["designWidth"] = kPageWidth;
    doc["designHeight"] = kPageHeight;
    doc["textures"] = Json::Value(Json::arrayValue);
    doc["widgetTree"] = std::move(tree);
    doc["animation"]["actionlist"] = Json::Value(Json::arrayValue);
    Json::StreamWriterBuilder writer;
    writer["indentation"] = " ";
    return Json::writeString(writer, doc) + "\n";
}

bool copyFile(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    out << in.rdbuf();
    out.flush();
    return in.good() && out.good();
}

}  // namespace

std::string BookFiles::pagePicturePath(int page) {
    char name[32];
    std::snprintf(name, sizeof name, "Images/pages/p%03d.jpg", page);
    return name;
}

std::string BookFiles::pageDocument(int page, const std::vector<Box>& boxes) {
    Json::Value root = panel("page" + std::to_string(page), 0, 0, kPageWidth, kPageHeight, page);
    root["backGroundImageData"] = file("../" + pagePicturePath(page));
    Json::Value buttons(Json::arrayValue);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        const Box& b = boxes[i];
        // Placed relative to the page's centre, where the holder panel sits; y up.
        const double cx = (b.x0 + b.x1) / 2.0 - kPageWidth / 2.0;
        const double cy = kPageHeight / 2.0 - (b.y0 + b.y1) / 2.0;
        const int key = sentence::keyFor(page, index);
        Json::Value o = base(sentence::buttonName(page, index), rounded(cx), rounded(cy), key, true, 0.5, 0.5);
        o["ZOrder"] = 1;
        o["scaleX"] = rounded(b.width() / kHotspotWidth);
        o["scaleY"] = rounded(b.height() / kHotspotHeight);
        o["scale9Enable"] = false;
        o["normalData"] = file(kHotspot);
        o["pressedData"] = file(kHotspotPressed);
        o["disabledData"] = file("");
        o["opacity"] = 255;
        buttons.append(node("Button", o));
    }
    return document(page, std::move(root), std::move(buttons));
}

std::string BookFiles::emptyPageDocument(int page) {
    Json::Value root = panel("page" + std::to_string(page), 0, 0, kPageWidth, kPageHeight, page);
    root["colorType"] = 1;
    root["bgColorR"] = 244;
    root["bgColorG"] = 239;
    root["bgColorB"] = 228;
    root["bgColorOpacity"] = 255;
    return document(page, std::move(root), Json::Value(Json::arrayValue));
}

std::string BookFiles::stringTable(const std::vector<std::pair<std::string, std::string>>& entries) {
    pugi::xml_document doc;
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    doc.append_child(pugi::node_doctype)
        .set_value("plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\"");
    pugi::xml_node plist = doc.append_child("plist");
    plist.append_attribute("version") = "1.0";
    pugi::xml_node dict = plist.append_child("dict");
    for (const auto& [key, value] : entries) {
        dict.append_child("key").text() = key.c_str();
        dict.append_child("string").text() = value.c_str();
    }
    std::ostringstream out;
    doc.save(out, "\t", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

bool BookFiles::copyControls(const std::string& sampleBook, const std::string& out, std::string& error) {
    for (const char* name : kControls) {
        if (!copyFile(sampleBook + "/" + name, out + "/" + name)) {
            error = "cannot copy " + sampleBook + "/" + name + " into the book";
            return false;
        }
    }
    return true;
}

std::string BookFiles::sampleBook() {
    char path[4096];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length > 0) {
        std::string programs(path, static_cast<std::size_t>(length));
        programs = programs.substr(0, programs.find_last_of('/'));
        const std::string installed = programs.substr(0, programs.find_last_of('/')) + "/share/lirava/book";
        struct stat info {};
        if (::stat((installed + "/3age/pageset.json").c_str(), &info) == 0) {
            return installed;
        }
    }
    return LIRAVA_SOURCE_BOOK;
}

}  // namespace lirava::make
