#include <locale.h>
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "platform/process.h"

namespace platform {

ProcessFacts currentProcess() {
    ProcessFacts facts;
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        facts.directory = executable.parent_path().string();
        facts.name = executable.stem().string();
    }
    facts.userName = userName();
    return facts;
}

std::string userName() {
    for (const char* variable : {"USER", "LOGNAME"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

char pathSeparator() {
    return '/';
}

// Formats with the environment's LC_TIME (through LC_ALL or LANG as the usual precedence
// says) without touching the process-wide locale; an unknown locale falls back to "C".
std::string localDateTimeText() {
    locale_t locale = ::newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) {
        locale = ::newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[256];
    if (locale == static_cast<locale_t>(nullptr)) {
        return {text, std::strftime(text, sizeof text, "%x %X", &local)};
    }
    const std::size_t length = ::strftime_l(text, sizeof text, "%x %X", &local, locale);
    ::freelocale(locale);
    return {text, length};
}

}  // namespace platform
