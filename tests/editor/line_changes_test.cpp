#include "editor/line_changes.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

std::vector<int> lines(LineChanges& c, int lineCount, std::vector<bool>* byUser = nullptr) {
    std::vector<int> out;
    for (const auto& l : c.take(lineCount)) {
        out.push_back(l.line);
        if (byUser) byUser->push_back(l.byUser);
    }
    return out;
}

TEST(LineChanges, RangesFollowInsertedAndRemovedLines) {
    LineChanges c;
    c.markLines(5, 5, true);
    c.inserted(2, 3, true);  // lines 3..5 are new; old line 5 is now 8
    EXPECT_EQ(lines(c, 100), (std::vector<int>{2, 3, 4, 5, 8}));

    c.markLines(10, 10, true);
    c.removed(3, 4, true);  // old lines 4..7 merge into 3; 10 becomes 6
    EXPECT_EQ(lines(c, 100), (std::vector<int>{3, 6}));

    c.markLines(4, 6, true);
    c.removed(2, 5, true);  // everything from 3 to 7 collapses into 2
    EXPECT_EQ(lines(c, 100), (std::vector<int>{2}));
    EXPECT_TRUE(c.empty());
}

TEST(LineChanges, UserEditsWinOverUndo) {
    LineChanges c;
    c.markLines(0, 4, false);
    c.markLines(2, 2, true);
    c.markLines(7, 8, false);
    std::vector<bool> byUser;
    EXPECT_EQ(lines(c, 8, &byUser), (std::vector<int>{0, 1, 2, 3, 4, 7}));  // clipped at 8 lines
    EXPECT_EQ(byUser, (std::vector<bool>{false, false, true, false, false, false}));
}

TEST(LineChanges, EraseSplitsARange) {
    LineChanges c;
    c.markLines(1, 3, true);
    EXPECT_TRUE(c.contains(2));
    c.erase(2);
    EXPECT_FALSE(c.contains(2));
    EXPECT_EQ(lines(c, 10), (std::vector<int>{1, 3}));
}

}  // namespace
}  // namespace quillet
