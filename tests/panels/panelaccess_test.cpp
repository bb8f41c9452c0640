// The panels' places for the keyboard and assistive technology, on the offscreen
// platform with a fake radio and virtual time: each panel's accessible tree, Press
// doing what a click does, the display read out and told when it changes, keyboard
// tuning, the focus order and the focus ring.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <memory>
#include <numeric>
#include <tuple>

#include "civ/codec.h"
#include "memory/freqedit.h"
#include "panelbench.h"
#include "panels/hi_706.h"
#include "panels/hi_706mkii.h"
#include "panels/hi_756.h"
#include "panels/hi_821.h"
#include "panels/model706.h"
#include "panels/model756.h"
#include "panels/model821.h"
#include "panels/panelpicture.h"

namespace {

enum class Kind { Ic756, Ic821, Ic706, MkII };

QStringList steps(const char* prefix, int count)
{
    const char* all[] = {"10 MHz", "1 MHz", "100 kHz", "10 kHz", "1 kHz", "100 Hz", "10 Hz"};
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QString::fromLatin1(prefix) + QString::fromLatin1(all[i]);
    return out;
}

// Each model's tree: the display texts on a freshly opened panel, then the hot
// spots' names in number order.
struct ModelCase {
    Kind kind;
    const PanelLayout& model;
    QStringList displays;
    QStringList names;
    int sending;  // keys whose press sends frames on a fresh panel
};

const std::vector<ModelCase>& cases()
{
    static const QStringList keys706 = QStringList{"Tune down", "Tune up", "UP", "DN", "MODE", "TS", "FUNC"} +
                                       steps("Step ", 7) + QStringList{"F-1", "F-2", "F-3"};
    static const std::vector<ModelCase> all = {
        {Kind::Ic756,
         Model756::model(),
         {"Main 14.195.000 USB, VFO", "Sub 7.050.000 LSB, VFO"},
         QStringList{"Tune down", "Tune up", "SSB", "CW", "RTTY", "AM", "FM", "ANT", "SPLIT", "DUAL",
                     "CHANGE", "V/M", "MAIN", "UP", "DN", "MW", "M-CL", "TS"} +
             steps("Main step ", 7) + steps("Sub step ", 7) +
             QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"},
         42 - 15},
        {Kind::Ic821,
         Model821::model(),
         {"Main 145.500.000 USB, VFO A", "Sub 435.100.000 FM, VFO A"},
         QStringList{"M/S", "SUB", "FM", "SSB", "FUNC", "VFO", "MEMO", "MW", "TS", "SCAN", "DN", "UP",
                     "Tune down", "Tune up"} +
             steps("Main step ", 6) + steps("Sub step ", 6),
         26 - 14},
        {Kind::Ic706, Model706::model(), {"14.195.000 LSB, VFO A"}, keys706, 17 - 9},
        {Kind::MkII,
         Model706::modelMkII(),
         {"14.195.000 LSB, VFO A"},
         QStringList(keys706)
                 .replaceInStrings(QRegularExpression("^UP$"), "BAND UP")
                 .replaceInStrings(QRegularExpression("^DN$"), "BAND DN") +
             QStringList{"Memory channel up", "Memory channel down"},
         19 - 9},
    };
    return all;
}

class PanelAccessBench : public PanelBench<GraphicalPanel> {
protected:
    GraphicalPanel* open(Kind kind)
    {
        radio->reset();
        radio->address = kind == Kind::Ic756 ? 0x50 : kind == Kind::Ic821 ? 0x4C : 0x48;
        radio->modeTable =
            kind == Kind::Ic706 || kind == Kind::MkII ? civ::ModeTable::Ic706 : civ::ModeTable::Base;
        if (kind == Kind::Ic821) {
            radio->freq[0] = QStringLiteral("145.500.000");
            radio->freq[1] = QStringLiteral("435.100.000");
            radio->mode[1] = civ::Mode::Fm;
        }
        const QString bin = QStringLiteral(TSLN_BIN_DIR "/");
        switch (kind) {
        case Kind::Ic756:
            panels.push_back(std::make_unique<THi_756FORM>(devices, nullptr, bin + "PV756.dll"));
            break;
        case Kind::Ic821:
            panels.push_back(std::make_unique<THi_821FORM>(devices, nullptr, bin + "PV821.dll"));
            break;
        case Kind::Ic706:
            panels.push_back(std::make_unique<THi_706FORM>(devices, nullptr, bin + "PV706.dll"));
            break;
        case Kind::MkII:
            panels.push_back(std::make_unique<THi_706MKIIFORM>(devices, nullptr, bin + "PV706MKII.dll"));
            break;
        }
        runFor(clock, *radio, 3000);
        return panels.back().get();
    }
    static QAccessibleInterface* tree(GraphicalPanel* p)
    {
        return QAccessible::queryAccessibleInterface(p->controls().IRadio);
    }
    // The child of hot spot n.
    static QAccessibleInterface* key(GraphicalPanel* p, int n)
    {
        return tree(p)->child((p->layout().dualBand ? 2 : 1) + n - 1);
    }
    static QString description(GraphicalPanel* p, int n) { return key(p, n)->text(QAccessible::Description); }
    void clickSpot(GraphicalPanel* p, int n)
    {
        click(p, centreOf(p->layout().spot(n)));
        runFor(clock, *radio, 3000);
    }
    // What the picture told of changed places since listen: (index, name, description).
    void listen(GraphicalPanel* p)
    {
        told.clear();
        QObject::connect(
            p->controls().IRadio, &PanelPicture::keyTextChanged,
            [this](int i, bool name, bool description) { told.emplace_back(i, name, description); });
    }
    bool wasTold(int index, bool name) const
    {
        return std::any_of(told.begin(), told.end(), [&](const auto& t) {
            return std::get<0>(t) == index && (name ? std::get<1>(t) : std::get<2>(t));
        });
    }
    std::vector<std::tuple<int, bool, bool>> told;
};

TEST_F(PanelAccessBench, EachPanelShowsItsDisplayTextsThenEveryHotSpotAsAButton)
{
    for (const ModelCase& c : cases()) {
        GraphicalPanel* p = open(c.kind);
        PanelPicture* picture = p->controls().IRadio;
        QAccessibleInterface* t = tree(p);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->role(), QAccessible::Grouping);
        EXPECT_EQ(t->text(QAccessible::Name), QString::fromLatin1(c.model.rangeName) + " front panel");
        const int bands = static_cast<int>(c.displays.size());
        ASSERT_EQ(t->childCount(), bands + c.names.size()) << c.model.rangeName;
        ASSERT_EQ(static_cast<int>(c.model.hotSpots.size()), c.names.size());
        for (int i = 0; i < t->childCount(); ++i) {
            QAccessibleInterface* k = t->child(i);
            ASSERT_NE(k, nullptr);
            EXPECT_EQ(t->indexOfChild(k), i);
            EXPECT_EQ(k->parent(), t);
            if (i < bands) {
                EXPECT_EQ(k->text(QAccessible::Name), c.displays[i]);
                EXPECT_EQ(k->role(), QAccessible::StaticText);
                EXPECT_EQ(k->actionInterface(), nullptr);
                continue;
            }
            const QRect spot = c.model.spot(i - bands + 1).area();
            EXPECT_EQ(k->text(QAccessible::Name), c.names[i - bands]) << c.model.rangeName << " " << i;
            EXPECT_EQ(k->role(), QAccessible::PushButton);
            EXPECT_EQ(k->rect(), QRect(picture->mapToGlobal(spot.topLeft()), spot.size()));
            EXPECT_EQ(t->childAt(k->rect().center().x(), k->rect().center().y()), k) << i;
            ASSERT_NE(k->actionInterface(), nullptr);
            EXPECT_EQ(k->actionInterface()->actionNames(),
                      QStringList{QAccessibleActionInterface::pressAction()});
            EXPECT_FALSE(k->text(QAccessible::Description).isEmpty()) << i;
        }
        panels.clear();
    }
}

