// The program's application object, in a process of its own: its notify() is the
// one every event goes through.
#include "shell/application.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

#include "core/intconv.h"
#include "support/modalrecorder.h"

namespace {

class Thrower : public QObject {
public:
    int handled = 0;
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User) {
            ++handled;
            strToInt(QStringLiteral("abc"));
        }
        return QObject::event(e);
    }
};

TEST(Application, ExceptionFromAHandlerIsShownAndTheProgramGoesOn)
{
    ASSERT_NE(qobject_cast<TApplication*>(QCoreApplication::instance()), nullptr);
    ModalRecorder modal;
    Thrower thrower;

    // Delivered directly and through the event loop: each escape is reported once,
    // and the loop carries on with the next event.
    QEvent direct(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&thrower, &direct));
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&thrower, QEvent::User);
    EXPECT_EQ(thrower.handled, 3);

    ASSERT_EQ(modal.boxes.size(), 3u);
    for (const ModalRecorder::Box& box : modal.boxes) {
        EXPECT_EQ(box.kind, Modal::Kind::Error);
        EXPECT_EQ(box.caption, "TSLN");
        EXPECT_EQ(box.text, "'abc' is not a valid integer value.");
    }
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
