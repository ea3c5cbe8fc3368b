#include "gui/document/CCSGUIReader.h"
#include "gui/document/readers/ImageReference.h"
#include "gui/document/readers/PropertyReaders.h"
#include "gui/document/readers/ReaderSupport.h"
#include "gui/widgets/UIButton.h"

namespace lirava {

using readers::json;

namespace {

void loadLook(UIButton* button, void (UIButton::*loader)(const char*, TextureResType), const ImageReference& image) {
    if (image.callLoader) {
        (button->*loader)(image.name(), image.textureKind);
    }
}

void loadLooks(UIButton* button, const ImageReference& normal, const ImageReference& pressed,
               const ImageReference& disabled) {
    loadLook(button, &UIButton::loadTextureNormal, normal);
    loadLook(button, &UIButton::loadTexturePressed, pressed);
    loadLook(button, &UIButton::loadTextureDisabled, disabled);
}

// Cap insets, then the nine-slice size when the document gives both of its keys.
void applyScale9Geometry(UIButton* button, const JsonDictionary* options) {
    const DictionaryAccessor& j = json();
    button->setCapInsets(CCRect(j.getFloat(options, "capInsetsX"), j.getFloat(options, "capInsetsY"),
                                j.getFloat(options, "capInsetsWidth"), j.getFloat(options, "capInsetsHeight")));
    if (j.hasKey(options, "scale9Width") && j.hasKey(options, "scale9Height")) {
        button->setSize(CCSize(j.getFloat(options, "scale9Width"), j.getFloat(options, "scale9Height")));
    }
}

}  // namespace

void readButtonProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    UIButton* button = dynamic_cast<UIButton*>(widget);
    if (!button) {
        return;
    }
    const DictionaryAccessor& j = json();
    readCommonProperties(reader, button, options);
    const bool scale9 = j.getBool(options, "scale9Enable");
    button->setScale9Enabled(scale9);

    if (reader.isOlderSchema()) {
        const bool merged = j.getBool(options, "useMergedTexture");
        const ImageReference normal = ImageReference::older(reader, j.getString(options, "normal"), merged);
        const ImageReference pressed = ImageReference::older(reader, j.getString(options, "pressed"), merged);
        const ImageReference disabled = ImageReference::older(reader, j.getString(options, "disabled"), merged);
        loadLooks(button, normal, pressed, disabled);
    } else {
        loadLooks(button, ImageReference::newer(reader, options, "normalData"),
                  ImageReference::newer(reader, options, "pressedData"),
                  ImageReference::newer(reader, options, "disabledData"));
    }
    if (scale9) {
        applyScale9Geometry(button, options);
    }
    readColorProperties(reader, button, options);
}

void readTextButtonProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    UIButton* button = dynamic_cast<UIButton*>(widget);
    if (!button) {
        return;
    }
    const DictionaryAccessor& j = json();
    readButtonProperties(reader, button, options);
    if (const char* text = j.getString(options, "text")) {
        button->setTitleText(text);
    }
    button->setTitleColor(readers::colorOr(options, "textColorR", "textColorG", "textColorB", 255));
    if (j.hasKey(options, "fontSize")) {
        button->setTitleFontSize(static_cast<float>(j.getInt(options, "fontSize")));
    }
    if (j.hasKey(options, "fontName")) {
        if (const char* font = j.getString(options, "fontName")) {
            button->setTitleFontName(font);
        }
    }
    readColorProperties(reader, button, options);
}

}  // namespace lirava