// What a press changes that can be seen: the frames, the picture, the state.
struct Outcome {
    std::vector<QByteArray> frames;
    QImage picture;
    QString mainText, subText;
    qint64 mainStep, subStep;
    bool subSelected;
    bool operator==(const Outcome&) const = default;
};

TEST_F(PanelAccessBench, EveryPressActionDoesWhatAClickAtTheKeysCentreDoes)
{
    for (const ModelCase& c : cases()) {
        int sending = 0;
        for (int n = 1; n <= c.names.size(); ++n) {
            Outcome outcome[2];
            for (int way = 0; way < 2; ++way) {
                GraphicalPanel* p = open(c.kind);
                radio->sent.clear();
                if (way == 0) {
                    clickSpot(p, n);
                } else {
                    key(p, n)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                    QCoreApplication::processEvents();
                    runFor(clock, *radio, 3000);
                }
                const PanelState& v = p->view();
                outcome[way] = {radio->sent,  p->controls().IRadio->canvas(),
                                v.mainText,   v.subText,
                                v.mainStep,   v.subStep,
                                v.subSelected};
                panels.clear();
            }
            EXPECT_EQ(outcome[1].frames, outcome[0].frames) << c.model.rangeName << " hot spot " << n;
            EXPECT_TRUE(outcome[1] == outcome[0]) << c.model.rangeName << " hot spot " << n;
            sending += !outcome[0].frames.empty();
        }
        // TS, the digits and FUNC send nothing.
        EXPECT_EQ(sending, c.sending) << c.model.rangeName;
    }
    EXPECT_TRUE(modal.boxes.empty()) << modal.texts().join('\n').toStdString();
}

