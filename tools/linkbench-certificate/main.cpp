#include "diagnosis/TestRecord.h"
#include "platform/ConsoleOutput.h"
#include "widgets/CertificatePdf.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>

// linkbench-certificate RECORD.json OUT.pdf: the certificate of a test record
// that linkbench-poll wrote. Exit 0 when written, 2 otherwise.
int main(int argc, char* argv[])
{
#ifndef Q_OS_WIN
    // It draws no window: it needs no display either.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    writeUtf8ToConsole();
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3) {
        std::fputs("linkbench-certificate RECORD.json OUT.pdf\n", stderr);
        return 2;
    }
    QFile file(arguments[1]);
    const std::optional<diagnosis::TestRecord> record =
        file.open(QIODevice::ReadOnly) ? diagnosis::recordFromJson(file.readAll()) : std::nullopt;
    QString error = file.errorString();
    if (!record || !widgets::writeCertificatePdf(*record, arguments[2], &error)) {
        std::fputs((error + u'\n').toUtf8().constData(), stderr);
        return 2;
    }
    return 0;
}
