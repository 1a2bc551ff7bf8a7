#include "OptionTable.h"

#include "catalogue/AddressRanges.h"
#include "catalogue/ParameterList.h"
#include "platform/LineSettings.h"

namespace sim {

namespace {

std::optional<int> parseBounded(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

// Takes a value that lies in its bounds; false when there is none.
bool store(std::optional<int> value, int& field)
{
    if (value)
        field = *value;
    return value.has_value();
}

ValueSetter intSetter(int low, int high, int SimOptions::*field)
{
    return [=](SimOptions& o, const QString& v) {
        return store(parseBounded(v, low, high), o.*field);
    };
}

std::vector<OptionRow> lineOptions()
{
    return {
        {{QStringLiteral("device")},
         QStringLiteral("PATH"),
         QStringLiteral("连接真实串口而不建伪终端\n"
                        "attach to a real serial port instead of a pty"),
         [](SimOptions& o, const QString& v) {
             o.device = v;
             return !v.isEmpty();
         }},
        {{QStringLiteral("settings")},
         QStringLiteral("TEXT"),
         QStringLiteral("线路设置，默认 9600,n,8,2\n"
                        "line settings as in the tool's list (default 9600,n,8,2)"),
         [](SimOptions& o, const QString& v) {
             o.settings = v;
             return parseLineSettings(v).has_value();
         }},
        {{QStringLiteral("baud")},
         QStringLiteral("N"),
         QStringLiteral("伪终端上计算线时的速率，默认取自 --settings\n"
                        "speed for the wire time on a pty (default from --settings)"),
         intSetter(1, 4'000'000, &SimOptions::baud)},
        {{QStringLiteral("wire-time")},
         QStringLiteral("on|off"),
         QStringLiteral("伪终端上按每字符 11 位的线时发送，默认 on\n"
                        "pace every character at 11 bits on a pty (default on)"),
         [](SimOptions& o, const QString& v) {
             o.wireTime = v == u"on";
             return v == u"on" || v == u"off";
         }},
        {{QStringLiteral("reply-delay")},
         QStringLiteral("MS"),
         QStringLiteral("命令结束到应答开始的延时，默认 20\n"
                        "delay from the command's end to the reply (default 20)"),
         intSetter(0, 60'000, &SimOptions::replyDelayMs)},
        {{QStringLiteral("chunks")},
         QStringLiteral("N"),
         QStringLiteral("应答分 N 段发送，默认 1\n"
                        "send each reply in N pieces (default 1)"),
         intSetter(1, 1000, &SimOptions::chunks)},
        {{QStringLiteral("chunk-gap")},
         QStringLiteral("MS"),
         QStringLiteral("分段之间的间隔，默认 20\n"
                        "pause between the pieces (default 20)"),
         intSetter(0, 60'000, &SimOptions::chunkGapMs)},
    };
}

std::vector<OptionRow> runOptions()
{
    return {
        {{QStringLiteral("seed")},
         QStringLiteral("N"),
         QStringLiteral("随机种子，可重复运行；默认随机并写入日志\n"
                        "seed for repeatable runs (default: random, logged)"),
         [](SimOptions& o, const QString& v) {
             bool ok = false;
             o.seed = v.toULongLong(&ok);
             return ok;
         }},
        {{QStringLiteral("bus")},
         QStringLiteral("LIST"),
         QStringLiteral("总线上的仪表地址，默认 001-011（例 001-005,009）\n"
                        "instrument addresses on the bus (default 001-011)"),
         [](SimOptions& o, const QString& v) {
             const auto list = parseAscendingAddresses(v);
             if (list)
                 o.bus.instruments = *list;
             return list.has_value();
         }},
        {{QStringLiteral("faulty")},
         QStringLiteral("LIST"),
         QStringLiteral("挂接但故障（不应答）的仪表，默认无\n"
                        "attached but faulty (silent) instruments (default none)"),
         [](SimOptions& o, const QString& v) {
             const auto list = v.isEmpty() ? QList<int>() : parseAscendingAddresses(v);
             if (list)
                 o.bus.faulty = *list;
             return list.has_value();
         }},
        {{QStringLiteral("hbx")},
         QStringLiteral("N"),
         QStringLiteral("HBX 集中器地址，默认 05\n"
                        "address of the HBX concentrator (default 05)"),
         [](SimOptions& o, const QString& v) {
             return store(parseBounded(v.trimmed(), 1, 255), o.bus.hbxAddress);
         }},
        {{QStringLiteral("tap")},
         {},
         QStringLiteral("另建一个伪终端，复制线上双向的每个字节（供监听）\n"
                        "a second pty that gets a copy of every byte on the line"),
         {}},
        {{QStringLiteral("master")},
         QStringLiteral("ROUND"),
         QStringLiteral("同时扮演主站，例 1-11（每 200 ms 一条 DC1）、dc1+dc2@1-3/100\n"
                        "also play the master, e.g. 1-11 (DC1 every 200 ms), dc1+dc2@1-3/100"),
         [](SimOptions& o, const QString& v) {
             o.master = parseMasterRound(v);
             return o.master.has_value();
         }},
        {{QStringLiteral("refuse-writes")},
         QStringLiteral("LIST"),
         QStringLiteral("拒绝（NAK）写这些参数号，例 12,31-33；默认无\n"
                        "answer writes of these parameter codes with NAK (default none)"),
         [](SimOptions& o, const QString& v) {
             const auto list = parseAscendingAddresses(v);
             o.refusedWrites.clear();
             for (const int number : list.value_or(QList<int>())) {
                 const QByteArray code = QByteArray::number(number).rightJustified(2, '0');
                 if (catalogue::parameterPosition(QString::fromLatin1(code)) < 0)
                     return false;
                 o.refusedWrites << code;
             }
             return list.has_value();
         }},
        {{QStringLiteral("params")},
         QStringLiteral("FILE"),
         QStringLiteral("文件头所指的仪表和通道以此参数集开始；可重复\n"
                        "the instrument and channel a parameter-set file names start\n"
                        "with its values; may be given again"),
         [](SimOptions& o, const QString& v) {
             o.paramsFiles << v;
             return !v.isEmpty();
         }},
        {{QStringLiteral("quiet")},
         {},
         QStringLiteral("不在标准错误输出记录每次通讯\n"
                        "do not log each exchange on standard error"),
         {}},
        {{QStringLiteral("help"), QStringLiteral("h")},
         {},
         QStringLiteral("显示本帮助\n"
                        "show this help"),
         {}},
    };
}

} // namespace

const std::vector<OptionRow>& optionRows()
{
    static const std::vector<OptionRow> rows = [] {
        std::vector<OptionRow> all = lineOptions();
        for (const Fault& fault : faultTable()) {
            ValueSetter set = [&fault](SimOptions& o, const QString& v) {
                return store(parseBounded(v, fault.low, fault.high), o.faults.*fault.setting);
            };
            all.push_back({{fault.option}, fault.valueName, fault.help, std::move(set)});
        }
        for (OptionRow& row : runOptions())
            all.push_back(std::move(row));
        return all;
    }();
    return rows;
}

} // namespace sim
