#pragma once

#include <string>

#include "gui/widgets/Scale9Widget.h"

namespace lirava {

class CCSprite;

// A horizontal track with a filled part and a ball that a finger drags, showing a whole
// percentage from 0 to 100. Pressing anywhere on the slider jumps the ball there; moving drags it
// along, clamped to the track's ends. Track and filled part can be nine-slice images.
//
// While a finger is down the slider keeps its pressed look whether or not the finger is still on
// it, its listener hears began and then ended (never moved), and its parent is not told of the
// moves.
class UISlider : public Scale9Widget {
public:
    static UISlider* create();

    UISlider();
    ~UISlider() override;

    const char* getTypeName() const override;

    // Each ignores a null or empty name.
    void loadBarTexture(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
    void loadProgressBarTexture(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
    // The three ball images from one kind of source.
    void loadSlidBallTextures(const char* normal, const char* pressed, const char* disabled,
                              TextureResType texType = UI_TEX_TYPE_LOCAL);
    void loadBallTextureNormal(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
    void loadBallTexturePressed(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);
    void loadBallTextureDisabled(const char* fileName, TextureResType texType = UI_TEX_TYPE_LOCAL);

    virtual void setScale9Enabled(bool enabled);
    // Nine-slice insets of the track and of the filled part.
    void setBarCapInsets(const CCRect& capInsets);
    const CCRect& getBarCapInsets() const { return m_barCapInsets; }
    void setProgressBarCapInsets(const CCRect& capInsets);
    const CCRect& getProgressBarCapInsets() const { return m_progressBarCapInsets; }

    // Clamped to 0..100.
    void setPercent(int percent);
    int getPercent() const { return m_percent; }

    void onTouchBegan(const CCPoint& point) override;
    void onTouchMoved(const CCPoint& point) override;
    void onTouchEnded(const CCPoint& point) override;
    // The track node.
    CCNode* getRenderer() override;
    // The track's natural size.
    CCSize getRendererSize() override;

    float getBarLength() const { return m_barLength; }
    CCNode* getBarNode() const { return m_barRenderer; }
    CCNode* getProgressBarNode() const { return m_progressBarRenderer; }
    CCNode* getBallHolder() const { return m_ballHolder; }
    CCSprite* getBallNormal() const { return m_ballNormalRenderer; }
    CCSprite* getBallPressed() const { return m_ballPressedRenderer; }
    CCSprite* getBallDisabled() const { return m_ballDisabledRenderer; }

protected:
    void initRenderer() override;
    void handleSizeChange() override;
    void showNormalLook() override;
    void showPressedLook() override;
    void showDisabledLook() override;

private:
    void loadInto(CCNode* node, const std::string& fileName, TextureResType texType);
    void fitBar();
    void fitProgressBar();
    void showBall(CCSprite* shown);
    // The percentage under a world point: where it falls along the track, truncated.
    int percentAt(const CCPoint& worldPoint);

    CCNode* m_barRenderer = nullptr;
    CCNode* m_progressBarRenderer = nullptr;
    CCSize m_progressBarTextureSize;
    CCSprite* m_ballNormalRenderer = nullptr;
    CCSprite* m_ballPressedRenderer = nullptr;
    CCSprite* m_ballDisabledRenderer = nullptr;
    CCNode* m_ballHolder = nullptr;
    float m_barLength = 0.0f;
    int m_percent = 0;
    std::string m_textureFile;
    std::string m_progressBarTextureFile;
    std::string m_ballNormalFile;
    std::string m_ballPressedFile;
    std::string m_ballDisabledFile;
    CCRect m_barCapInsets;
    CCRect m_progressBarCapInsets;
    TextureResType m_barTexType = UI_TEX_TYPE_LOCAL;
    TextureResType m_progressBarTexType = UI_TEX_TYPE_LOCAL;
    TextureResType m_ballNormalTexType = UI_TEX_TYPE_LOCAL;
    TextureResType m_ballPressedTexType = UI_TEX_TYPE_LOCAL;
    TextureResType m_ballDisabledTexType = UI_TEX_TYPE_LOCAL;
};

}  // namespace lirava
