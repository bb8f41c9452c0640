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

QLabel* label(QWidget* parent, const QString& text, const QRect& geometry)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    return l;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(331, 217);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Panel1 = new QFrame(this);
    Panel1->setGeometry(8, 8, 315, 161);
    // Lowered outside, raised inside.
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);
    auto* inner = new QFrame(Panel1);
    inner->setGeometry(2, 2, 311, 157);
    inner->setFrameStyle(QFrame::Panel | QFrame::Raised);
    inner->setLineWidth(1);

    Image1 = label(inner, QString(), QRect(8, 8, 33, 33));
    Image1->setPixmap(QPixmap::fromImage(programImage(33)));

    Version = label(inner, QStringLiteral("Tessaline"), QRect(48, 8, 255, 33));
    Version->setAlignment(Qt::AlignCenter);
    Version->setFont(timesFont(24, true));
    Version->setStyleSheet(QStringLiteral("color: #0000ff"));

    Comments = label(inner, QStringLiteral("Serial - TCP/IP Version"), QRect(8, 50, 295, 40));
    Comments->setAlignment(Qt::AlignCenter);
    Comments->setWordWrap(true);
    Comments->setFont(timesFont(16, false));
    Comments->setStyleSheet(QStringLiteral("color: #000080"));

    Label2 = label(inner, QStringLiteral("Quenmark"), QRect(8, 128, 120, 17));

    LVersion = label(inner, QStringLiteral("Version"), QRect(25, 98, 260, 17));
    LVersion->setAlignment(Qt::AlignCenter);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setGeometry(128, 180, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::FormPaint()
{
    const QString text = QStringLiteral("Version 1.0 1997-Nov-27");
    if (LVersion->text() != text)
        LVersion->setText(text);
    LVersion->setFixedWidth(260);
}

void TAboutBox::paintEvent(QPaintEvent* event)
{
    FormPaint();
    QDialog::paintEvent(event);
}
