// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "link/CLayerFactory.h"
#include "link/CSerialLayer1.h"
#include "link/CStatusQueue.h"
#include "link/Vcom.h"
#include "link/VcomCodes.h"

namespace {

TEST(SerialLayerWinTest, ParametersNameTheLongFormOfTheComPort) {
    EXPECT_EQ(CSerialLayer1::DefaultDevicePath(3), "\\\\.\\COM3");
    EXPECT_EQ(CSerialLayer1::DefaultDevicePath(12), "\\\\.\\COM12");
    const auto settings = CSerialLayer1::ParseParameters("3 8 0 0 19200");
    EXPECT_EQ(settings.port, 3);
    EXPECT_EQ(settings.baudRate, 19200);
    EXPECT_EQ(CSerialLayer1::ParseParameters("3 8 0 0").baudRate, 9600);
}

TEST(SerialLayerWinTest, APortThatDoesNotExistFailsWithStatusOne) {
    CStatusQueue statuses;
    CSerialLayer1 line("1 8 0 0 19200", [](int) { return std::string("\\\\.\\COM250"); });
    line.SetQueues(&statuses, nullptr);
    EXPECT_EQ(line.Open(), -1);
    int code = -1;
    int parameter = -1;
    ASSERT_TRUE(statuses.Pop(code, parameter));
    EXPECT_EQ(code, kStatusSerialOpenFailed);
    EXPECT_EQ(parameter, 0);
    EXPECT_EQ(line.BytesWaiting(), 0);
    EXPECT_EQ(line.FreeTransmitSpace(), 0);
    uint8_t byte = 0;
    EXPECT_EQ(line.Read(&byte, 1), 0);
    EXPECT_EQ(line.Write(&byte, 1), 0);
}

TEST(SerialLayerWinTest, ConnectOnAMissingPortReturnsTheOpenFailure) {
    Vcom link(250);
    link.LayerFactory().SetPortResolver([](int) { return std::string("\\\\.\\COM250"); });
    EXPECT_EQ(link.Connect(0, nullptr, 0, "1 8 0 0 19200"), kVcomLayer1OpenFailed);
}

}  // namespace