TEST_F(PanelAccessBench, DescriptionsSayWhatAKeyDoesNowAndAreToldWhenThatChanges)
{
    GraphicalPanel* p = open(Kind::Ic756);
    listen(p);
    EXPECT_EQ(description(p, Model756::Keypad1), "1 (1.8 MHz): tunes the main band to 1.850 MHz.");
    EXPECT_EQ(description(p, Model756::KnobUp), "Tunes the main band up by one step of 10 Hz.");
    clickSpot(p, Model756::MAIN);
    clickSpot(p, Model756::TS);
    EXPECT_EQ(description(p, Model756::KnobUp), "Tunes the sub band up by one step of 100 Hz.");
    EXPECT_TRUE(wasTold(2 + Model756::KnobUp - 1, false));
    EXPECT_EQ(description(p, Model756::SubDigit10MHz + 6),
              "Sets the sub band's tuning step to 10 Hz; it is 100 Hz.");

    // The IC-706's function set, the IC-821's FUNC and its time-out.
    p = open(Kind::Ic706);
    EXPECT_EQ(description(p, Model706::F2), "Switches between VFO A and VFO B (M1).");
    listen(p);
    clickSpot(p, Model706::FunctionSet);
    EXPECT_EQ(description(p, Model706::F2), "Clears the memory channel (M2).");
    EXPECT_EQ(description(p, Model706::FunctionSet),
              "Selects function set M3 for F-1 to F-3; M2 is selected.");
    EXPECT_TRUE(wasTold(1 + Model706::F2 - 1, false));
    EXPECT_FALSE(wasTold(1 + Model706::MODE - 1, false));

    p = open(Kind::Ic821);
    EXPECT_EQ(description(p, Model821::MW), "Writes the main band into its memory channel.");
    clickSpot(p, Model821::FUNC);
    EXPECT_EQ(description(p, Model821::MW), "Clears the memory channel (FUNC).");
    EXPECT_EQ(description(p, Model821::FM), "Steps the duplex shift: off, minus, plus (FUNC).");
    runFor(clock, *radio, Model821::FuncTimeOut);
    EXPECT_EQ(description(p, Model821::MW), "Writes the main band into its memory channel.");
}

