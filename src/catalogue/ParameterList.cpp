#include "catalogue/ParameterList.h"

#include <QHash>

namespace catalogue {

namespace {

QStringList buildEntries()
{
    const QHash<int, QString> names = {
        {1, QStringLiteral("功能码   ")},
        {2, QStringLiteral("流量积算值")},
        {3, QStringLiteral("DA1值    ")},
        {4, QStringLiteral("DA2值")},
        {5, QStringLiteral("SP值")},
        {6, QStringLiteral("越限时间")},
        {9, QStringLiteral("批读PV")},
        {10, QStringLiteral("批读参数")},
        {11, QStringLiteral("分读号 ")},
        {12, QStringLiteral("量程零点")},
        {13, QStringLiteral("量程满度")},
        {14, QStringLiteral("小信号切除")},
        {15, QStringLiteral("DA1方式")},
        {16, QStringLiteral("DA2方式")},
        {17, QStringLiteral("报警回差")},
        {18, QStringLiteral("报警一值")},
        {19, QStringLiteral("报警二值")},
        {20, QStringLiteral("报警三值")},
        {21, QStringLiteral("报警四值")},
        {22, QStringLiteral("报警方式")},
        {23, QStringLiteral("附屏")},
        {27, QStringLiteral("波特率更改")},
        {28, QStringLiteral("地址更改")},
        {29, QStringLiteral("DO输出")},
        {30, QStringLiteral("通讯给定值")},
        {31, QStringLiteral("PID P 值")},
        {32, QStringLiteral("PID I 值")},
        {33, QStringLiteral("PID D 值")},
        {34, QStringLiteral("PID 上限幅")},
        {35, QStringLiteral("PID 下限幅")},
        {36, QStringLiteral("PID 安全阀")},
        {37, QStringLiteral("PID 变化率")},
        {38, QStringLiteral("PID SP0 值")},
        {39, QStringLiteral("PWM 周期")},
        {40, QStringLiteral("SP.XX(程序起点工程量)")},
        {41, QStringLiteral("t.XX(程序时间分)")},
        {42, QStringLiteral("启停程序(0=启动,非0=停止)")},
        {43, QStringLiteral("手自动切换(0=自动,非0=手动)")},
        {70, QStringLiteral("读HBX时钟")},
        {71, QStringLiteral("读HBX所挂接仪表地址")},
        {72, QStringLiteral("读HBX所挂接故障仪表地址")},
        {73, QStringLiteral("读HBX所挂接仪表瞬时值")},
        {74, QStringLiteral("读HBX所挂接仪表历史值")},
    };
    QStringList entries;
    const auto add = [&](int code) {
        entries << QStringLiteral("%1:").arg(code, 2, 10, QLatin1Char('0')) + names.value(code);
    };
    for (int code = 1; code <= 57; ++code)
        add(code);
    for (int code = 70; code <= 74; ++code)
        add(code);
    return entries;
}

} // namespace

const QStringList& parameterEntries()
{
    static const QStringList entries = buildEntries();
    return entries;
}

QString parameterCode(const QString& entry)
{
    return entry.left(2);
}

int parameterPosition(const QString& code)
{
    const QStringList& entries = parameterEntries();
    for (int i = 0; i < entries.size(); ++i) {
        if (parameterCode(entries.at(i)) == code)
            return i;
    }
    return -1;
}

} // namespace catalogue
