#include "devices/comportdialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "io/serialports.h"
#include "widgets/formstyle.h"

TComPortFORM::TComPortFORM(QWidget* owner)
    : QDialog(owner),
      portLabel_(new QLabel(QStringLiteral("Port"), this)),
      port_(new QComboBox(this)),
      baudLabel_(new QLabel(QStringLiteral("Baud"), this)),
      baud_(new QComboBox(this)),
      ok_(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("ComPortFORM"));
    setWindowTitle(QStringLiteral("Com Port"));
    setBackgroundColor(this, FormColor::Maroon);
    setTextColor(portLabel_, FormColor::Yellow);
    setTextColor(baudLabel_, FormColor::Yellow);
    portLabel_->setObjectName(QStringLiteral("portLabel"));
    baudLabel_->setObjectName(QStringLiteral("baudLabel"));
    port_->setObjectName(QStringLiteral("port"));
    baud_->setObjectName(QStringLiteral("baud"));
    ok_->setObjectName(QStringLiteral("ok"));

    port_->setEditable(true);
    port_->setInsertPolicy(QComboBox::NoInsert);
    refreshPorts();
    baud_->setEditable(true);
    baud_->setInsertPolicy(QComboBox::NoInsert);
    baud_->addItems({QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("4800"),
                     QStringLiteral("9600"), QStringLiteral("19200")});
    setLine(SerialLine());

    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(portLabel_, 0, 0);
    grid->addWidget(port_, 0, 1);
    grid->addWidget(baudLabel_, 1, 0);
    grid->addWidget(baud_, 1, 1);
    grid->addWidget(ok_, 2, 1, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    resize(DesignWidth, DesignHeight);
}

void TComPortFORM::setLine(const SerialLine& line)
{
    port_->setCurrentText(line.port);
    baud_->setCurrentText(line.baud);
}

SerialLine TComPortFORM::line() const
{
    SerialLine line;
    line.port = port_->currentText();
    line.baud = baud_->currentText();
    return line;
}

void TComPortFORM::refreshPorts()
{
    const QString text = port_->currentText();
    QStringList ports{QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
                      QStringLiteral("COM4")};
    ports += serialPortsFound();
    port_->clear();
    port_->addItems(ports);
    port_->setCurrentText(text);
}

void TComPortFORM::showEvent(QShowEvent* event)
{
    refreshPorts();
    QDialog::showEvent(event);
}