TEST_F(PanelAccessBench, TheDisplayIsReadAndToldWhenTheRadioChanges)
{
    const struct {
        Kind kind;
        int band;
        QString freq;
        int mode;
        QString text;
    } rows[] = {
        {Kind::Ic756, 0, "021.250.000", civ::Mode::Cw, "Main 21.250.000 CW, VFO"},
        {Kind::Ic821, 0, "145.800.000", civ::Mode::Fm, "Main 145.800.000 FM, VFO A"},
        {Kind::Ic706, 0, "007.074.000", civ::Mode::Lsb, "7.074.000 LSB, VFO A"},
    };
    for (const auto& r : rows) {
        GraphicalPanel* p = open(r.kind);
        const QString other = p->layout().dualBand ? tree(p)->child(1)->text(QAccessible::Name) : QString();
        // Turned at the radio, read with Refresh.
        radio->freq[r.band] = r.freq;
        radio->mode[r.band] = r.mode;
        listen(p);
        p->controls().BUpdate->click();
        runFor(clock, *radio, 3000);
        EXPECT_EQ(tree(p)->child(0)->text(QAccessible::Name), r.text);
        EXPECT_TRUE(wasTold(0, true)) << r.text.toStdString();
        if (p->layout().dualBand) {
            EXPECT_EQ(tree(p)->child(1)->text(QAccessible::Name), other);
            EXPECT_FALSE(wasTold(1, true));
        }
    }
    // A memory channel and a blank one.
    GraphicalPanel* p = open(Kind::Ic756);
    radio->blankMemories = true;
    clickSpot(p, Model756::VFOMemo);
    EXPECT_EQ(tree(p)->child(0)->text(QAccessible::Name), "Main blank, memory 1");
}

TEST_F(PanelAccessBench, TheKeyboardTunesWalksTheKeysInOrderAndPressesTheOneUnderTheRing)
{
    using namespace civ::encode;
    GraphicalPanel* p = open(Kind::Ic756);
    PanelPicture* picture = p->controls().IRadio;
    p->show();
    p->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(p));
    // The panel opens in the typed-frequency field; Tab goes on to the picture.
    ASSERT_EQ(QApplication::focusWidget(), p->controls().EFreq);
    QTest::keyClick(p->controls().EFreq, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), picture);
    radio->sent.clear();
    QTest::keyClick(picture, Qt::Key_Up);
    QTest::keyClick(picture, Qt::Key_PageDown);
    runFor(clock, *radio, 3000);
    std::vector<QByteArray> want = {civ::frame(0x50, 0xE0, freq(QStringLiteral("014.195.010")))};
    for (int hz = 14195000; hz >= 14194910; hz -= 10)
        want.push_back(
            civ::frame(0x50, 0xE0, freq(QString::asprintf("014.%03d.%03d", hz / 1000 % 1000, hz % 1000))));
    EXPECT_EQ(radio->sent, want);
    EXPECT_EQ(tree(p)->child(0)->text(QAccessible::Name), "Main 14.194.910 USB, VFO");

    // Tab visits the display texts and every key in order, then leaves for Dial
    // Main; Shift+Tab comes back to the last key.
    std::vector<int> visited{picture->focusedKey()};
    while (QApplication::focusWidget() == picture && visited.size() < 100) {
        QTest::keyClick(picture, Qt::Key_Tab);
        if (QApplication::focusWidget() == picture)
            visited.push_back(picture->focusedKey());
    }
    std::vector<int> order(2 + Model756::SpotCount);
    std::iota(order.begin(), order.end(), 0);
    EXPECT_EQ(visited, order);
    EXPECT_EQ(QApplication::focusWidget(), p->controls().BMainDial);
    QTest::keyClick(p->controls().BMainDial, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), picture);
    EXPECT_EQ(picture->focusedKey(), 1 + Model756::Keypad0);
    EXPECT_TRUE(tree(p)->child(1 + Model756::Keypad0)->state().focused);
    EXPECT_EQ(tree(p)->focusChild(), tree(p)->child(1 + Model756::Keypad0));

    // The ring is drawn round the key; Space presses it, as a click would.
    const QRect area = Model756::model().spot(Model756::Keypad0).area();
    QImage shown = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixelColor(area.topLeft() - QPoint(3, 3)), QColor(Qt::yellow));
    radio->sent.clear();
    QTest::keyClick(picture, Qt::Key_Space);
    runFor(clock, *radio, 3000);
    EXPECT_EQ(radio->sent, framesTo(0x50, {freq(QStringLiteral("050.100.000")), readFreq(), readMode()}));

    // A click hides the ring; the picture is then exactly the panel's canvas.
    QTest::mouseClick(picture, Qt::LeftButton, {}, centreOf(Model756::model().spot(Model756::SPLIT)));
    runFor(clock, *radio, 3000);
    shown = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_FALSE(picture->focusRingShown());
    EXPECT_EQ(shown, picture->canvas().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(picture->focusedKey(), 1 + Model756::SPLIT);
}

}  // namespace
