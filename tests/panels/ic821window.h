#pragma once

// The IC-821 window of standard controls on the offscreen platform, with a fake
// radio behind a device and virtual time.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTest>
#include <algorithm>
#include <memory>

#include "civ/codec.h"
#include "civ/models.h"
#include "devices/deviceselectdialog.h"
#include "memory/download.h"
#include "memory/freqedit.h"
#include "memory/memoryform.h"
#include "memory/memorygrid.h"
#include "memory/memorymodel.h"
#include "memory/upload.h"
#include "panels/ic821.h"
#include "support/fakeradio.h"
#include "support/memorydialogs.h"
#include "support/modalrecorder.h"
#include "widgets/ledlittle.h"
#include "widgets/menumerge.h"
#include "widgets/updown.h"

using Frames = std::vector<QByteArray>;
namespace enc = civ::encode;

inline QByteArray mode(int m) { return enc::mode(m, civ::ModeTable::Base); }

// The read of both bands: sub frequency and mode, then main frequency and mode.
inline Frames readBoth(bool subSelected = false)
{
    Frames f;
    if (!subSelected)
        f.push_back(enc::band(1));
    for (const QByteArray& b :
         {enc::readFreq(), enc::readMode(), enc::band(0), enc::readFreq(), enc::readMode()})
        f.push_back(b);
    return f;
}

inline Frames operator+(Frames a, const Frames& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class Ic821 : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = std::exchange(DeviceList, &devices);
        radio = static_cast<FakeRadio*>(devices.append(std::make_unique<FakeRadio>()));
        radio->address = 0x4C;
        modal.onDialog = [this](QDialog& dialog) {
            if (auto* select = qobject_cast<TDSelFORM*>(&dialog)) {
                select->FormActivate();
                addressNeeded = select->addressUsed();
                offeredAddress = select->addressText();
                return selectAnswer;
            }
            if (qobject_cast<TUploadFORM*>(&dialog) || qobject_cast<TDownloadFORM*>(&dialog)) {
                RangeFields(dialog).fill(1, range, 1);
            }
            return int(Modal::Ok);
        };
    }
    void TearDown() override
    {
        window.reset();
        DeviceList = previous;
    }

    TIC821FORM* open()
    {
        window = std::make_unique<TIC821FORM>(devices, nullptr);
        run();
        return window.get();
    }
    void run(int ms = 6000) { runFor(clock, *radio, ms); }
    // Runs what the window queued and gives the frames it sent since the last call.
    Frames sent(int ms = 6000)
    {
        run(ms);
        Frames f = radio->commands();
        radio->sent.clear();
        return f;
    }
    static void pick(QGroupBox* group, int index)
    {
        group->findChild<QButtonGroup*>()->button(index)->click();
    }

    ModalRecorder modal;
    FakeClock clock;
    int selectAnswer = Modal::Ok;
    bool addressNeeded = true;
    QString offeredAddress = QStringLiteral("none asked");
    int range = 3;
    TDeviceList devices;
    TDeviceList* previous = nullptr;
    FakeRadio* radio = nullptr;
    std::unique_ptr<TIC821FORM> window;
};
