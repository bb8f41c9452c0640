#pragma once

// The whole program's tests reach the simulator on a free local port through a
// TCP/IP device added and connected as an operator does it.

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "core/device.h"
#include "devices/device_tcpip.h"
#include "devices/tcpipwindow.h"
#include "shell/mainform.h"
#include "sim/simulator.h"
#include "sim/tcprelay.h"
#include "support/findpart.h"
#include "support/freeport.h"
#include "support/waitfor.h"

// Adds a TCP/IP device through Add Device (the test's New Device answer names it)
// and connects it to the relay at port on this machine.
inline void connectRelay(TMainFORM& frame, quint16 port, Tdevice_tcpip** added = nullptr)
{
    frame.command(TMainFORM::Command::AddDevice)->trigger();
    auto* device = dynamic_cast<Tdevice_tcpip*>(DeviceList->at(DeviceList->count() - 1));
    ASSERT_NE(device, nullptr);
    part<QLineEdit>(device->window(), "hostName")->setText("127.0.0.1");
    part<QLineEdit>(device->window(), "port")->setText(QString::number(port));
    part<QPushButton>(device->window(), "connect")->click();
    ASSERT_TRUE(waitFor([&] { return device->window()->isConnected(); }, 10000));
    if (added)
        *added = device;
}

// The simulator with options' radios (the default bus when none), on TCP only.
inline std::unique_ptr<Simulator> startRelaySimulator(SimOptions options = {})
{
    options.tcpPort = freeLocalPort();
    options.pty = false;
    options.stdinControl = false;
    auto sim = std::make_unique<Simulator>(options);
    QString error;
    EXPECT_TRUE(sim->start(&error)) << qPrintable(error);
    return sim;
}
