#include "engine/base/CCLog.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace lirava {

void CCLog(const char* format, ...) {
    char buffer[4096];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    std::size_t length = std::strlen(buffer);
    if (length > 0 && buffer[length - 1] == '\n') {
        buffer[--length] = '\0';
    }
    std::fputs(buffer, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace lirava
