#include "devices/comportdialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "io/serialports.h"
#include "widgets/formstyle.h"

TComPortFORM* ComPortFORM = nullptr;

TComPortFORM::TComPortFORM(QWidget* owner)
    : QDialog(owner),
      Label1(new QLabel(QStringLiteral("Port"), this)),
      CBPort(new QComboBox(this)),
      Label2(new QLabel(QStringLiteral("Baud"), this)),
      CBBaud(new QComboBox(this)),
      BitBtn1(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("ComPortFORM"));
    setWindowTitle(QStringLiteral("Com Port"));
    setBackgroundColor(this, FormColor::Maroon);
    setTextColor(Label1, FormColor::Yellow);
    setTextColor(Label2, FormColor::Yellow);

    CBPort->setEditable(true);
    CBPort->setInsertPolicy(QComboBox::NoInsert);
    refreshPorts();
    CBPort->setCurrentText(QStringLiteral("COM2"));
    CBBaud->setEditable(true);
    CBBaud->setInsertPolicy(QComboBox::NoInsert);
    CBBaud->addItems({QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("4800"),
                      QStringLiteral("9600"), QStringLiteral("19200")});
    CBBaud->setCurrentText(QStringLiteral("9600"));

    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(CBPort, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(CBBaud, 1, 1);
    grid->addWidget(BitBtn1, 2, 1, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    resize(DesignWidth, DesignHeight);
}

void TComPortFORM::refreshPorts()
{
    const QString text = CBPort->currentText();
    QStringList ports{QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
                      QStringLiteral("COM4")};
    ports += serialPortsFound();
    CBPort->clear();
    CBPort->addItems(ports);
    CBPort->setCurrentText(text);
}

void TComPortFORM::showEvent(QShowEvent* event)
{
    refreshPorts();
    QDialog::showEvent(event);
}
