#include "shell/application.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <stdexcept>

#include "core/intconv.h"
#include "support/modalrecorder.h"

namespace {

class Thrower : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            strToInt("abc");
        return QObject::event(e);
    }
};

}  // namespace

TEST(Application, ExceptionFromAHandlerIsShownAndTheProgramGoesOn)
{
    ModalRecorder modal;
    Thrower thrower;
    QEvent event(QEvent::User);
    // The test main's application is a plain QApplication: run the report the
    // program's application object runs.
    try {
        QCoreApplication::sendEvent(&thrower, &event);
        FAIL();
    } catch (const EConvertError& e) {
        TApplication::showException(e.message());
    }
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Error);
    EXPECT_EQ(modal.boxes[0].caption, "TSLN");
    EXPECT_EQ(modal.boxes[0].text, "'abc' is not a valid integer value.");
}
