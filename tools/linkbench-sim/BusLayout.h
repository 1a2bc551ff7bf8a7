#pragma once

#include "wire/CommandFrame.h"

#include <QByteArray>
#include <QList>

// Who is on the simulated line: the instruments, those of them that have
// failed, and the concentrator's address.
namespace sim {

struct BusLayout
{
    QList<int> instruments = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}; // ascending
    QList<int> faulty; // attached but silent; a subset of `instruments`
    int hbxAddress = 5;

    bool isAttached(int address) const { return instruments.contains(address); }
    bool isFaulty(int address) const { return faulty.contains(address); }
    // The concentrator's address field as the tool sends it: "05", "120".
    QByteArray hbxAddressField() const { return wire::hbxAddressField(hbxAddress); }
    // Every instrument has the channels 00 to 64 and 90.
    static bool hasChannel(int channel) { return (channel >= 0 && channel <= 64) || channel == 90; }
};

} // namespace sim
