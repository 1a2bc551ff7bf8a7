#include "diagnosis/ParameterSetFile.h"

#include "catalogue/LineLists.h"
#include "diagnosis/ParameterRoles.h"
#include "diagnosis/ParameterSetTexts.h"
#include "wire/NumericText.h"

#include <QSaveFile>
#include <QSet>
#include <sstream>

namespace diagnosis {

namespace {

const QString kStampFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

std::string utf8(const QString& text)
{
    return text.toStdString();
}

// Why a read document is not a set, at the line of the node at fault.
struct Refusal
{
    int line = 0;
    QString reason;
};

std::optional<QString> textOf(const toml::table& table, const char* key, bool required,
                              Refusal* refusal)
{
    const toml::node* node = table.get(key);
    if (!node) {
        if (required)
            *refusal = {lineOf(table), paramset_texts::MissingKey.arg(QLatin1String(key))};
        return required ? std::nullopt : std::optional<QString>(QString());
    }
    const std::optional<QString> text = stringAt(node);
    if (!text)
        *refusal = {lineOf(*node), paramset_texts::NotText.arg(QLatin1String(key))};
    return text;
}

bool readHeader(const toml::table& doc, ParameterSetHeader& header, Refusal* refusal)
{
    const toml::table* table = doc.get_as<toml::table>("header");
    if (!table) {
        *refusal = {doc.get("header") ? lineOf(*doc.get("header")) : 0, paramset_texts::NoHeader};
        return false;
    }
    const toml::node* address = table->get("address");
    const std::optional<int64_t> number = address ? address->value<int64_t>() : std::nullopt;
    if (!number || *number < 1 || *number > 255 || !address->is_integer()) {
        *refusal = {address ? lineOf(*address) : lineOf(*table), paramset_texts::BadAddress};
        return false;
    }
    header.address = int(*number);
    const std::optional<QString> channel = textOf(*table, "channel", true, refusal);
    if (!channel)
        return false;
    if (!catalogue::channelEntries().contains(*channel)) {
        *refusal = {lineOf(*table->get("channel")), paramset_texts::BadChannel};
        return false;
    }
    header.channel = *channel;
    std::optional<QString> saved;
    for (auto [key, field] :
         {std::pair{"tool", &header.tool}, std::pair{"port", &header.port},
          std::pair{"settings", &header.settings}, std::pair{"name", &header.name}}) {
        const std::optional<QString> text = textOf(*table, key, false, refusal);
        if (!text)
            return false;
        *field = *text;
    }
    saved = textOf(*table, "saved", false, refusal);
    if (!saved)
        return false;
    header.savedAt = QDateTime::fromString(*saved, kStampFormat);
    return true;
}

bool readEntry(const toml::node& node, QHash<QString, int>& seen, ParameterEntry& entry,
               Refusal* refusal)
{
    const toml::table* table = node.as_table();
    if (!table) {
        *refusal = {lineOf(node), paramset_texts::NotTable};
        return false;
    }
    entry.line = lineOf(*table);
    const std::optional<QString> code = textOf(*table, "code", true, refusal);
    const std::optional<QString> value =
        code ? textOf(*table, "value", true, refusal) : std::nullopt;
    if (!value)
        return false;
    const int codeLine = lineOf(*table->get("code"));
    if (!instrumentParameterCodes().contains(*code)) {
        *refusal = {codeLine, paramset_texts::BadCode.arg(*code)};
        return false;
    }
    if (seen.contains(*code)) {
        *refusal = {codeLine, paramset_texts::RepeatedCode.arg(*code).arg(seen.value(*code))};
        return false;
    }
    seen.insert(*code, codeLine);
    if (!numeric::isNumber(*value)) {
        *refusal = {lineOf(*table->get("value")), paramset_texts::BadValue.arg(*code, *value)};
        return false;
    }
    entry.code = *code;
    entry.value = *value;
    const std::optional<QString> text = textOf(*table, "text", false, refusal);
    const std::optional<QString> reply = text ? textOf(*table, "reply", false, refusal) : text;
    if (!reply)
        return false;
    entry.text = text->isEmpty() ? parameterText(*code) : *text;
    entry.reply = *reply;
    return true;
}

} // namespace

QByteArray parameterSetText(const ParameterSet& set)
{
    const ParameterSetHeader& h = set.header;
    toml::table header{
        {"tool", utf8(h.tool)},          {"saved", utf8(h.savedAt.toString(kStampFormat))},
        {"port", utf8(h.port)},          {"settings", utf8(h.settings)},
        {"address", int64_t(h.address)}, {"channel", utf8(h.channel)},
        {"name", utf8(h.name)}};
    toml::array parameters;
    for (const ParameterEntry& e : set.entries) {
        parameters.push_back(toml::table{{"code", utf8(e.code)},
                                         {"text", utf8(e.text)},
                                         {"reply", utf8(e.reply)},
                                         {"value", utf8(e.value)}});
    }
    const toml::table doc{{"header", std::move(header)}, {"parameter", std::move(parameters)}};
    std::ostringstream out;
    // Chinese names as they are, not as \u escapes, so the file reads as it is.
    out << toml::toml_formatter(doc, toml::format_flags::allow_unicode_strings);
    return paramset_texts::FileComment.toUtf8() + QByteArray::fromStdString(out.str()) + '\n';
}

namespace {

std::optional<ParameterSet> setOf(const std::optional<toml::table>& doc, TomlProblem* problem)
{
    if (!doc)
        return std::nullopt;
    ParameterSet set;
    Refusal refusal;
    const auto refuse = [&] {
        if (problem)
            *problem = {refusal.line, refusal.reason};
        return std::nullopt;
    };
    if (!readHeader(*doc, set.header, &refusal))
        return refuse();
    const toml::array* parameters = doc->get_as<toml::array>("parameter");
    if (!parameters || parameters->empty()) {
        refusal = {doc->get("parameter") ? lineOf(*doc->get("parameter")) : 0,
                   paramset_texts::NoParameters};
        return refuse();
    }
    QHash<QString, int> seen;
    for (const toml::node& node : *parameters) {
        ParameterEntry entry;
        if (!readEntry(node, seen, entry, &refusal))
            return refuse();
        set.entries << entry;
    }
    return set;
}

} // namespace

std::optional<ParameterSet> parseParameterSet(const QByteArray& text, TomlProblem* problem)
{
    return setOf(readToml(text, problem), problem);
}

std::optional<ParameterSet> loadParameterSet(const QString& path, TomlProblem* problem)
{
    return setOf(readTomlFile(path, problem), problem);
}

bool saveParameterSet(const QString& path, const ParameterSet& set, QString* error)
{
    QSaveFile file(path);
    const QByteArray bytes = parameterSetText(set);
    // QSaveFile keeps a small write in its buffer until commit(), and commit()
    // may still report success on a full disk: the flush is what tells.
    const bool ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                    file.flush() && file.commit();
    if (!ok && error)
        *error = file.errorString();
    if (!ok)
        file.cancelWriting();
    return ok;
}

} // namespace diagnosis
