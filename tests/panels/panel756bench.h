#pragma once

// The IC-756 panel on the offscreen platform, driven through its picture and
// buttons, with a fake radio behind a device and virtual time.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QWheelEvent>
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
#include "panelbench.h"
#include "panels/artlibrary.h"
#include "panels/hi_756.h"
#include "panels/model756.h"
#include "panels/panelart.h"
#include "panels/panelpicture.h"
#include "support/fakeradio.h"
#include "support/imagediff.h"
#include "support/memorydialogs.h"
#include "support/modalrecorder.h"
#include "widgets/ledlittle.h"
#include "widgets/mdichild.h"

const QString ArtPath = QStringLiteral(TSLN_BIN_DIR "/PV756.dll");
inline const PanelLayout& M = Model756::model();

inline QByteArray frameOf(const QByteArray& body) { return civ::frame(0x50, 0xE0, body); }

inline std::vector<QByteArray> framesOf(std::initializer_list<QByteArray> bodies)
{
    return framesTo(0x50, bodies);
}

class Panel756 : public PanelBench<THi_756FORM> {
protected:
    THi_756FORM* open(const QString& path = ArtPath)
    {
        panels.push_back(std::make_unique<THi_756FORM>(devices, nullptr, path));
        runFor(clock, *radio, 3000);
        return panels.back().get();
    }
    static QPoint centre(int n) { return centreOf(M.spot(n)); }
};
