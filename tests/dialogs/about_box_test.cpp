// The about box: its texts, that the artwork really loads from the resources, and
// that OK closes it.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

#include "dialogs/form_about.h"

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void showsArtworkNameAndOneLineNotice()
    {
        lumetra::FormAbout form;
        QCOMPARE(form.windowTitle(), QString("About"));

        auto* version = form.findChild<QLabel*>("LabelVer");
        QVERIFY(version);
        // "Lumetra" and the major.minor part of the full version number.
        QCOMPARE(version->text(), "Lumetra " + QString(LUMETRA_VERSION).section('.', 0, 1));
        QVERIFY(version->font().bold());

        auto* notice = form.findChild<QLabel*>("LabelNotice");
        QVERIFY(notice);
        QVERIFY(notice->text().contains("GNU GPL, version 3 or later"));
        QVERIFY(!notice->text().contains('\n'));

        auto* artwork = form.findChild<QLabel*>("Image1");
        QVERIFY(artwork);
        const QPixmap pixmap = artwork->pixmap();
        QVERIFY2(!pixmap.isNull(), "the artwork did not load from the resources");
        QVERIFY(pixmap.width() >= 96);
    }

    void okCloses()
    {
        QTimer::singleShot(0, [] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            QTest::mouseClick(modal->findChild<QPushButton*>("CmdOK"), Qt::LeftButton);
        });
        lumetra::FormAbout::Show(nullptr);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
