// A desktop entry's Exec line made into the command that opens a document, as GIO makes it:
// field codes filled in and quoted, the document added when the line has no code for it, the
// shell's quoting rules of the line kept and nothing of the values taken as syntax.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/exec_line.h"

namespace {

using Words = std::vector<std::string>;

TEST(ExecLine, FieldCodesAreFilledInAndTheDocumentIsNeverLost) {
    const platform::ExecFields local{"/home/eva/a b.txt", "file:///home/eva/a%20b.txt",
                                     "editor-icon", "Text Editor", "/apps/editor.desktop"};
    const platform::ExecFields address{"", "https://example.org/?q=$(x)", "", "Browser",
                                       "/apps/browser.desktop"};
    struct Case {
        std::string exec;
        const platform::ExecFields& fields;
        std::optional<Words> command;
    };
    const std::vector<Case> cases{
        {"editor %f", local, Words{"editor", "/home/eva/a b.txt"}},
        {"editor %U", local, Words{"editor", "file:///home/eva/a%20b.txt"}},
        {"editor --new-window %F %i %c %k", local,
         Words{"editor", "--new-window", "/home/eva/a b.txt", "--icon", "editor-icon",
               "Text Editor", "/apps/editor.desktop"}},
        // No code for the document: it comes last, as a path where it is one.
        {"editor", local, Words{"editor", "/home/eva/a b.txt"}},
        {"browser --private", address,
         Words{"browser", "--private", "https://example.org/?q=$(x)"}},
        {"browser %f", address, Words{"browser", "https://example.org/?q=$(x)"}},
        // An empty icon gives no option; "%%" is a percent sign; retired codes give nothing.
        {"viewer %i 100%% %d %u", address, Words{"viewer", "100%", "https://example.org/?q=$(x)"}},
        {"\"/opt/My App/run\" %f %", local, Words{"/opt/My App/run", "/home/eva/a b.txt", "%"}},
        {"editor 'open %f", local, std::nullopt},
        {std::string("editor\0 %f", 10), local, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::execCommand(c.exec, c.fields), c.command) << c.exec;
    }
}

}  // namespace
