#include "devices/device_tcpip.h"

#include "devices/devicewindow.h"

Tdevice_tcpip::Tdevice_tcpip(QWidget* owner, const QString& name) : window_(new TTCPIPForm(owner))
{
    window_->setWindowTitle(name);
    window_->setReceiveHandler([this](const quint8* p, qint32 l) { Deliver(p, l); });
    window_->setLinkLostHandler([this](const QString& why) { LinkLost(why); });
}

Tdevice_tcpip::~Tdevice_tcpip() { releaseDeviceWindow(window_.data()); }

void Tdevice_tcpip::Send(const quint8* data, qint32 len)
{
    if (window_)
        window_->Transmit(data, len);
}
