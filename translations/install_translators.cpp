#include "translations/install_translators.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

// The .qm files live in this static library's resources, registered by name.
static void LoadTranslationResources() { Q_INIT_RESOURCE(lumetra_translations_translations); }

namespace lumetra {

namespace {

void Install(const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(), name, QStringLiteral("_"), folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

}  // namespace

void InstallTranslators()
{
    LoadTranslationResources();
    Install(QStringLiteral("lumetra"), QStringLiteral(":/i18n"));
    Install(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

}  // namespace lumetra
