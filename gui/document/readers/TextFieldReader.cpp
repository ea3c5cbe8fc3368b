#include "gui/document/CCSGUIReader.h"
#include "gui/document/readers/PropertyReaders.h"
#include "gui/document/readers/ReaderSupport.h"
#include "gui/widgets/UITextField.h"

namespace lirava {

using readers::json;

void readTextFieldProperties(CCSGUIReader& reader, UIWidget* widget, const JsonDictionary* options) {
    UITextField* field = dynamic_cast<UITextField*>(widget);
    if (!field) {
        return;
    }
    const DictionaryAccessor& j = json();
    readCommonProperties(reader, field, options);
    if (const char* placeholder = j.getString(options, "placeHolder")) {
        field->setPlaceHolder(placeholder);
    }
    field->setText(j.getString(options, "text"));
    if (j.hasKey(options, "fontSize")) {
        field->setFontSize(j.getInt(options, "fontSize"));
    }
    if (const char* font = j.getString(options, "fontName")) {
        field->setFontName(font);
    }
    if (j.hasKey(options, "touchSizeWidth") && j.hasKey(options, "touchSizeHeight")) {
        field->setTouchSize(CCSize(j.getFloat(options, "touchSizeWidth"), j.getFloat(options, "touchSizeHeight")));
        field->setUseTouchArea(true);
    }
    const bool maxLengthEnabled = j.getBool(options, "maxLengthEnable");
    field->setMaxLengthEnabled(maxLengthEnabled);
    if (maxLengthEnabled) {
        field->setMaxLength(j.getInt(options, "maxLength"));
    }
    const bool passwordEnabled = j.getBool(options, "passwordEnable");
    field->setPasswordEnabled(passwordEnabled);
    if (passwordEnabled) {
        field->setPasswordStyleText(j.getString(options, "passwordStyleText"));
    }
    readColorProperties(reader, field, options);
}

}  // namespace lirava
