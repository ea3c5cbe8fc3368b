#include "engine/text/IcuLibrary.h"

#include <dlfcn.h>
#include <unicode/uvernum.h>

#include "engine/base/CCLog.h"

// ICU's names carry its major version ("ubrk_open_72"); its headers rename each function to
// that name, which these macros turn into the string to look up.
#define LIRAVA_ICU_NAME_STRING(name) #name
#define LIRAVA_ICU_NAME(name) LIRAVA_ICU_NAME_STRING(name)

namespace lirava::icu_library {

namespace {

constexpr const char* kLibrary = "libicuuc.so." U_ICU_VERSION_SHORT;

template <typename Function>
bool take(void* library, Function& slot, const char* name) {
    slot = reinterpret_cast<Function>(dlsym(library, name));
    if (!slot) {
        CCLog("text: %s has no %s", kLibrary, name);
    }
    return slot != nullptr;
}

bool load(Functions& f) {
    // Kept open for the life of the process: the line iterator and ICU's caches live in it.
    void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* why = dlerror();
        CCLog("text: cannot load %s (%s): lines break at spaces alone and languages show their tags", kLibrary,
              why ? why : "unknown reason");
        return false;
    }
    return take(library, f.breakOpen, LIRAVA_ICU_NAME(ubrk_open)) &&
           take(library, f.breakSetText, LIRAVA_ICU_NAME(ubrk_setUText)) &&
           take(library, f.breakNext, LIRAVA_ICU_NAME(ubrk_next)) &&
           take(library, f.textOpenUtf8, LIRAVA_ICU_NAME(utext_openUTF8)) &&
           take(library, f.textOpenUChars, LIRAVA_ICU_NAME(utext_openUChars)) &&
           take(library, f.textClose, LIRAVA_ICU_NAME(utext_close)) &&
           take(library, f.localeForLanguageTag, LIRAVA_ICU_NAME(uloc_forLanguageTag)) &&
           take(library, f.localeLanguage, LIRAVA_ICU_NAME(uloc_getLanguage)) &&
           take(library, f.localeScript, LIRAVA_ICU_NAME(uloc_getScript)) &&
           take(library, f.localeCountry, LIRAVA_ICU_NAME(uloc_getCountry)) &&
           take(library, f.namesOpen, LIRAVA_ICU_NAME(uldn_openForContext)) &&
           take(library, f.namesClose, LIRAVA_ICU_NAME(uldn_close)) &&
           take(library, f.namesOfLocale, LIRAVA_ICU_NAME(uldn_localeDisplayName)) &&
           take(library, f.namesOfLanguage, LIRAVA_ICU_NAME(uldn_languageDisplayName)) &&
           take(library, f.toUtf8, LIRAVA_ICU_NAME(u_strToUTF8));
}

}  // namespace

const Functions* functions() {
    static const Functions* const loaded = [] {
        static Functions f{};
        return load(f) ? &f : nullptr;
    }();
    return loaded;
}

}  // namespace lirava::icu_library
