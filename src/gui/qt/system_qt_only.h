#pragma once
// Qt takes its configuration and plugins from the system's Qt installation and from what the
// user's own environment names (QT_PLUGIN_PATH and the like), never from the program's folder:
// that folder may be one other users can write, and a plugin is code run with the user's
// rights. Called before the application object is made.

namespace gui::qt {

void keepQtToItsInstallation();

}  // namespace gui::qt
