#include <gtest/gtest.h>

#include <QApplication>

#include "support/ownsettings.h"

int main(int argc, char** argv)
{
    const OwnSettingsFolder settings;
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery and CI run without a display.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
