#include "serial/port_name.h"

#include <gtest/gtest.h>

TEST(PortNames, WindowsDeviceNamesSwitchToTheLongFormFromPortTen) {
    EXPECT_EQ(ComDeviceName(1), "COM1");
    EXPECT_EQ(ComDeviceName(9), "COM9");
    EXPECT_EQ(ComDeviceName(10), "\\\\.\\COM10");
    EXPECT_EQ(ComDeviceName(255), "\\\\.\\COM255");
}
