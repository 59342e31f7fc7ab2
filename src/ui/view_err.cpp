#include "ui/view_err.h"

#include "app/dialog.h"

ViewErr::ViewErr(tk::Application& app, Dialog& main)
    : tk::Window(app, tk::FrameKind::Sizable, 4695, 3495),
      ErrList(*this, {120, 120, 4455, 2790}),
      ButtClose(*this, {120, 3000, 1335, 375}, "&Close"),
      ButtDel(*this, {3240, 3000, 1335, 375}, "C&lear"),
      main_(main) {
    ButtClose.setTooltip("Close error log window");
    ButtDel.setTooltip("Delete error log file");
}
