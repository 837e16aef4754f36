// The help page installed beside the program: it is where Help looks for it (and under
// share/lumetra once installed), every picture and link on it resolves, it explains every
// effect, parameter, option and view command, it names the program's version as the about
// box does, and the help window shows it with its pictures and links working.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QScrollBar>
#include <QTextBrowser>
#include <QtTest>

#include "assets/program_data.h"
#include "dialogs/form_about.h"
#include "dialogs/help_page.h"
#include "dialogs/help_window.h"
#include "engine/catalogue.h"
#include "engine/options.h"

class HelpPageTest : public QObject {
    Q_OBJECT

    QString page_;
    QString html_;

private slots:
    void initTestCase()
    {
        page_ = lumetra::HelpPagePath();
        QFile file(page_);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable("cannot read " + page_));
        html_ = QString::fromUtf8(file.readAll());
    }

    void liesInTheProgramFolder()
    {
        QCOMPARE(QFileInfo(page_).absolutePath(), QDir(QCoreApplication::applicationDirPath()).filePath("help"));
    }

    // Installed, the page is found under share/lumetra of whatever prefix the program was
    // installed or moved to; a page beside the program (the build folder) comes first.
    void installedPageIsFoundFromTheProgramFolder()
    {
        QTemporaryDir prefix;
        QVERIFY(QDir(prefix.path()).mkpath("bin") && QDir(prefix.path()).mkpath("share/lumetra/help"));
        const QString bin = prefix.filePath("bin");
        const QString installed = prefix.filePath("share/lumetra/help/index.html");
        const QString beside = prefix.filePath("bin/help/index.html");
        QCOMPARE(lumetra::ProgramDataPath(bin, "help/index.html"), beside);
        QVERIFY(QFile(installed).open(QIODevice::WriteOnly));
        QCOMPARE(lumetra::ProgramDataPath(bin, "help/index.html"), installed);
        QVERIFY(QDir(bin).mkpath("help") && QFile(beside).open(QIODevice::WriteOnly));
        QCOMPARE(lumetra::ProgramDataPath(bin, "help/index.html"), beside);
    }

    void everyPictureAndLinkResolves()
    {
        const QDir folder = QFileInfo(page_).absoluteDir();
        static const QRegularExpression reference(R"re((?:src|href)="([^"]+)")re");
        static const QRegularExpression anchor(R"re(id="([^"]+)")re");
        QStringList ids;
        for (const auto& m : anchor.globalMatch(html_)) ids << m.captured(1);
        int checked = 0;
        for (const auto& m : reference.globalMatch(html_)) {
            const QString target = m.captured(1);
            if (target.startsWith('#'))
                QVERIFY2(ids.contains(target.mid(1)), qPrintable("no anchor for " + target));
            else
                QVERIFY2(QFileInfo(folder.filePath(target)).isFile(), qPrintable("missing " + target));
            ++checked;
        }
        QVERIFY(checked > 20);
    }

    void explainsEveryEffectParameterOptionAndCommand()
    {
        for (const auto& effect : lumetra::kCatalogue) {
            const QString name = QString::fromUtf8(effect.name.data(), int(effect.name.size()));
            QVERIFY2(html_.contains("<b>" + name + "</b>"), qPrintable("no entry for " + name));
        }
        for (const auto& parameter : lumetra::kParameters) {
            QString caption = QString::fromUtf8(parameter.caption.data(), int(parameter.caption.size()));
            caption.chop(1);  // the panel's trailing colon
            QVERIFY2(html_.contains("<td>" + caption + "</td>"), qPrintable("no row for " + caption));
        }
        for (const char* option : {"Blur", "Sharpen", "Adjust sketch depth", "Color Sketch", "Mix similar color"})
            QVERIFY2(html_.contains(QString("<td>%1</td>").arg(option)), option);
        for (const char* command : {"Zoom In", "Zoom Out", "Actual Size", "Fit to Window", "<b>Compare</b>",
                                    "<kbd>F5</kbd>", "<kbd>Ctrl+0</kbd>", "<kbd>\\</kbd>"})
            QVERIFY2(html_.contains(QString::fromUtf8(command)), command);
        QVERIFY2(!html_.contains("always keeps the picture as it was opened"), "Original after a resize");
    }

    void helpWindowShowsThePageWithPicturesAndLinks()
    {
        lumetra::HelpWindow window;
        window.show();
        QCOMPARE(window.Load(page_), QString());
        QTextBrowser* browser = window.Browser();
        QCOMPARE(browser->documentTitle(), QString("Lumetra Help"));
        const QVariant picture = browser->loadResource(QTextDocument::ImageResource, QUrl("images/01-sketch.jpg"));
        QVERIFY(!QImage::fromData(picture.toByteArray()).isNull());

        QCOMPARE(browser->verticalScrollBar()->value(), 0);
        browser->setSource(QUrl("#keys"));
        QVERIFY(browser->verticalScrollBar()->value() > 0);
        browser->backward();
        QCOMPARE(browser->verticalScrollBar()->value(), 0);

        const QString missing = QFileInfo(page_).absoluteDir().filePath("missing.html");
        QVERIFY(window.Load(missing).contains(missing));
    }

    void namesTheVersionOfTheAboutBox() { QVERIFY(html_.contains(QString(lumetra::kVersionCaption) + " is free")); }
};

QTEST_MAIN(HelpPageTest)
#include "help_page_test.moc"
