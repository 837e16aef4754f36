#include "settings_store.h"

#include <QSettings>

namespace lumetra {

namespace {
const QString kOrganisation = QStringLiteral("Veltrup");
const QString kApplication = QStringLiteral("Lumetra");
}  // namespace

QString CleanSettingText(const QString& raw)
{
    if (raw.isEmpty())
        return raw;
    if (raw.front() == QChar(0))
        return {};
    if (raw.back() == QChar(0))
        return raw.chopped(1);
    return raw;
}

QString ReadSetting(const QString& name)
{
    const QVariant value = QSettings(kOrganisation, kApplication).value(name);
    if (!value.isValid() || !value.canConvert<QString>())
        return {};
    return CleanSettingText(value.toString());
}

void WriteSetting(const QString& name, const QString& text)
{
    QSettings store(kOrganisation, kApplication);
    store.setValue(name, text);
    store.sync();
}

}  // namespace lumetra
