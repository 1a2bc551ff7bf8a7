#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <toml++/toml.h>

// Reading a TOML file a person may have edited: the document, or the line at
// fault and why. The parameter sets read their files through here, and so may
// any other file of ours in TOML.
//
//     TomlProblem problem;
//     const std::optional<toml::table> doc = readToml(bytes, &problem);
//     if (!doc) print(tomlProblemText(path, problem));   // "set.toml 第 3 行：..."
namespace diagnosis {

struct TomlProblem
{
    int line = 0; // 1 for the first line; 0 when the file as a whole is at fault
    QString reason;
};

// The document in `text` (UTF-8); nothing, with `problem` set, when it is not TOML.
std::optional<toml::table> readToml(const QByteArray& text, TomlProblem* problem);

// The file's document; a file that cannot be opened is a problem of line 0.
std::optional<toml::table> readTomlFile(const QString& path, TomlProblem* problem);

// The line a node of a read document starts on.
int lineOf(const toml::node& node);

// A node's text, when it is a string.
std::optional<QString> stringAt(const toml::node* node);

// "FILE 第 N 行：reason", or "FILE：reason" for line 0.
QString tomlProblemText(const QString& path, const TomlProblem& problem);

} // namespace diagnosis
