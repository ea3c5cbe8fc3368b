#pragma once

#include "gui/widgets/UIWidget.h"

namespace lirava {

class CCLabelBMFont;

// Text drawn from a bitmap font. Text set before a font file is dropped.
class UILabelBMFont : public UIWidget {
public:
    static UILabelBMFont* create();

    const char* getTypeName() const override;

    // Ignores a null or empty name.
    void setFntFile(const char* fileName);
    void setText(const char* text);
    const char* getStringValue() const;

    void setAnchorPoint(const CCPoint& anchor) override;
    CCNode* getRenderer() override;
    CCSize getRendererSize() override;

    CCLabelBMFont* getBMFontRenderer() const { return m_labelBMFontRenderer; }

protected:
    void initRenderer() override;
    void handleSizeChange() override;

private:
    CCLabelBMFont* m_labelBMFontRenderer = nullptr;
    bool m_fontFileLoaded = false;
};

}  // namespace lirava
