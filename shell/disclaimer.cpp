#include "shell/disclaimer.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

QString TDisclaimerFORM::noticeText()
{
    return QStringLiteral(
        "Tessaline - control program for ICOM transceivers over the CI-V bus\n"
        "Copyright (C) Quenmark. All rights reserved.\n"
        "\n"
        "ICOM, CI-V, IC-706, IC-706MKII, IC-756 and IC-821 are names of ICOM Inc.\n"
        "This program is not made, checked or supported by ICOM Inc.\n"
        "\n"
        "Please send problem reports and suggestions to the program's maintainers,\n"
        "with the radio model, the kind of device (serial or TCP/IP) and, where you\n"
        "can, a CI-V snoop log of what happened.\n"
        "\n"
        "NO WARRANTY\n"
        "This program is provided as it is, without warranty of any kind, either\n"
        "expressed or implied, including but not limited to the implied warranties of\n"
        "merchantability and fitness for a particular purpose. The whole risk as to the\n"
        "quality and performance of the program is with you. In no event will the\n"
        "authors be liable for any damage, including damage to radio equipment, lost\n"
        "memory contents, lost data or lost contacts, arising out of the use of or\n"
        "inability to use this program.\n"
        "\n"
        "You alone are responsible for operating your station within your licence:\n"
        "check frequency, mode and power before you transmit.");
}

TDisclaimerFORM::TDisclaimerFORM(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Disclaimer"));
    setFixedSize(547, 336);

    notice_ = new QPlainTextEdit(this);
    notice_->setObjectName(QStringLiteral("notice"));
    notice_->setGeometry(8, 8, 521, 249);
    notice_->setPlainText(noticeText());
    notice_->setLineWrapMode(QPlainTextEdit::NoWrap);

    close_ =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Close"), this);
    close_->setObjectName(QStringLiteral("close"));
    close_->setGeometry(236, 280, 75, 25);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
}
