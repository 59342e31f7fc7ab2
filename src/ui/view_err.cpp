#include "ui/view_err.h"

#include <string>
#include <string_view>

#include "app/dialog.h"
#include "ui/language.h"

namespace {

struct ViewErrTexts {
    std::string_view titleSuffix;
    std::string_view close;
    std::string_view closeTooltip;
    std::string_view clear;
    std::string_view clearTooltip;
};

constexpr ViewErrTexts EnglishTexts{" Error Log", "&Close", "Close error log window", "C&lear",
                                    "Delete error log file"};
constexpr ViewErrTexts CzechTexts{" výpis chyb", "&Zavřít", "Zavřít okno výpisu chyb", "&Smazat",
                                  "Smazat výpis chybových hlášek"};

}  // namespace

ViewErr::ViewErr(tk::Application& app, Dialog& main)
    : tk::Window(app, tk::FrameKind::Sizable, 4695, 3495),
      ErrList(*this, {120, 120, 4455, 2790}),
      ButtClose(*this, {120, 3000, 1335, 375}, std::string(EnglishTexts.close)),
      ButtDel(*this, {3240, 3000, 1335, 375}, std::string(EnglishTexts.clear)),
      main_(main) {
    ButtClose.setTooltip(std::string(EnglishTexts.closeTooltip));
    ButtDel.setTooltip(std::string(EnglishTexts.clearTooltip));
}

void ViewErr::applyLanguage() {
    const ViewErrTexts& texts =
        currentLanguage(main_) == Language::English ? EnglishTexts : CzechTexts;
    ButtClose.setCaption(std::string(texts.close));
    ButtClose.setTooltip(std::string(texts.closeTooltip));
    ButtDel.setCaption(std::string(texts.clear));
    ButtDel.setTooltip(std::string(texts.clearTooltip));
    setCaption(main_.services().process.name + std::string(texts.titleSuffix));
}
