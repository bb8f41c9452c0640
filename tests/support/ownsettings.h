#pragma once

#include <QByteArray>
#include <QTemporaryDir>

// Tests never read or write the real user's settings: the configuration folder
// of the test process is a fresh empty one, removed at the end.
class OwnSettingsFolder {
public:
    OwnSettingsFolder() { qputenv("XDG_CONFIG_HOME", folder_.path().toLocal8Bit()); }

private:
    QTemporaryDir folder_;
};
