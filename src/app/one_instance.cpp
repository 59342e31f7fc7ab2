#include "app/one_instance.h"

#include "app/dialog.h"

std::unique_ptr<platform::SingleInstance> claimOneInstance(Dialog& dialog) {
    auto instance = std::make_unique<platform::SingleInstance>(dialog.services().process.userName,
                                                               dialog.SettingsPath());
    if (!instance->first()) {
        return nullptr;
    }
    instance->onRequest = [&dialog] { dialog.app().dispatch([&dialog] { dialog.activate(); }); };
    return instance;
}
