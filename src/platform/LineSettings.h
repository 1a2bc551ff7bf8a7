#pragma once

#include <QSerialPort>
#include <QString>
#include <optional>

// A line-settings text such as "9600,n,8,2" taken apart: speed in bit/s,
// parity letter (n, e, o, m, s), data bits (5 to 8), stop bits (1, 1.5, 2).
struct LineSettings
{
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::TwoStop;
};

// Reads a line-settings text; blanks around an item and the case of the parity
// letter do not matter. A text that does not read returns nothing and sets
// `reason` (when given) to one of the texts below, naming the text refused.
std::optional<LineSettings> parseLineSettings(const QString& text, QString* reason = nullptr);

// Why a line-settings text was refused; %1 is the text.
inline const QString kSettingsLayoutRefused =
    QStringLiteral("线路设置“%1”无效：应为“速率,校验位,数据位,停止位”，例如“9600,n,8,2”");
inline const QString kSettingsSpeedRefused =
    QStringLiteral("线路设置“%1”无效：速率应为正整数（比特/秒）");
inline const QString kSettingsParityRefused =
    QStringLiteral("线路设置“%1”无效：校验位应为 n、e、o、m 或 s");
inline const QString kSettingsDataBitsRefused =
    QStringLiteral("线路设置“%1”无效：数据位应为 5、6、7 或 8");
inline const QString kSettingsStopBitsRefused =
    QStringLiteral("线路设置“%1”无效：停止位应为 1、1.5 或 2");
// Termios has no 1.5 stop bits; QSerialPort would quietly set 1 instead.
inline const QString kSettingsStopBitsUnsupported =
    QStringLiteral("线路设置“%1”无效：本系统的串口不支持 1.5 个停止位");
