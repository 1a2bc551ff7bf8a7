#pragma once

#include <QString>

// The literal pieces of the transcript entries that the protocol writes.
namespace entry_texts {

inline const QString StampPrefix = QStringLiteral(" ◆◆  测试时间:");
inline const QString Sent = QStringLiteral("发送:");
inline const QString ArrowSpaced = QStringLiteral(" → 接收:");    // reply into an empty pane
inline const QString ArrowHalfSpaced = QStringLiteral(" →接收:"); // reply into a non-empty pane
inline const QString ArrowTight = QStringLiteral("→接收:");       // write entries
inline const QString ReadValueHeader = QStringLiteral("▲△▲△ 读瞬时值   ");
inline const QString ReadParamHeader = QStringLiteral("△△△△ 读参数值(");
inline const QString WriteTimeoutHeader = QStringLiteral("▲▲▲▲ 读参数值(");
inline const QString WriteAckHeader = QStringLiteral("▲▲▲▲ 写参数值(");
inline const QString WritePendingHeader = QStringLiteral("  ▲▲▲▲ 读参数值(");
inline const QString HbxHeader = QStringLiteral("△△△△ (");
inline const QString HeaderClose = QStringLiteral(")  ");
inline const QString CheckPrefix = QStringLiteral("校验和:");
inline const QString AckVerdict = QStringLiteral("ACK  √");
inline const QString NakVerdict = QStringLiteral("NAK  ×");
inline const QString Timeout = QStringLiteral("串口超时错误!!!");

} // namespace entry_texts
