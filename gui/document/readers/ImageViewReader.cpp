#include "gui/document/CCSGUIReader.h"
#include "gui/document/readers/ImageReference.h"
#include "gui/document/readers/PropertyReaders.h"
#include "gui/document/readers/ReaderSupport.h"
#include "gui/widgets/UIImageView.h"

namespace lirava {

using readers::json;

void readImageViewProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    UIImageView* view = dynamic_cast<UIImageView*>(widget);
    if (!view) {
        return;
    }
    const DictionaryAccessor& j = json();
    readCommonProperties(reader, view, options);

    const bool older = reader.isOlderSchema();
    const char* fileName = nullptr;
    if (older) {
        fileName = j.getString(options, "fileName");
    } else {
        const ImageReference image = ImageReference::newer(reader, options, "fileNameData");
        if (image.callLoader) {
            view->loadTexture(image.name(), image.textureKind);
        }
    }

    const bool scale9 = j.hasKey(options, "scale9Enable") && j.getBool(options, "scale9Enable");
    view->setScale9Enabled(scale9);

    if (older) {
        const ImageReference image = ImageReference::older(reader, fileName, j.getBool(options, "useMergedTexture"));
        view->loadTexture(image.name(), image.textureKind);
    }

    if (scale9) {
        if (j.hasKey(options, "scale9Width") && j.hasKey(options, "scale9Height")) {
            view->setSize(CCSize(j.getFloat(options, "scale9Width"), j.getFloat(options, "scale9Height")));
        }
        view->setCapInsets(CCRect(j.getFloat(options, "capInsetsX"), j.getFloat(options, "capInsetsY"),
                                  j.getFloat(options, "capInsetsWidth"), j.getFloat(options, "capInsetsHeight")));
    }
    readColorProperties(reader, view, options);
}

}  // namespace lirava
