#pragma once

#include <gtest/gtest.h>

#include <QPoint>
#include <QTest>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "devices/deviceselectdialog.h"
#include "panels/panelmodel.h"
#include "panels/panelpicture.h"
#include "support/fakeradio.h"
#include "support/modalrecorder.h"

// What the offscreen tests of the graphical panels share: a fake radio as the only
// device, Device Select answered (OK unless selectAnswer says otherwise, the
// address it offered kept), every box recorded, virtual time, and the mouse on the
// panel picture. Form is the panel class the test opens.
template <class Form>
class PanelBench : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = std::exchange(DeviceList, &devices);
        radio = static_cast<FakeRadio*>(devices.append(std::make_unique<FakeRadio>()));
        modal.onDialog = [this](QDialog& dialog) {
            auto* select = qobject_cast<TDSelFORM*>(&dialog);
            if (otherDialog && !select)
                return otherDialog(dialog);
            EXPECT_NE(select, nullptr);
            if (!select)
                return int(Modal::Cancel);
            offeredAddress = select->addressText();
            select->FormActivate();
            if (onSelect)
                onSelect(*select);
            return selectAnswer;
        };
    }
    void TearDown() override
    {
        panels.clear();
        DeviceList = previous;
    }

    void press(Form* p, QPoint at) { QTest::mousePress(p->controls().IRadio, Qt::LeftButton, {}, at); }
    void release(Form* p, QPoint at) { QTest::mouseRelease(p->controls().IRadio, Qt::LeftButton, {}, at); }
    void click(Form* p, QPoint at)
    {
        press(p, at);
        release(p, at);
    }
    static QPoint centreOf(const HotSpot& h) { return {(h.left + h.right) / 2, (h.top + h.bottom) / 2}; }

    ModalRecorder modal;
    FakeClock clock;
    int selectAnswer = Modal::Ok;
    // Changes Device Select's fields before it is answered.
    std::function<void(TDSelFORM&)> onSelect;
    // Answers the dialogs other than Device Select.
    std::function<int(QDialog&)> otherDialog;
    QString offeredAddress;
    TDeviceList devices;
    TDeviceList* previous = nullptr;
    FakeRadio* radio = nullptr;
    std::vector<std::unique_ptr<Form>> panels;
};
