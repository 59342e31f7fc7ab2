#include "logon/entry.h"

#include <array>

namespace logon {

namespace {

struct SourceNames {
    Source source;
    std::string_view key;
    Bilingual<std::string_view> text;
};
constexpr std::array<SourceNames, 8> Sources{{
    {Source::UserAutostart,
     "user-autostart",
     {"user autostart folder", "uživatelská složka autostart"}},
    {Source::SystemAutostart,
     "system-autostart",
     {"system autostart folder", "systémová složka autostart"}},
    {Source::UserRun, "hkcu-run", {"HKCU Run", "HKCU Run"}},
    {Source::MachineRun, "hklm-run", {"HKLM Run", "HKLM Run"}},
    {Source::MachineRun32, "hklm-run-32", {"HKLM Run (32-bit)", "HKLM Run (32bitové)"}},
    {Source::UserRunOnce, "hkcu-runonce", {"HKCU RunOnce", "HKCU RunOnce"}},
    {Source::UserStartupFolder,
     "user-startup",
     {"user Startup folder", "uživatelská složka Po spuštění"}},
    {Source::CommonStartupFolder,
     "common-startup",
     {"common Startup folder", "společná složka Po spuštění"}},
}};

const SourceNames& namesOf(Source source) {
    return Sources[static_cast<std::size_t>(source)];
}

Bilingual<std::string_view> reasonWords(Reason reason) {
    switch (reason) {
        case Reason::None:
            return {};
        case Reason::Hidden:
            return {"hidden (Hidden=true)", "skrytá (Hidden=true)"};
        case Reason::DisabledByDesktop:
            return {"switched off by the desktop (X-GNOME-Autostart-enabled=false)",
                    "vypnutá prostředím (X-GNOME-Autostart-enabled=false)"};
        case Reason::NotForThisDesktop:
            return {"not for this desktop (OnlyShowIn/NotShowIn)",
                    "není pro toto prostředí (OnlyShowIn/NotShowIn)"};
        case Reason::ProgramMissing:
            return {"its program is not installed (TryExec)",
                    "její program není nainstalován (TryExec)"};
        case Reason::DisabledBySystem:
            return {"switched off in the system", "vypnutá v systému"};
        case Reason::OpalistItself:
            return {"Opalist itself", "sám Opalist"};
        case Reason::SessionComponent:
            return {"part of the desktop session", "součást sezení prostředí"};
        case Reason::NoRights:
            return {"a machine-wide entry that needs administrator rights",
                    "položka celého počítače, vyžaduje práva správce"};
        case Reason::RunOnce:
            return {"started once and removed by the system (RunOnce)",
                    "systém ji spustí jednou a odstraní (RunOnce)"};
        case Reason::TooLarge:
            return {"too large for a log-on entry", "příliš velká na položku po přihlášení"};
        case Reason::Binary:
            return {"holds binary data", "obsahuje binární data"};
        case Reason::NotUtf8:
            return {"not valid UTF-8 text", "není platný text UTF-8"};
        case Reason::BadCommand:
            return {"its command cannot be read", "její příkaz nelze přečíst"};
        case Reason::UnexpectedType:
            return {"not a text value", "není textová hodnota"};
        case Reason::TargetGone:
            return {"the shortcut's target is not there", "cíl zástupce neexistuje"};
        case Reason::NotUsersOwn:
            return {"another user can change it", "může ji měnit jiný uživatel"};
        case Reason::Unreadable:
            return {"cannot be read", "nelze přečíst"};
    }
    return {};
}

}  // namespace

std::string_view sourceText(Source source, Language language) {
    return namesOf(source).text[language];
}

std::string_view stateText(State state, Language language) {
    // In the order of State.
    static constexpr Bilingual<std::string_view> Texts[] = {
        {"starts with the system", "spouští systém"},
        {"started by Opalist", "spouští Opalist"},
        {"switched off", "vypnuto"},
        {"cannot be taken over", "nelze převzít"},
    };
    return Texts[static_cast<std::size_t>(state)][language];
}

std::string reasonText(Reason reason, const std::string& detail, Language language) {
    std::string text(reasonWords(reason)[language]);
    if (!text.empty() && !detail.empty()) {
        text += " (" + detail + ")";
    }
    return text;
}

std::string_view sourceKey(Source source) {
    return namesOf(source).key;
}

bool sourceFromKey(std::string_view key, Source& source) {
    for (const SourceNames& names : Sources) {
        if (names.key == key) {
            source = names.source;
            return true;
        }
    }
    return false;
}

}  // namespace logon
