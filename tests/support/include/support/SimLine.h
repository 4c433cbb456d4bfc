#pragma once
// The in-process simulator wired to the link's in-process port: what the host
// writes goes to the plants, what they send arrives as received bytes.

#include "link/Link.h"
#include "link/Port.h"
#include "plantsim/Bus.h"

#include <QObject>

namespace support {

// One simulated plant: its number, whether its pile runs, its operating mode.
inline plantsim::PlantConfig Plant(int number, bool running, int mode = 3)
{
    plantsim::PlantConfig p;
    p.number = number;
    p.running = running;
    p.mode = mode;
    return p;
}

inline void WireToBus(LoopbackPort *port, plantsim::Bus *bus)
{
    port->SetPeer([bus](const QByteArray &bytes) { bus->Receive(bytes); });
    QObject::connect(bus, &plantsim::Bus::Transmit, port, &LoopbackPort::Inject);
}

// Gives the link an in-process port wired to the simulated plants.
inline LoopbackPort *PlugIn(TLink &link, plantsim::Bus &bus)
{
    auto *port = new LoopbackPort;
    link.SetPort(std::unique_ptr<LinkPort>(port));
    WireToBus(port, &bus);
    return port;
}

} // namespace support
