#pragma once

#include <QStringList>

// The fixed lists of the window's port, line-settings, address and channel boxes.
namespace catalogue {

const QStringList& portEntries();        // "COM1".."COM8"
const QStringList& lineSettingEntries(); // "1200,n,8,2".."56000,n,8,2"
const QStringList& addressEntries();     // "001".."011"
const QStringList& channelEntries();     // "00".."64", then "90"

inline constexpr int kDefaultPortPosition = 0;        // "COM1"
inline constexpr int kDefaultLineSettingPosition = 3; // "9600,n,8,2"
inline constexpr int kDefaultChannelPosition = 1;     // "01"
inline constexpr int kDefaultAddressPosition = 0;     // "001"

// What every program starts with when told nothing else: "COM1" and "9600,n,8,2".
inline QString defaultPortEntry()
{
    return portEntries()[kDefaultPortPosition];
}
inline QString defaultLineSettings()
{
    return lineSettingEntries()[kDefaultLineSettingPosition];
}

} // namespace catalogue
