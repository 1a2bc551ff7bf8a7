#include "platform/UserSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

std::unique_ptr<QSettings> openSettings(const QString& application, const QString& folder)
{
    const QString portable =
        QDir(QDir::fromNativeSeparators(folder)).filePath(kPortableSettingsFile);
    if (QFileInfo::exists(portable))
        return std::make_unique<QSettings>(portable, QSettings::IniFormat);
    return std::make_unique<QSettings>(QStringLiteral("LinkBench"), application);
}
