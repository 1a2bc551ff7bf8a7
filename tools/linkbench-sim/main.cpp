#include "MasterPlayer.h"
#include "PortLine.h"
#include "PtyLine.h"
#include "SimOptions.h"
#include "SimServer.h"
#include "SimTexts.h"
#include "TapLine.h"
#include "platform/BrokenPipe.h"
#include "platform/ConsoleOutput.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>
#include <random>

namespace {

void printLine(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

std::unique_ptr<sim::SimLine> openPlainLine(const sim::SimOptions& options, QString* error)
{
    if (options.device.isEmpty()) {
        auto pty = std::make_unique<sim::PtyLine>();
        if (!pty->open(error))
            return nullptr;
        return pty;
    }
    auto port = std::make_unique<sim::PortLine>(options.device, options.settings);
    if (!port->open(error))
        return nullptr;
    return port;
}

std::unique_ptr<sim::SimLine> openLine(const sim::SimOptions& options, QString* error)
{
    std::unique_ptr<sim::SimLine> line = openPlainLine(options, error);
    if (!line || !options.tap)
        return line;
    auto tapped = std::make_unique<sim::TapLine>(std::move(line));
    if (!tapped->open(error))
        return nullptr;
    QObject::connect(tapped.get(), &sim::TapLine::tapWritten, [](const QByteArray& bytes) {
        printLine(stderr, sim_texts::LogTapWritten.arg(bytes.size()));
    });
    return tapped;
}

} // namespace

int main(int argc, char* argv[])
{
    surviveBrokenPipes();
    writeUtf8ToConsole();
    QCoreApplication app(argc, argv);

    const sim::ParsedOptions parsed = sim::parseSimOptions(app.arguments().mid(1));
    if (!parsed.error.isEmpty()) {
        printLine(stderr, parsed.error);
        return 2;
    }
    const sim::SimOptions& options = parsed.options;
    if (options.help) {
        std::fputs(sim::simHelp().toLocal8Bit().constData(), stdout);
        return 0;
    }

    QString error;
    const std::unique_ptr<sim::SimLine> line = openLine(options, &error);
    if (!line) {
        const QString device = options.device.isEmpty() ? QStringLiteral("pty") : options.device;
        printLine(stderr, sim_texts::CannotOpen.arg(device, error));
        return 1;
    }

    const quint64 seed =
        options.seed.value_or((quint64(std::random_device{}()) << 32) ^ std::random_device{}());
    sim::SimServer::LogFn log;
    if (!options.quiet)
        log = [](const QString& text) { printLine(stderr, text); };
    sim::SimServer server(*line, options, seed, log);
    if (!server.isValid()) {
        printLine(stderr, sim_texts::CannotOpen.arg(line->devicePath(), QStringLiteral("timerfd")));
        return 1;
    }
    QObject::connect(line.get(), &sim::SimLine::problem, [](const QString& reason) {
        printLine(stderr, sim_texts::LogLineError.arg(reason));
    });

    // The first line on standard output is the device the tool should open,
    // the second, with --tap, the tap's.
    printLine(stdout, line->devicePath());
    if (options.tap)
        printLine(stdout, static_cast<sim::TapLine*>(line.get())->tapPath());
    std::unique_ptr<sim::MasterPlayer> master;
    if (options.master) {
        master = std::make_unique<sim::MasterPlayer>(
            *options.master, [&server](const QByteArray& frame) { server.playCommand(frame); });
        master->start();
    }
    if (!options.quiet)
        printLine(stderr,
                  sim_texts::LogStarted.arg(line->devicePath())
                      .arg(options.baud)
                      .arg(server.pacingBaud() > 0 ? QStringLiteral("on") : QStringLiteral("off"))
                      .arg(options.replyDelayMs)
                      .arg(seed));
    for (qsizetype i = 0; !options.quiet && i < options.presets.size(); ++i) {
        const diagnosis::ParameterSetHeader& h = options.presets[i].header;
        printLine(stderr, sim_texts::LogPreset.arg(options.paramsFiles[i])
                              .arg(h.address, 3, 10, QLatin1Char('0'))
                              .arg(h.channel)
                              .arg(options.presets[i].entries.size()));
    }
    if (!options.quiet && !options.refusedWrites.isEmpty())
        printLine(stderr,
                  sim_texts::LogRefusing.arg(QString::fromLatin1(options.refusedWrites.join(','))));
    return app.exec();
}
