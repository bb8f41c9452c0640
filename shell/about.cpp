#include "shell/about.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "shell/appicon.h"

namespace {

QFont timesFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel* label(QWidget* parent, const QString& text, const QRect& geometry, const char* name)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(331, 217);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    frame_ = new QFrame(this);
    frame_->setGeometry(8, 8, 315, 161);
    // Lowered outside, raised inside.
    frame_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame_->setLineWidth(1);
    auto* inner = new QFrame(frame_);
    inner->setGeometry(2, 2, 311, 157);
    inner->setFrameStyle(QFrame::Panel | QFrame::Raised);
    inner->setLineWidth(1);

    icon_ = label(inner, QString(), QRect(8, 8, 33, 33), "icon");
    icon_->setPixmap(QPixmap::fromImage(programImage(33)));

    programName_ = label(inner, QStringLiteral("Tessaline"), QRect(48, 8, 255, 33), "programName");
    programName_->setAlignment(Qt::AlignCenter);
    programName_->setFont(timesFont(24, true));
    programName_->setStyleSheet(QStringLiteral("color: #0000ff"));

    comments_ = label(inner, QStringLiteral("Serial - TCP/IP Version"), QRect(8, 50, 295, 40), "comments");
    comments_->setAlignment(Qt::AlignCenter);
    comments_->setWordWrap(true);
    comments_->setFont(timesFont(16, false));
    comments_->setStyleSheet(QStringLiteral("color: #000080"));

    maker_ = label(inner, QStringLiteral("Quenmark"), QRect(8, 128, 120, 17), "maker");

    version_ = label(inner, QStringLiteral("Version"), QRect(25, 98, 260, 17), "version");
    version_->setAlignment(Qt::AlignCenter);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setGeometry(128, 180, 75, 25);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::showVersion()
{
    const QString text = QStringLiteral("Version 1.0 1997-Nov-27");
    if (version_->text() != text)
        version_->setText(text);
    version_->setFixedWidth(260);
}

void TAboutBox::paintEvent(QPaintEvent* event)
{
    showVersion();
    QDialog::paintEvent(event);
}
