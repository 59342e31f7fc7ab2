#include "app/services.h"

Services platformServices() {
    Services services;
    services.process = platform::currentProcess();
    services.version = platform::programVersion();
    services.pathSeparator = platform::pathSeparator();
    services.dateTimeText = platform::localDateTimeText;
    services.desktopWindow = platform::desktopWindow;
    services.shellExecute = platform::shellExecute;
    return services;
}
