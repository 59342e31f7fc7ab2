// Files beside the program that another user controls: the user is told, in the settings'
// language, which file was not used and why, and where the files are kept instead, while the
// countdown of the user's own list goes on.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/dialog_harness.h"

namespace {

using testing_support::DialogHarness;

TEST(UnusedFiles, TheUserIsToldWhichFileWasNotUsedAndWhyWhileTheCountdownGoesOn) {
    struct Case {
        const char* language;
        const char* title;
        std::string text;
    };
    const std::vector<Case> cases{
        {"EN", "Files not used",
         "Opalist did not use\n/shared/opalist tester.ini\nIt belongs to another user.\n\n"
         "Opalist did not use\n/shared/opalist tester error.log\nIt is a link that another user "
         "controls.\n\nYour settings and error log are kept in\n"},
        {"CS", "Soubory nepoužity",
         "Opalist nepoužil soubor\n/shared/opalist tester.ini\nPatří jinému uživateli.\n\n"
         "Opalist nepoužil soubor\n/shared/opalist tester error.log\nJe to odkaz, který ovládá "
         "jiný uživatel.\n\nVaše nastavení a výpis chyb jsou uloženy ve složce\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        DialogHarness h;
        h.writeSettings({"<01100>", "10", c.language, "tool"});
        h.unusedFiles = {{"/shared/opalist tester.ini", platform::Ownership::OtherOwner},
                         {"/shared/opalist tester error.log", platform::Ownership::ForeignLink}};
        // The user reads the box for two seconds.
        h.loop.answerNext(tk::Answer::Ok, 2000);
        h.start();
        ASSERT_EQ(h.loop.boxes().size(), 1u);
        const tk::MessageBox& box = h.loop.boxes()[0].box;
        EXPECT_EQ(box.title, c.title);
        EXPECT_EQ(box.text, c.text + h.dir.path().string());
        EXPECT_EQ(box.icon, tk::Icon::Exclamation);

        h.loop.advance(7999);
        EXPECT_TRUE(h.shellRequests.empty());
        h.loop.advance(1);
        EXPECT_EQ(h.shellRequests.size(), 1u) << "the run starts 10 s after the start";
    }
}

// Where no folder is the user's alone, the user is told so; nothing is read from the program's
// folder, nor saved or logged anywhere.
TEST(UnusedFiles, WithNoFolderOfTheUsersAloneNothingIsReadOrSaved) {
    DialogHarness h;
    h.writeSettings({"<00101>", "5", "EN", "tool"});
    const std::string before = h.readRaw(h.settingsFile());
    h.unusedFiles = {{"/home/tester/.config", platform::Ownership::WritableByOthers}};
    h.noFilesFolder = true;
    h.shellResult = [](const platform::ShellRequest&) { return 2; };
    h.loop.answerNext(tk::Answer::Ok);
    Dialog& d = h.start();
    ASSERT_EQ(h.loop.boxes().size(), 1u);
    EXPECT_EQ(h.loop.boxes()[0].box.text,
              "Opalist did not use\n/home/tester/.config\nOther users can change it.\n\nNo "
              "folder for your settings and error log is yours alone: nothing is read or saved "
              "until one is.");
    EXPECT_EQ(d.LaunchList.listCount(), 0);
    EXPECT_FALSE(d.LogLaunchError("tool", "File not found."));
    EXPECT_EQ(h.readRaw(h.settingsFile()), before);
    EXPECT_FALSE(std::filesystem::exists(h.errorLogFile()));
}

// A settings file larger than any list is neither read nor saved over, at the start or later.
TEST(UnusedFiles, ASettingsFileLargerThanAnyListIsToldOfAndKeptAsItIs) {
    DialogHarness h;
    h.writeSettings({"<00000>", "5", "CS", "tool"});
    const std::uintmax_t size = (std::uintmax_t{64} << 20) + 1;
    std::filesystem::resize_file(h.settingsFile(), size);
    h.loop.answerNext(tk::Answer::Ok);
    Dialog& d = h.start();
    ASSERT_EQ(h.loop.boxes().size(), 1u);
    EXPECT_EQ(h.loop.boxes()[0].box.text,
              "Opalist did not use\n" + h.settingsFile() +
                  "\nIt is larger than any launch list (over 64 MB). It is kept as it is, and "
                  "nothing is saved over it.\n\nYour settings and error log are kept in\n" +
                  h.dir.path().string());
    EXPECT_EQ(d.LaunchList.listCount(), 0);

    h.changeAnOption();
    h.loop.answerNext(tk::Answer::Ok);
    h.click(Command::SaveChanges);
    ASSERT_EQ(h.loop.boxes().size(), 2u);
    EXPECT_NE(h.loop.boxes()[1].box.text.find("larger than any launch list"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(h.settingsFile()), size);
}

}  // namespace
