// The program in the user's language: run under LANG=de_DE.UTF-8 and LANG=fr_FR.UTF-8,
// the main window, the batch converter, the engine's captions, the file dialogs' filters,
// Qt's own buttons and the command line's help show the translated texts, with the right
// plural forms, and every text of that language's .ts file is translated.

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QtTest>

#include "batch/form_batch.h"
#include "cli/help_text.h"
#include "engine/options.h"
#include "imaging/picture_formats.h"
#include "mainwindow/form_main.h"
#include "translations/captions.h"
#include "translations/install_translators.h"

namespace {

struct Captions {
    QString language;  // of the .ts file
    QString fileMenu, generate, darkness, pencilSketch, batchTitle, addFiles, noFiles, cancel, helpStart, jpgFilter;
};

Captions Expected()
{
    if (QLocale().language() == QLocale::French)
        return {"fr",
                "&Fichier",
                "Générer",
                "Obscurité :",
                "Croquis au crayon",
                "Conversion par lot",
                "Ajouter des fichiers",
                "0 fichier",
                "Annuler",
                "Utilisation :",
                "Fichiers JPG (*.jpg *.jpeg)"};
    return {"de",
            "&Datei",
            "Erzeugen",
            "Dunkelheit:",
            "Bleistiftskizze",
            "Stapelumwandlung",
            "Dateien hinzufügen",
            "0 Dateien",
            "Abbrechen",
            "Aufruf:",
            "JPG-Dateien (*.jpg *.jpeg)"};
}

bool HasLabel(const QWidget& window, const QString& text)
{
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->text() == text) return true;
    return false;
}

}  // namespace

class TranslatedWindowTest : public QObject {
    Q_OBJECT
    Captions expected_;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY2(QLocale().language() == QLocale::German || QLocale().language() == QLocale::French,
                 "run with LANG=de_DE.UTF-8 or LANG=fr_FR.UTF-8");
        lumetra::InstallTranslators();
        expected_ = Expected();
    }

    void mainWindowCaptions()
    {
        lumetra::FormMain window;
        QCOMPARE(window.menuBar()->actions().first()->text(), expected_.fileMenu);
        bool generate = false;
        for (const QPushButton* button : window.findChildren<QPushButton*>())
            generate = generate || button->text() == expected_.generate;
        QVERIFY2(generate, qPrintable("no button " + expected_.generate));
        QVERIFY2(HasLabel(window, expected_.darkness), qPrintable("no label " + expected_.darkness));
        QCOMPARE(lumetra::EffectCaption(3), expected_.pencilSketch);
        QCOMPARE(lumetra::ParameterCaption(lumetra::Parameter(lumetra::ParameterId::Dark)), expected_.darkness);
        QCOMPARE(lumetra::OpenFilters().at(1), expected_.jpgFilter);
    }

    void batchConverterCaptionsAndPlural()
    {
        QString lastDir, outDir;
        lumetra::FormBatch form(nullptr, lumetra::EngineParams{}, lumetra::EngineOptions{}, lastDir, outDir);
        QCOMPARE(form.windowTitle(), expected_.batchTitle);
        QCOMPARE(form.findChild<QPushButton*>("CmdAddFiles")->text(), expected_.addFiles);
        QVERIFY2(HasLabel(form, expected_.noFiles), qPrintable("no count " + expected_.noFiles));
    }

    void qtOwnButtonsFollow()
    {
        QDialogButtonBox box(QDialogButtonBox::Cancel);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text().remove('&'), expected_.cancel);
    }

    void commandLineHelp() { QVERIFY(lumetra::cli::HelpText().startsWith(expected_.helpStart)); }

    void everyTextTranslated()
    {
        QFile ts(QStringLiteral(LUMETRA_SOURCE_DIR "/translations/lumetra_%1.ts").arg(expected_.language));
        QVERIFY(ts.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&ts);
        int messages = 0;
        QString source;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            if (xml.name() == QLatin1String("source"))
                source = xml.readElementText();
            else if (xml.name() == QLatin1String("translation")) {
                ++messages;
                QVERIFY2(xml.attributes().value("type").isEmpty(), qPrintable("not translated: " + source));
            }
        }
        QVERIFY(!xml.hasError());
        QVERIFY(messages > 100);
    }
};

QTEST_MAIN(TranslatedWindowTest)
#include "translated_window_test.moc"
