#include "diagnosis/TestRecord.h"

#include "diagnosis/ParameterSet.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QXmlStreamWriter>

#include <algorithm>
#include <array>

namespace diagnosis {

namespace {

const QString kStamp = QStringLiteral("yyyy-MM-ddTHH:mm:ss");
constexpr std::array kVerdictWords = {"pass", "fail", "not-run"};

QString seconds(qint64 ms)
{
    return QString::number(double(ms) / 1000.0, 'f', 3);
}

} // namespace

QString planHash(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

TestRecord recordOf(const TestPlanRun& run)
{
    TestRecord record;
    record.planName = run.plan().name;
    record.tool = toolName();
    record.overall = run.overall();
    for (qsizetype i = 0; i < run.plan().steps.size(); ++i) {
        const PlanStep& step = run.plan().steps[i];
        const StepResult& result = run.results().value(i);
        record.steps << StepRecord{step.name,       expectedText(step), result.actual,
                                   result.verdict,  result.reason,      result.frames,
                                   result.elapsedMs};
    }
    return record;
}

QByteArray recordJson(const TestRecord& r)
{
    QJsonArray steps;
    for (const StepRecord& s : r.steps) {
        steps.append(QJsonObject{{"name", s.name},
                                 {"expected", s.expected},
                                 {"actual", s.actual},
                                 {"verdict", kVerdictWords[std::size_t(s.verdict)]},
                                 {"reason", s.reason},
                                 {"frames", QJsonArray::fromStringList(s.frames)},
                                 {"ms", s.elapsedMs}});
    }
    const QJsonObject doc{{"plan", r.planName},
                          {"file", r.planFile},
                          {"hash", r.planHash},
                          {"tool", r.tool},
                          {"started", r.started.toString(kStamp)},
                          {"operator", r.operatorName},
                          {"unit", r.unit},
                          {"port", r.port},
                          {"settings", r.settings},
                          {"verdict", kVerdictWords[std::size_t(r.overall)]},
                          {"steps", steps}};
    return QJsonDocument(doc).toJson();
}

std::optional<TestRecord> recordFromJson(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (!doc.isObject())
        return std::nullopt;
    const QJsonObject o = doc.object();
    const auto verdict = [](const QJsonValue& value) {
        for (std::size_t i = 0; i < kVerdictWords.size(); ++i) {
            if (value.toString() == QLatin1String(kVerdictWords[i]))
                return Verdict(i);
        }
        return Verdict::Fail;
    };
    TestRecord r{o["plan"].toString(),
                 o["file"].toString(),
                 o["hash"].toString(),
                 o["tool"].toString(),
                 QDateTime::fromString(o["started"].toString(), kStamp),
                 o["operator"].toString(),
                 o["unit"].toString(),
                 o["port"].toString(),
                 o["settings"].toString(),
                 {},
                 verdict(o["verdict"])};
    for (const QJsonValue& value : o["steps"].toArray()) {
        const QJsonObject s = value.toObject();
        QStringList frames;
        for (const QJsonValue& frame : s["frames"].toArray())
            frames << frame.toString();
        r.steps << StepRecord{s["name"].toString(),   s["expected"].toString(),
                              s["actual"].toString(), verdict(s["verdict"]),
                              s["reason"].toString(), frames,
                              s["ms"].toInteger()};
    }
    return r;
}

QByteArray junitXml(const TestRecord& r)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    const auto count = [&](Verdict verdict) {
        return QString::number(
            std::count_if(r.steps.begin(), r.steps.end(),
                          [&](const StepRecord& s) { return s.verdict == verdict; }));
    };
    qint64 totalMs = 0;
    for (const StepRecord& s : r.steps)
        totalMs += s.elapsedMs;
    xml.writeStartElement(QStringLiteral("testsuites"));
    xml.writeStartElement(QStringLiteral("testsuite"));
    xml.writeAttribute(QStringLiteral("name"), r.planName);
    xml.writeAttribute(QStringLiteral("tests"), QString::number(r.steps.size()));
    xml.writeAttribute(QStringLiteral("failures"), count(Verdict::Fail));
    xml.writeAttribute(QStringLiteral("errors"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("skipped"), count(Verdict::NotRun));
    xml.writeAttribute(QStringLiteral("time"), seconds(totalMs));
    xml.writeAttribute(QStringLiteral("timestamp"), r.started.toString(kStamp));
    xml.writeStartElement(QStringLiteral("properties"));
    for (const auto& [name, value] :
         {std::pair{"unit", r.unit}, std::pair{"operator", r.operatorName},
          std::pair{"plan-sha256", r.planHash}, std::pair{"tool", r.tool},
          std::pair{"port", r.port}, std::pair{"settings", r.settings}}) {
        xml.writeEmptyElement(QStringLiteral("property"));
        xml.writeAttribute(QStringLiteral("name"), QLatin1String(name));
        xml.writeAttribute(QStringLiteral("value"), value);
    }
    xml.writeEndElement();
    for (const StepRecord& s : r.steps) {
        xml.writeStartElement(QStringLiteral("testcase"));
        xml.writeAttribute(QStringLiteral("name"), s.name);
        xml.writeAttribute(QStringLiteral("classname"), r.planName);
        xml.writeAttribute(QStringLiteral("time"), seconds(s.elapsedMs));
        if (s.verdict == Verdict::Fail) {
            xml.writeStartElement(QStringLiteral("failure"));
            xml.writeAttribute(QStringLiteral("message"), s.reason);
            xml.writeAttribute(QStringLiteral("type"), s.expected);
            xml.writeCharacters(s.reason);
            xml.writeEndElement();
        } else if (s.verdict == Verdict::NotRun) {
            xml.writeEmptyElement(QStringLiteral("skipped"));
        }
        xml.writeTextElement(QStringLiteral("system-out"), s.frames.join(u'\n'));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

QString recordFileStem(const TestRecord& record)
{
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\s]"));
    QString unit = record.unit;
    unit.replace(unsafe, QStringLiteral("_"));
    return (unit.isEmpty() ? QStringLiteral("unit") : unit) + u'_' +
           record.started.toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

} // namespace diagnosis
