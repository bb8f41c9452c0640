#pragma once

// The IC-706 and IC-706MKII panels on the offscreen platform, driven through their
// pictures and buttons, with a fake radio behind a device and virtual time.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "civ/codec.h"
#include "civ/models.h"
#include "core/freqtext.h"
#include "devices/deviceselectdialog.h"
#include "memory/download.h"
#include "memory/freqedit.h"
#include "memory/memoryform.h"
#include "panelbench.h"
#include "panels/artlibrary.h"
#include "panels/hi_706.h"
#include "panels/hi_706mkii.h"
#include "panels/model706.h"
#include "panels/panelart.h"
#include "panels/panelcodes.h"
#include "panels/panelpicture.h"
#include "support/fakeradio.h"
#include "support/memorydialogs.h"
#include "support/modalrecorder.h"
#include "widgets/mdichild.h"

using namespace civ::encode;
using civ::Mode::Number;
namespace Mode = civ::Mode;

const QString Art706 = QStringLiteral(TSLN_BIN_DIR "/PV706.dll");
const QString ArtMkII = QStringLiteral(TSLN_BIN_DIR "/PV706MKII.dll");
inline const PanelLayout& M706 = Model706::model();
inline const PanelLayout& MMkII = Model706::modelMkII();

enum class Model { Ic706, MkII };

inline std::vector<QByteArray> framesOf(std::initializer_list<QByteArray> bodies)
{
    return framesTo(0x48, bodies);
}

inline QByteArray modeFrame(int m) { return mode(m, civ::ModeTable::Ic706); }

inline QPoint centre(int n)
{
    const HotSpot& h = MMkII.spot(n);  // the MKII's table holds the IC-706's first seventeen
    return {(h.left + h.right) / 2, (h.top + h.bottom) / 2};
}

// A picture of a model's art, as the panel draws it.
inline QImage art(Model m, const QString& name)
{
    static ArtLibrary library706(Art706);
    static ArtLibrary libraryMkII(ArtMkII);
    return (m == Model::MkII ? libraryMkII : library706)
        .fetch(name.toLatin1().constData())
        .convertToFormat(QImage::Format_RGB32);
}

inline bool shows(Model m, const QImage& image, QPoint at, const QString& name)
{
    const QImage want = art(m, name);
    return !want.isNull() && image.copy(QRect(at, want.size())).convertToFormat(QImage::Format_RGB32) == want;
}

class Panel706 : public PanelBench<THi_706FORM> {
protected:
    void SetUp() override
    {
        PanelBench::SetUp();
        setUpRadio();
    }
    void setUpRadio(const char* freq = "014.195.000", int m = Mode::Usb)
    {
        radio->reset();
        radio->address = 0x48;
        radio->modeTable = civ::ModeTable::Ic706;
        radio->freq[0] = QString::fromLatin1(freq);
        radio->mode[0] = m;
    }

    THi_706FORM* open(Model m = Model::Ic706, QWidget* owner = nullptr)
    {
        if (m == Model::MkII)
            panels.push_back(std::make_unique<THi_706MKIIFORM>(devices, owner, ArtMkII));
        else
            panels.push_back(std::make_unique<THi_706FORM>(devices, owner, Art706));
        runFor(clock, *radio, 3000);
        return panels.back().get();
    }
    // Opens a panel on a fresh radio and forgets what opening sent.
    THi_706FORM* fresh(Model m, const char* freq = "014.195.000", int mode = Mode::Usb)
    {
        panels.clear();
        setUpRadio(freq, mode);
        THi_706FORM* p = open(m);
        radio->sent.clear();
        return p;
    }
    using PanelBench::click;
    void click(THi_706FORM* p, int spot) { click(p, centre(spot)); }
    // Clicks, then lets the radio answer everything.
    void clickAndSettle(THi_706FORM* p, int spot)
    {
        click(p, spot);
        runFor(clock, *radio, 3000);
    }
};
