#include "ui/window_title.h"

#include "toolkit/text.h"

std::string windowTitle(std::string_view exeName, const platform::Version& version,
                        std::string_view setupCaption, bool compact) {
    std::string title = std::string(exeName) + " " + std::to_string(version.major) + "." +
                        std::to_string(version.minor) + "." + std::to_string(version.revision);
    if (!compact) {
        title += tk::toLower(" - " + std::string(setupCaption));
    }
    return title;
}
