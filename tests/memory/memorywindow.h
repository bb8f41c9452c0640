#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <map>
#include <memory>

#include "core/intconv.h"
#include "core/timer.h"
#include "memfiles/printers.h"
#include "memory/download.h"
#include "memory/filechooser.h"
#include "memory/freqedit.h"
#include "memory/memedit.h"
#include "memory/memopen.h"
#include "memory/memoryform.h"
#include "memory/memorygrid.h"
#include "memory/memorymodel.h"
#include "memory/radiogroup.h"
#include "memory/singledialog.h"
#include "memory/upload.h"
#include "support/memorydialogs.h"
#include "support/modalrecorder.h"
#include "widgets/ledlittle.h"
#include "widgets/mdichild.h"

// The panel's side of the memory window, as the radio panels do it: requests
// are recorded, and memories are handed back when the test says the radio has
// answered.
struct FakePanel {
    struct Set {
        bool s;
        bool w;
        int n;
        QString f, m, o;
        bool operator==(const Set&) const = default;
    };

    TMemoryFORM* form = nullptr;
    std::vector<Set> sets;
    std::vector<int> gets;
    std::map<int, std::pair<QString, QString>> radio;  // memory -> frequency, mode
    int throwOnSet = -1;                               // throws on this request (0-based)
    int throwOnGet = -1;
    // The radio works through each memory before the next is handed over.
    bool busyOffOnSet = false;
    // Requests and transfer ends in the order they came: "set 3", "get 2", "end".
    QStringList log;

    void bind(TMemoryFORM* f)
    {
        form = f;
        f->OnSetMem.bind(this, &FakePanel::MemorySetRequest);
        f->OnGetMem.bind(this, &FakePanel::MemoryGetRequest);
        f->OnTransferEnd.bind([this] { log << QStringLiteral("end"); });
    }

    void MemorySetRequest(bool s, bool w, int n, const QString& f, const QString& m, const QString& o)
    {
        sets.push_back({s, w, n, f, m, o});
        log << QStringLiteral("set %1").arg(n);
        if (int(sets.size()) - 1 == throwOnSet)
            throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(f));
        if (busyOffOnSet)
            form->BusyOff();
    }

    void MemoryGetRequest(int n)
    {
        gets.push_back(n);
        log << QStringLiteral("get %1").arg(n);
        if (int(gets.size()) - 1 == throwOnGet)
            throw EConvertError(QStringLiteral("'' is not a valid integer value"));
    }

    // The engine has read the memory last asked for.
    void answer()
    {
        const auto it = radio.find(gets.back());
        if (it == radio.end())
            form->StoreMem(QStringLiteral("BLANK"), QString(), QString());
        else
            form->StoreMem(it->second.first, it->second.second, QString());
    }
};

class MemoryWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        MemFileChooser::setChooser(
            [this](QWidget*, MemFileChooser::Purpose purpose, const QString& previous) {
                asked.push_back({purpose, previous});
                return chosen;
            });
        panel.bind(form.get());
    }

    void TearDown() override { MemFileChooser::setChooser({}); }

    // The operator fills the Upload or Download dialog and presses OK (or Cancel).
    template <class Dialog>
    void answerRange(const QString& start, const QString& ending, const QString& to, bool ok = true)
    {
        modal.onDialog = [=](QDialog& shown) {
            EXPECT_NE(qobject_cast<Dialog*>(&shown), nullptr);
            const RangeFields dialog(shown);
            const QSignalBlocker a(dialog.start), b(dialog.ending), c(dialog.count);
            dialog.start->setText(start);
            dialog.ending->setText(ending);
            dialog.count->setText("1");
            dialog.target->setText(to);
            (ok ? dialog.ok : dialog.cancel)->click();
            return shown.result();
        };
    }
    void answerUpload(const QString& start, const QString& ending, const QString& to, bool ok = true)
    {
        answerRange<TUploadFORM>(start, ending, to, ok);
    }
    void answerDownload(const QString& start, const QString& ending, const QString& to, bool ok = true)
    {
        answerRange<TDownloadFORM>(start, ending, to, ok);
    }

    void answerEdit(const QString& digits, int mode, int duplex, const QString& desc, bool ok = true)
    {
        modal.onDialog = [=](QDialog& shown) {
            EXPECT_NE(qobject_cast<TMemEditFORM*>(&shown), nullptr);
            const EditFields edit(shown);
            if (!digits.isNull()) {
                edit.freq->setMaskedText(QString());
                QTest::keyClicks(edit.freq, digits);
            }
            if (mode >= 0)
                edit.mode->setItemIndex(mode);
            if (duplex >= 0)
                edit.duplex->setItemIndex(duplex);
            if (!desc.isNull())
                edit.desc->setText(desc);
            (ok ? edit.ok : edit.cancel)->click();
            return shown.result();
        };
    }

    // The operator writes the current row into radio memory n with Write Memory.
    void answerSingleWrite(const QString& n)
    {
        modal.onDialog = [=](QDialog& shown) {
            EXPECT_NE(qobject_cast<TSingleUpload*>(&shown), nullptr);
            const SingleWriteFields single(shown);
            single.radioMemory->setText(n);
            single.ok->click();
            return shown.result();
        };
    }

    // The window's parts, found as a test finds them.
    MemoryGrid* grid() const { return form->findChild<MemoryGrid*>(); }
    TLedLittle* lamp() const { return form->findChild<TLedLittle*>(QStringLiteral("BusyLed")); }
    // The count of memories shown above the grid.
    QString shownCount() const { return form->findChild<QLineEdit*>(QStringLiteral("ENum"))->text(); }
    QPushButton* button(const char* name) const { return form->findChild<QPushButton*>(QLatin1String(name)); }
    QAction* action(const char* name) const { return form->findChild<QAction*>(QLatin1String(name)); }
    // The Reading Memory window, once a load has made it.
    TMemOpenFORM* progress() const { return form->findChild<TMemOpenFORM*>(); }

    QString channels() const
    {
        QStringList list;
        for (int i = 1; i <= form->NumofMemories(); ++i)
            list << form->Channel(i).Description;
        return list.join(QLatin1Char('|'));
    }

    QString writeFile(const char* name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(QLatin1String(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    QByteArray readFile(const QString& path)
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        return f.readAll();
    }

    // Records with descriptions a, b, c ... loaded from a file.
    void load(const QByteArray& bytes)
    {
        chosen = writeFile("load.mem", bytes);
        form->BLoadClick();
    }

    FakeClock clock;
    ModalRecorder modal;
    std::unique_ptr<TMemoryFORM> form = std::make_unique<TMemoryFORM>();
    FakePanel panel;
    QTemporaryDir dir;
    QString chosen;
    std::vector<std::pair<MemFileChooser::Purpose, QString>> asked;
};

inline const QByteArray fiveRows =
    "145.500.000,FM,MINUS,a\r\n"
    "146.520.000,FM,NONE,b\r\n"
    "014.195.000,USB,NONE,c\r\n"
    "007.030.000,CWN,,d\r\n"
    "BLANK,,,e\r\n";
