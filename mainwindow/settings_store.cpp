#include "settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <cerrno>
#include <sys/stat.h>

#include "imaging/file_names.h"
#include "imaging/input_file.h"

namespace lumetra {

namespace {
const QString kOrganisation = QStringLiteral("Veltrup");
const QString kApplication = QStringLiteral("Lumetra");
}  // namespace

QString CleanSettingText(const QString& raw)
{
    if (raw.isEmpty()) return raw;
    if (raw.front() == QChar(0)) return {};
    if (raw.back() == QChar(0)) return raw.chopped(1);
    return raw;
}

namespace {

// Where QSettings keeps the store, found without constructing one: a QSettings reads
// its file as it is made.
QString SettingsFilePath()
{
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    const QString folder =
        configHome.startsWith('/') ? NameFromBytes(configHome) : QDir::homePath() + QStringLiteral("/.config");
    return folder + QLatin1Char('/') + kOrganisation + QLatin1Char('/') + kApplication + QStringLiteral(".conf");
}

}  // namespace

QString SettingsFileProblem()
{
    const QString path = SettingsFilePath();
    struct stat info {};
    if (stat(NameToBytes(path).constData(), &info) != 0) {
        if (errno == ENOENT) return {};
        return QCoreApplication::translate("lumetra::SettingsStore",
                                           "The settings file \"%1\" cannot be used (%2); the defaults apply.")
            .arg(ShownPath(path), SystemReason(errno));
    }
    if (S_ISREG(info.st_mode)) return {};
    return QCoreApplication::translate("lumetra::SettingsStore",
                                       "The settings file \"%1\" is %2, not a regular file; the defaults apply.")
        .arg(ShownPath(path), KindOfSpecialFile(info.st_mode));
}

QString ReadSetting(const QString& name)
{
    if (!SettingsFileProblem().isEmpty()) return {};
    const QVariant value = QSettings(kOrganisation, kApplication).value(name);
    if (!value.isValid() || !value.canConvert<QString>()) return {};
    return CleanSettingText(value.toString());
}

void WriteSetting(const QString& name, const QString& text)
{
    if (!SettingsFileProblem().isEmpty()) return;
    QSettings store(kOrganisation, kApplication);
    store.setValue(name, text);
    store.sync();
}

}  // namespace lumetra
