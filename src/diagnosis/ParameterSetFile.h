#pragma once

#include "diagnosis/ParameterSet.h"
#include "diagnosis/TomlReading.h"

#include <QByteArray>
#include <QString>
#include <optional>

// A parameter set as a TOML file a person can read, edit and keep under
// version control:
//
//     [header]
//     address = 1
//     channel = "01"
//     name = "1号炉 出口温度"
//     port = "COM1"
//     saved = "2026-12-08 06:30:00"
//     settings = "9600,n,8,2"
//     tool = "LinkBench 1.0"
//
//     [[parameter]]
//     code = "12"
//     reply = "<STX>00101<US>12<US>0000.000600<ETB>"
//     text = "12:量程零点"
//     value = "0000.0"
//
// Values are text, so that their digits stay as the instrument sent them.
namespace diagnosis {

QByteArray parameterSetText(const ParameterSet& set);

// The set in `text`; nothing, with the line and the reason, when the text is
// not TOML or not a parameter set (no header, a bad address or channel, a
// code outside 01 to 57 or given twice, a value that is not a number).
std::optional<ParameterSet> parseParameterSet(const QByteArray& text, TomlProblem* problem);

std::optional<ParameterSet> loadParameterSet(const QString& path, TomlProblem* problem);

// Writes the whole file or nothing: an old file stays as it was when the new
// one cannot be written in full.
bool saveParameterSet(const QString& path, const ParameterSet& set, QString* error);

} // namespace diagnosis
