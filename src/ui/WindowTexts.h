#pragma once

#include <QString>

// Every text the window shows of its own: captions, menu items, messages.
namespace window_texts {

inline const QString Caption = QStringLiteral("QL系列仪表通讯测试");

// Caption labels of the top band; each ends in a full-width colon.
inline const QString Label5 = QStringLiteral("功能选择：");
inline const QString Label10 = QStringLiteral("参数值：");
inline const QString Label7 = QStringLiteral("仪表地址：");
inline const QString Label1 = QStringLiteral("通 讯 口：");
inline const QString Label9 = QStringLiteral("参 数 号：");
inline const QString Label8 = QStringLiteral("仪表通道：");
inline const QString Label2 = QStringLiteral("波 特 率：");

inline const QString ValueBoxStart = QStringLiteral("00000.0");
inline const QString TabCaption = QStringLiteral("测试信息");
inline const QString WebAddress = QStringLiteral("https://www.lanvey.example");
inline const QString MailAddress = QStringLiteral("support@lanvey.example");

inline const QString MenuStart = QStringLiteral("通讯(&S)");
inline const QString MenuClear = QStringLiteral("清屏(&C)");
inline const QString MenuPrint = QStringLiteral("打印(&P)");
inline const QString MenuSave = QStringLiteral("保存(&S)");
inline const QString MenuHelpMenu = QStringLiteral("帮助(&H)");
inline const QString MenuHelp = QStringLiteral("帮助");
inline const QString MenuAbout = QStringLiteral("关于");

inline const QString ExitQuestion = QStringLiteral("确定要退出吗?");
inline const QString ExitTitle = QStringLiteral("通讯测试程序");

} // namespace window_texts
