#include "diagnosis/TomlReading.h"

#include "diagnosis/ParameterSetTexts.h"

#include <QFile>

namespace diagnosis {

std::optional<toml::table> readToml(const QByteArray& text, TomlProblem* problem)
{
    try {
        return toml::parse(std::string_view(text.constData(), std::size_t(text.size())));
    } catch (const toml::parse_error& error) {
        if (problem) {
            problem->line = int(error.source().begin.line);
            problem->reason = QString::fromUtf8(error.description().data(),
                                                qsizetype(error.description().size()));
        }
        return std::nullopt;
    }
}

std::optional<toml::table> readTomlFile(const QString& path, TomlProblem* problem)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (problem)
            *problem = {0, file.errorString()};
        return std::nullopt;
    }
    return readToml(file.readAll(), problem);
}

int lineOf(const toml::node& node)
{
    return int(node.source().begin.line);
}

std::optional<QString> stringAt(const toml::node* node)
{
    if (!node || !node->is_string())
        return std::nullopt;
    const std::string& text = node->as_string()->get();
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString tomlProblemText(const QString& path, const TomlProblem& problem)
{
    if (problem.line <= 0)
        return paramset_texts::FileProblem.arg(path, problem.reason);
    return paramset_texts::LineProblem.arg(path).arg(problem.line).arg(problem.reason);
}

} // namespace diagnosis
