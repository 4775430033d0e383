// The simulated panel's tap: a raise or lower written to 4/3 moves the position in 9/1 one step,
// never past -16 or 16.
#include <gtest/gtest.h>

#include "sim/panel_registers.h"

namespace {

TEST(SimulatedTap, RaiseAndLowerMoveOneStepWithinTheRange) {
    struct Row {
        int before;
        std::uint16_t command;
        int after;
    };
    constexpr Row kTable[] = {{3, 1, 4},     {3, 0xFFFF, 2},  {16, 1, 16}, {-16, 0xFFFF, -16},
                              {-16, 1, -15}, {0, 0xFFFF, -1}, {5, 7, 5}};
    sim::PanelRegisters r;
    for (const Row& row : kTable) {
        r.Set(9, 1, static_cast<std::uint16_t>(row.before));
        r.Write(4, 3, {row.command});
        EXPECT_EQ(static_cast<std::int16_t>(r.Get(9, 1)), row.after) << row.before;
        EXPECT_EQ(r.Get(4, 3), 0);
    }
    r.Write(2, 42, {1});
    EXPECT_EQ(r.Get(2, 42), 1);
}

}  // namespace
