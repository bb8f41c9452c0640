#include "devices/device_tcpip.h"

#include "devices/devicewindow.h"

Tdevice_tcpip::Tdevice_tcpip(QWidget* owner, const QString& name) : Window(new TTCPIPForm(owner))
{
    Window->setWindowTitle(name);
    Window->setReceiveHandler([this](const quint8* p, qint32 l) { Deliver(p, l); });
    Window->setLinkLostHandler([this](const QString& why) { LinkLost(why); });
}

Tdevice_tcpip::~Tdevice_tcpip() { releaseDeviceWindow(Window.data()); }

void Tdevice_tcpip::Send(const quint8* data, qint32 len)
{
    if (Window)
        Window->Transmit(data, len);
}
