#include "CommandLineReading.h"
#include "ListenOptions.h"
#include "ListenSession.h"
#include "ListenTexts.h"
#include "ParameterCommands.h"
#include "PlanSession.h"
#include "PollOptions.h"
#include "PollSession.h"
#include "PollTexts.h"
#include "platform/BrokenPipe.h"
#include "platform/ConsoleOutput.h"
#include "platform/PortListing.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

// `linkbench-poll listen`: another master polls, this program only listens.
int listen(const QStringList& arguments)
{
    const poll::ParsedListen parsed = poll::parseListenOptions(arguments);
    if (const std::optional<int> answered =
            poll::answerWithoutRunning(parsed.error, parsed.options.help, listen_texts::Help))
        return *answered;
    poll::ListenSession session(parsed.options, stdout, stderr);
    return poll::runInterruptibly(session);
}

} // namespace

int main(int argc, char* argv[])
{
    // A reader of the output that goes away must not end the run uncounted.
    surviveBrokenPipes();
    writeUtf8ToConsole();
    QCoreApplication app(argc, argv);

    // plan runs a test plan on one unit, with options of its own.
    if (app.arguments().value(1) == QLatin1String("plan"))
        return poll::runPlanCommand(app.arguments().mid(2));
    // backup, compare and restore name themselves first and have options of their own.
    if (poll::parameterCommandNamed(app.arguments().value(1)))
        return poll::runParameterCommand(app.arguments().mid(1));

    if (poll::isListenCommand(app.arguments().mid(1)))
        return listen(app.arguments().mid(1));
    const poll::ParsedPoll parsed = poll::parsePollOptions(app.arguments().mid(1));
    if (const std::optional<int> answered =
            poll::answerWithoutRunning(parsed.error, parsed.options.help, poll_texts::Help))
        return *answered;
    if (parsed.options.listPorts) {
        std::fputs(portListingText(currentPortMappingInput()).toUtf8().constData(), stdout);
        return poll::kExitAllOk;
    }
    poll::PollSession session(parsed.options, stdout, stderr);
    return poll::runInterruptibly(session);
}
