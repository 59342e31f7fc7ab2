// The list box's compact item store against a plain vector of strings: any mix of appends,
// replacements (shorter, longer, huge) and removals (last or not) keeps the same items, also
// across the repacking that reclaims the bytes of replaced and removed items.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "toolkit/list_items.h"

namespace {

std::vector<std::string> itemsOf(const tk::ListItems& items) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < items.size(); ++i) {
        result.emplace_back(items[i]);
    }
    return result;
}

TEST(ListItems, KeepsWhatAVectorOfStringsWouldKeep) {
    std::mt19937 random(18);
    const auto text = [&random](std::size_t step) {
        // Mostly short rows, now and then one longer than a whole block of the store.
        const std::size_t size = random() % 50 == 0 ? 300'000 + random() % 1000 : random() % 120;
        return std::string(size, static_cast<char>('a' + step % 26));
    };
    tk::ListItems items;
    std::vector<std::string> expected;
    for (std::size_t step = 0; step < 4000; ++step) {
        const unsigned what = random() % 10;
        if (expected.empty() || what < 5) {
            expected.push_back(text(step));
            items.push_back(expected.back());
        } else if (what < 8) {
            const std::size_t at = random() % expected.size();
            expected[at] = text(step);
            items.replace(at, expected[at]);
        } else {
            const std::size_t at = what == 8 ? expected.size() - 1 : random() % expected.size();
            expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(at));
            items.erase(at);
        }
        ASSERT_EQ(items.size(), expected.size()) << "step " << step;
        if (step % 100 == 0) {
            ASSERT_EQ(itemsOf(items), expected) << "step " << step;
        }
    }
    EXPECT_EQ(itemsOf(items), expected);
    EXPECT_EQ(items.strings(), expected);
    while (!items.empty()) {
        items.erase(items.size() - 1);
    }
    items.push_back("again");
    EXPECT_EQ(itemsOf(items), std::vector<std::string>{"again"});
}

}  // namespace
