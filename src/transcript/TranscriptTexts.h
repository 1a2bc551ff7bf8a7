#pragma once

#include <QString>

// Every text the save and print commands show or write, in one place.
namespace transcript_texts {

// The save dialog's filter: description|pattern pairs, text files first.
inline const QString SaveFilter = QStringLiteral("文本文件(*.txt)|*.txt|所有文件 (*.*)|*.*");

// First line of the box shown when a file cannot be written; the second line
// names the file and the reason.
inline const QString SaveFailed = QStringLiteral("保存文件失败");
inline const QString FolderMissing = QStringLiteral("文件夹不存在");
inline const QString NotAFolder = QStringLiteral("不是文件夹");
inline const QString DiskFull = QStringLiteral("磁盘已满");
inline const QString NoGbkEncoder = QStringLiteral("系统不支持GBK编码");
// Shown after a save that had to write characters GBK cannot hold as "?".
// %1 is their number, %2 the file.
inline const QString CharactersSubstituted =
    QStringLiteral("文件已保存，但有%1个字符无法用GBK编码，已写成“?”：\n%2");

inline const QString PrintTitle = QStringLiteral("通讯测试");
inline const QString NoPrinter = QStringLiteral("没有可用的打印机");
inline const QString PrintFailed = QStringLiteral("打印失败");

} // namespace transcript_texts
