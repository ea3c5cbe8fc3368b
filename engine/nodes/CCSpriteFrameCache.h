#pragma once

#include <map>
#include <set>
#include <string>

namespace lirava {

class CCDictionary;
class CCSpriteFrame;
class CCTexture2D;

// Sprite frames by name, loaded from sprite-sheet atlases (property lists).
//
// Atlas layout: a root dict with "frames" (frame name -> frame dict) and optional "metadata"
// ("format", "textureFileName" relative to the atlas's folder; without it the atlas's own name
// with ".png"). A frame dict is read by the keys it has, whatever "format" claims:
// - "frame" "{{x,y},{w,h}}", "offset" "{x,y}", "rotated", "sourceSize" "{w,h}" (formats 1, 2);
// - "textureRect", "textureRotated", "spriteOffset", "spriteSourceSize", "aliases" (format 3);
// - "x", "y", "width", "height", "offsetX", "offsetY", "originalWidth", "originalHeight"
//   (format 0).
// The rect gives the upright width and height; a rotated frame occupies h x w pixels at (x, y).
// Frames with malformed or non-finite values, empty rects, or rects reaching outside their
// texture are skipped, and so is a whole atlas whose texture cannot be read; each skip logs one
// line. Frames do not keep the texture alive (see CCSpriteFrame).
class CCSpriteFrameCache {
public:
    static CCSpriteFrameCache* sharedSpriteFrameCache();
    static void purgeSharedSpriteFrameCache();

    // Loads an atlas once (a second call with the same file does nothing). The plist name is
    // resolved through CCFileUtils.
    void addSpriteFramesWithFile(const char* plist);
    // The same with the texture file given (resolved through CCFileUtils, not the atlas folder).
    void addSpriteFramesWithFile(const char* plist, const char* textureFile);
    // The same with the texture given; the frames hold it.
    void addSpriteFramesWithFile(const char* plist, CCTexture2D* texture);
    // Adds or replaces one frame.
    void addSpriteFrame(CCSpriteFrame* frame, const char* frameName);

    // Null when there is no frame of that name (or its alias).
    CCSpriteFrame* spriteFrameByName(const char* name);

    // Removes every frame.
    void removeSpriteFrames();
    // Removes frames that only the cache holds.
    void removeUnusedSpriteFrames();
    void removeSpriteFrameByName(const char* name);
    // Removes the frames that an atlas added, and forgets that it was loaded.
    void removeSpriteFramesFromFile(const char* plist);
    // Removes every frame that shows the texture (held, or named by the texture's file).
    void removeSpriteFramesFromTexture(CCTexture2D* texture);

    std::size_t frameCount() const { return m_frames.size(); }
    bool isFileLoaded(const char* plist) const;

private:
    CCSpriteFrameCache() = default;
    ~CCSpriteFrameCache();
    void addFramesFromDictionary(CCDictionary* dict, const std::string& plistPath, const std::string& texturePath,
                                 CCTexture2D* texture);
    void setFrame(const std::string& name, CCSpriteFrame* frame);

    std::map<std::string, CCSpriteFrame*> m_frames;
    std::map<std::string, std::string> m_aliases;
    // Atlas full path -> names of the frames it added.
    std::map<std::string, std::set<std::string>> m_loadedFiles;
};

}  // namespace lirava
