#include "engine/text/CCIMEDelegate.h"

#include "engine/text/CCIMEDispatcher.h"

namespace lirava {

CCIMEDispatcher* existingDispatcher();

CCIMEDelegate::CCIMEDelegate() {
    CCIMEDispatcher::sharedDispatcher()->addDelegate(this);
}

CCIMEDelegate::~CCIMEDelegate() {
    if (CCIMEDispatcher* dispatcher = existingDispatcher()) {
        dispatcher->removeDelegate(this);
    }
}

bool CCIMEDelegate::attachWithIME() {
    return CCIMEDispatcher::sharedDispatcher()->attachDelegateWithIME(this);
}

bool CCIMEDelegate::detachWithIME() {
    return CCIMEDispatcher::sharedDispatcher()->detachDelegateWithIME(this);
}

}  // namespace lirava
