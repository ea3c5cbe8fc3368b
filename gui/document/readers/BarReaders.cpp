#include "gui/document/CCSGUIReader.h"
#include "gui/document/readers/ImageReference.h"
#include "gui/document/readers/PropertyReaders.h"
#include "gui/document/readers/ReaderSupport.h"
#include "gui/widgets/UILoadingBar.h"
#include "gui/widgets/UISlider.h"

namespace lirava {

using readers::json;

namespace {

// The image under olderKey (a name, older rule) or newerKey (an object, newer rule), by the
// document's key set.
ImageReference barImage(const CCSGUIReader& reader, const JsonDictionary* options, const char* olderKey,
                        const char* newerKey) {
    if (reader.isOlderSchema()) {
        return ImageReference::older(reader, json().getString(options, olderKey),
                                     json().getBool(options, "useMergedTexture"));
    }
    return ImageReference::newer(reader, options, newerKey);
}

}  // namespace

void readLoadingBarProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    UILoadingBar* bar = dynamic_cast<UILoadingBar*>(widget);
    if (!bar) {
        return;
    }
    const DictionaryAccessor& j = json();
    readCommonProperties(reader, bar, options);
    const ImageReference image = barImage(reader, options, "texture", "textureData");
    if (image.callLoader) {
        bar->loadTexture(image.name(), image.textureKind);
    }
    if (!reader.isOlderSchema()) {
        const bool scale9 = j.getBool(options, "scale9Enable");
        bar->setScale9Enabled(scale9);
        if (scale9) {
            bar->setCapInsets(CCRect(j.getFloat(options, "capInsetsX"), j.getFloat(options, "capInsetsY"),
                                     j.getFloat(options, "capInsetsWidth"), j.getFloat(options, "capInsetsHeight")));
            bar->setSize(CCSize(j.getFloat(options, "width"), j.getFloat(options, "height")));
        }
    }
    bar->setDirection(j.getInt(options, "direction"));
    bar->setPercent(j.getInt(options, "percent"));
    readColorProperties(reader, bar, options);
}

void readSliderProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    UISlider* slider = dynamic_cast<UISlider*>(widget);
    if (!slider) {
        return;
    }
    const DictionaryAccessor& j = json();
    const bool older = reader.isOlderSchema();
    readCommonProperties(reader, slider, options);
    const bool scale9 = j.getBool(options, "barTextureScale9Enable");
    slider->setScale9Enabled(scale9);
    const float length = j.getFloat(options, "length");

    // Both key sets test the older key: a newer document without it keeps its track unset.
    if (j.hasKey(options, "barFileName")) {
        const ImageReference bar = barImage(reader, options, "barFileName", "barFileNameData");
        if (bar.callLoader) {
            slider->loadBarTexture(bar.name(), bar.textureKind);
        }
        if (scale9) {
            slider->setSize(CCSize(length, slider->getSize().height));
        }
    }

    if (older) {
        const bool merged = j.getBool(options, "useMergedTexture");
        const ImageReference normal = ImageReference::older(reader, j.getString(options, "ballNormal"), merged);
        const ImageReference pressed = ImageReference::older(reader, j.getString(options, "ballPressed"), merged);
        const ImageReference disabled = ImageReference::older(reader, j.getString(options, "ballDisabled"), merged);
        slider->loadSlidBallTextures(normal.name(), pressed.name(), disabled.name(), normal.textureKind);
    } else {
        const ImageReference normal = ImageReference::newer(reader, options, "ballNormalData");
        if (normal.callLoader) {
            slider->loadBallTextureNormal(normal.name(), normal.textureKind);
        }
        const ImageReference pressed = ImageReference::newer(reader, options, "ballPressedData");
        if (pressed.callLoader) {
            slider->loadBallTexturePressed(pressed.name(), pressed.textureKind);
        }
        const ImageReference disabled = ImageReference::newer(reader, options, "ballDisabledData");
        if (disabled.callLoader) {
            slider->loadBallTextureDisabled(disabled.name(), disabled.textureKind);
        }
    }

    slider->setPercent(j.getInt(options, "percent"));

    const ImageReference progress = barImage(reader, options, "progressBarFileName", "progressBarData");
    if (progress.callLoader) {
        slider->loadProgressBarTexture(progress.name(), progress.textureKind);
    }
    readColorProperties(reader, slider, options);
}

}  // namespace lirava
