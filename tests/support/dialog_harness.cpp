#include "support/dialog_harness.h"

#include "platform/autostart.h"
#include "platform/process.h"

namespace testing_support {

DialogHarness::DialogHarness() : shellResult([](const platform::ShellRequest&) { return 42; }) {}

DialogHarness::~DialogHarness() = default;

std::string DialogHarness::settingsFile() const {
    return dir.file(std::string(ExeName) + " " + userName + ".ini");
}

std::string DialogHarness::errorLogFile() const {
    return dir.file(std::string(ExeName) + " " + userName + " error.log");
}

void DialogHarness::writeSettings(const std::vector<std::string>& lines) const {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    writeRaw(settingsFile(), bytes);
}

Services DialogHarness::services() {
    Services services;
    services.process = {dir.path().string(), ExeName, userName};
    services.version = {1, 4, 4};
    services.pathSeparator = platform::pathSeparator();
    services.dateTimeText = [] { return std::string(Now); };
    services.desktopWindow = [] { return std::uintptr_t{0}; };
    services.shellExecute = [this](const platform::ShellRequest& request) {
        shellRequests.push_back(request);
        return shellResult(request);
    };
    services.unusedFiles = unusedFiles;
    services.noFilesFolder = noFilesFolder;
    services.logon = logon.platform();
    if (systemLogonStart) {
        services.startsAtLogon = platform::startsAtLogon;
        services.setStartsAtLogon = platform::setStartsAtLogon;
    } else if (startsAtLogon) {
        services.startsAtLogon = [this] { return *startsAtLogon; };
        services.setStartsAtLogon = [this](bool start) {
            if (logonFailure.empty()) {
                startsAtLogon = start;
            }
            return logonFailure;
        };
    }
    return services;
}

Dialog& DialogHarness::start() {
    dialog_ = std::make_unique<Dialog>(loop.app(), services());
    loop.user([this] {
        dialog_->Form_Load();
        dialog_->show();
        dialog_->activatedByUser();
        dialog_->ReportUnusedFiles();
    });
    loop.user([this] { dialog_->paintedFirstTime(); });
    return *dialog_;
}

Dialog& DialogHarness::startLogonWindowAlone() {
    dialog_ = std::make_unique<Dialog>(loop.app(), services());
    loop.user([this] { dialog_->OpenLogonProgramsAlone(); });
    return *dialog_;
}

void DialogHarness::click(Command command) {
    loop.user([&] { dialog_->Butt[command].clickByUser(); });
}

void DialogHarness::changeAnOption() {
    loop.user([&] {
        dialog_->qErrMsg.clickByUser();
        dialog_->qErrMsg.clickByUser();
    });
}

}  // namespace testing_support
