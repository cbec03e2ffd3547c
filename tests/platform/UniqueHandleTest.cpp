// The owner of a system handle: each handle it takes is closed once, by
// whoever holds it last, and values that are no handle are never closed.
#include "platform/UniqueHandle.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<int> closed;

struct CountedTraits
{
    using Handle = int;
    static constexpr int None() { return -1; }
    static constexpr bool Valid(int handle) { return handle >= 0; }
    static void Close(int handle) { closed.push_back(handle); }
};
using Owned = platform::UniqueHandle<CountedTraits>;

TEST(UniqueHandle, ClosesEachHandleOnceWhereverItWasMovedAndNeverANonHandle)
{
    closed.clear();
    {
        Owned none(-7);
        EXPECT_EQ(none.get(), -1);
        Owned first(3);
        Owned second(std::move(first));
        EXPECT_EQ(first.get(), -1);
        EXPECT_EQ(second.get(), 3);
        Owned third(5);
        third = std::move(second); // 5 closes here
        EXPECT_EQ(closed, std::vector<int>{5});
        Owned given(8);
        EXPECT_EQ(given.Release(), 8); // given up, not closed
        Owned early(9);
        early.Close();
        early.Close();
    }
    EXPECT_EQ(closed, (std::vector<int>{5, 9, 3}));
}

} // namespace
