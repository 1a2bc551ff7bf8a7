#pragma once

#include "InterruptSignal.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>

// What every linkbench-poll command does alike with its command line.
namespace poll {

// Parses `arguments` (those after the program's name) with `parser`: the
// refusal a technician reads when they are not understood, empty when they are.
QString parseArguments(QCommandLineParser& parser, const QStringList& arguments);

// The settings text as the tool's list spells it, or nothing when not in it.
std::optional<QString> listedSettings(const QString& text);

// --settings as the tool's list spells it, `fallback` when it is not given;
// nothing, with `error` set, when it names settings the list does not hold.
std::optional<QString> settingsOption(const QCommandLineParser& parser, const QString& fallback,
                                      QString* error);

// A refused command line (exit status 2) or --help, answered before anything
// runs; nothing when the command should run.
std::optional<int> answerWithoutRunning(const QString& error, bool help, const QString& helpText);

// Runs `session` to its end; Ctrl+C asks it to stop.
template <class Session> int runInterruptibly(Session& session)
{
    InterruptSignal interrupt;
    QObject::connect(&interrupt, &InterruptSignal::interrupted, &session, &Session::interrupt);
    return session.exec();
}

} // namespace poll
