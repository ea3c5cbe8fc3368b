#include "gui/document/CCSGUIReader.h"
#include "gui/document/readers/PropertyReaders.h"
#include "gui/document/readers/ReaderSupport.h"
#include "gui/widgets/UILabel.h"

namespace lirava {

using readers::json;

namespace {

void readFontSize(UILabel* label, const JsonDictionary* options) {
    if (json().hasKey(options, "fontSize")) {
        label->setFontSize(json().getInt(options, "fontSize"));
    }
}

void readFontName(UILabel* label, const JsonDictionary* options) {
    if (const char* font = json().getString(options, "fontName")) {
        label->setFontName(font);
    }
}

}  // namespace

void readLabelProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    UILabel* label = dynamic_cast<UILabel*>(widget);
    if (!label) {
        return;
    }
    const DictionaryAccessor& j = json();
    readCommonProperties(reader, label, options);
    label->setTouchScaleEnabled(j.getBool(options, "touchScaleEnable"));
    if (const char* text = j.getString(options, "text")) {
        label->setText(text);
    }
    readFontSize(label, options);
    readFontName(label, options);
    label->setColor(readers::colorOr(options, "colorR", "colorG", "colorB", 255));
    readColorProperties(reader, label, options);
}

void readTextAreaProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    UILabel* label = dynamic_cast<UILabel*>(widget);
    if (!label) {
        return;
    }
    const DictionaryAccessor& j = json();
    readCommonProperties(reader, label, options);
    if (const char* text = j.getString(options, "text")) {
        label->setText(text);
    }
    readFontSize(label, options);
    label->setColor(readers::colorAlways(options, "colorR", "colorG", "colorB"));
    readFontName(label, options);
    if (j.hasKey(options, "areaWidth") && j.hasKey(options, "areaHeight")) {
        label->setTextAreaSize(CCSize(j.getFloat(options, "areaWidth"), j.getFloat(options, "areaHeight")));
    }
    // The engine knows alignments 0 to 2 only; any other number would not name one, so it is
    // not passed on.
    if (j.hasKey(options, "hAlignment")) {
        const int alignment = j.getInt(options, "hAlignment");
        if (alignment >= kCCTextAlignmentLeft && alignment <= kCCTextAlignmentRight) {
            label->setTextHorizontalAlignment(static_cast<CCTextAlignment>(alignment));
        }
    }
    if (j.hasKey(options, "vAlignment")) {
        const int alignment = j.getInt(options, "vAlignment");
        if (alignment >= kCCVerticalTextAlignmentTop && alignment <= kCCVerticalTextAlignmentBottom) {
            label->setTextVerticalAlignment(static_cast<CCVerticalTextAlignment>(alignment));
        }
    }
    readColorProperties(reader, label, options);
}

}  // namespace lirava
