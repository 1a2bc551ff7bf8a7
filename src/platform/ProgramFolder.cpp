#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

QString programFolder()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString programSubPath(const QString& folder, const QString& relative)
{
    return QDir::toNativeSeparators(
        QDir::cleanPath(QDir::fromNativeSeparators(folder) + QLatin1Char('/') + relative));
}
