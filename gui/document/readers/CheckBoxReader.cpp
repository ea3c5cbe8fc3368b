#include "gui/document/CCSGUIReader.h"
#include "gui/document/readers/ImageReference.h"
#include "gui/document/readers/PropertyReaders.h"
#include "gui/document/readers/ReaderSupport.h"
#include "gui/widgets/UICheckBox.h"

namespace lirava {

using readers::json;

namespace {

using CheckBoxLoader = void (UICheckBox::*)(const char*, TextureResType);

// The five images in the order they are loaded, with the keys of both key sets.
struct CheckBoxImage {
    const char* olderKey;
    const char* newerKey;
    CheckBoxLoader loader;
};

const CheckBoxImage kImages[] = {
    {"backGroundBox", "backGroundBoxData", &UICheckBox::loadTextureBackGround},
    {"backGroundBoxSelected", "backGroundBoxSelectedData", &UICheckBox::loadTextureBackGroundSelected},
    {"frontCross", "frontCrossData", &UICheckBox::loadTextureFrontCross},
    {"backGroundBoxDisabled", "backGroundBoxDisabledData", &UICheckBox::loadTextureBackGroundDisabled},
    {"frontCrossDisabled", "frontCrossDisabledData", &UICheckBox::loadTextureFrontCrossDisabled},
};

}  // namespace

void readCheckBoxProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    UICheckBox* checkBox = dynamic_cast<UICheckBox*>(widget);
    if (!checkBox) {
        return;
    }
    const DictionaryAccessor& j = json();
    readCommonProperties(reader, checkBox, options);
    if (reader.isOlderSchema()) {
        // One switch for all five: they come from the same place.
        const bool merged = j.getBool(options, "useMergedTexture");
        ImageReference images[5];
        for (int i = 0; i < 5; ++i) {
            images[i] = ImageReference::older(reader, j.getString(options, kImages[i].olderKey), merged);
        }
        checkBox->loadTextures(images[0].name(), images[1].name(), images[2].name(), images[3].name(), images[4].name(),
                               images[0].textureKind);
    } else {
        for (const CheckBoxImage& image : kImages) {
            const ImageReference ref = ImageReference::newer(reader, options, image.newerKey);
            if (ref.callLoader) {
                (checkBox->*image.loader)(ref.name(), ref.textureKind);
            }
        }
    }
    readColorProperties(reader, checkBox, options);
}

}  // namespace lirava
