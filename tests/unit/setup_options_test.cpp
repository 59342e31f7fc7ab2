// The options' table: a row added or changed must keep the settings file readable and the
// options apart from each other in the file, on screen and by name.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/dialog.h"
#include "app/setup_options.h"

namespace {

TEST(SetupOptions, RowsKeepDigitsNamesAndPlacesApart) {
    std::set<int> digits;
    std::set<std::string> names;
    tk::Twips previousTop = 0;
    for (const SetupOption& option : setupOptions()) {
        SCOPED_TRACE(option.name);
        digits.insert(option.digit);
        names.insert(option.name);
        EXPECT_TRUE(option.byDefault == 0 || option.byDefault == 1);
        // Laid out top to bottom, one option a line.
        EXPECT_GT(option.top, previousTop);
        previousTop = option.top;
        for (const Language language : {Language::English, Language::Czech}) {
            EXPECT_NE(std::string(option.text(language).caption), "");
            EXPECT_NE(std::string(option.text(language).tooltip), "");
        }
    }
    const int count = static_cast<int>(setupOptions().size());
    // The flags line holds one digit per option, in places 1 to count.
    EXPECT_EQ(digits.size(), setupOptions().size());
    EXPECT_EQ(*digits.begin(), 1);
    EXPECT_EQ(*digits.rbegin(), count);
    EXPECT_EQ(names.size(), setupOptions().size());
}

}  // namespace
