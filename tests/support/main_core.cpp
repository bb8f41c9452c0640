#include <gtest/gtest.h>

#include <QCoreApplication>

#include "support/ownsettings.h"

int main(int argc, char** argv)
{
    const OwnSettingsFolder settings;
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
