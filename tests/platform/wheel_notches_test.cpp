// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wheel_notches.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

struct WheelCase {
    const char* name;
    std::vector<int> deltas;
    std::vector<int> notches;  // one per delta
};

TEST(WheelNotches, DeltasAddUpToWholeNotches)
{
    const std::vector<WheelCase> cases = {
        {"mouse notches", {120, -120, 240}, {1, -1, 2}},
        {"touchpad: ten small deltas make one notch",
         {12, 12, 12, 12, 12, 12, 12, 12, 12, 12},
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
        {"the rest carries over", {100, 100, 30, 10}, {0, 1, 0, 1}},
        {"turning back drops the rest", {100, -100, -20}, {0, 0, -1}},
        {"a huge delta neither overflows nor loses its sign",
         {60, INT_MAX, INT_MIN},
         {0, INT_MAX / 120, INT_MIN / 120}},
    };
    for (const WheelCase& c : cases) {
        SCOPED_TRACE(c.name);
        CWheelNotches wheel;
        std::vector<int> got;
        for (int delta : c.deltas)
            got.push_back(wheel.Add(delta));
        EXPECT_EQ(got, c.notches);
    }
}

}  // namespace
