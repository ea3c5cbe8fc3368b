#include "gui/document/CCSGUIReader.h"
#include "gui/document/readers/ImageReference.h"
#include "gui/document/readers/PropertyReaders.h"
#include "gui/document/readers/ReaderSupport.h"
#include "gui/widgets/Layout.h"

namespace lirava {

using readers::json;

void readPanelProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    Layout* panel = dynamic_cast<Layout*>(widget);
    if (!panel) {
        return;
    }
    const DictionaryAccessor& j = json();
    readContainerProperties(reader, panel, options);

    const bool scale9 = j.getBool(options, "backGroundScale9Enable");
    panel->setBackGroundImageScale9Enabled(scale9);

    const ccColor3B single = readers::colorAlways(options, "bgColorR", "bgColorG", "bgColorB");
    const ccColor3B start = readers::colorAlways(options, "bgStartColorR", "bgStartColorG", "bgStartColorB");
    const ccColor3B end = readers::colorAlways(options, "bgEndColorR", "bgEndColorG", "bgEndColorB");
    const CCPoint vector(j.getFloat(options, "vectorX"), j.getFloat(options, "vectorY"));
    const int colorOpacity = j.getInt(options, "bgColorOpacity");
    const int colorType = j.getInt(options, "colorType");
    panel->setBackGroundColorVector(vector);
    panel->setBackGroundColorType(static_cast<LayoutBackGroundColorType>(colorType));
    panel->setBackGroundColor(start, end);
    panel->setBackGroundColor(single);
    panel->setBackGroundColorOpacity(colorOpacity);

    const ImageReference image = reader.isOlderSchema()
                                     ? ImageReference::older(reader, j.getString(options, "backGroundImage"),
                                                             j.getBool(options, "useMergedTexture"))
                                     : ImageReference::newer(reader, options, "backGroundImageData");
    if (image.callLoader) {
        panel->setBackGroundImage(image.name(), image.textureKind);
    }

    if (scale9) {
        panel->setBackGroundImageCapInsets(CCRect(j.getFloat(options, "capInsetsX"), j.getFloat(options, "capInsetsY"),
                                                  j.getFloat(options, "capInsetsWidth"),
                                                  j.getFloat(options, "capInsetsHeight")));
    }
    readColorProperties(reader, panel, options);
}

}  // namespace lirava
