// The resize prompt: the sizes it settles on, the rules of its size boxes, and that
// cancelling yields nothing.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

#include "dialogs/form_resize.h"

using lumetra::FormResize;

class ResizePromptTest : public QObject {
    Q_OBJECT

    // Shows a prompt for a picture of the given size and waits until it has the focus.
    static std::unique_ptr<FormResize> ShownPrompt(QSize picture)
    {
        auto form = std::make_unique<FormResize>(picture);
        form->show();
        if (!QTest::qWaitForWindowActive(form.get())) qFatal("the resize prompt never became active");
        return form;
    }

    static QLineEdit* Box(FormResize& form, const char* name) { return form.findChild<QLineEdit*>(name); }

    // Types text into a box (after selecting what it holds) and moves the focus on.
    static void TypeAndLeave(FormResize& form, QLineEdit* box, const QString& text)
    {
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
        form.findChild<QPushButton*>("CmdCancel")->setFocus();
        QTRY_VERIFY(!box->hasFocus());
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void automaticSize_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("landscape") << QSize(2000, 1500) << QSize(800, 600);
        QTest::newRow("portrait") << QSize(1500, 2000) << QSize(600, 800);
        QTest::newRow("600.29 rounds down") << QSize(1366, 1025) << QSize(800, 600);
        QTest::newRow("square takes the portrait rule") << QSize(1200, 1200) << QSize(800, 800);
        QTest::newRow("162.5 goes to the even 162") << QSize(4096, 832) << QSize(800, 162);
        QTest::newRow("187.5 goes to the even 188") << QSize(4096, 960) << QSize(800, 188);
        QTest::newRow("a sliver keeps one row") << QSize(2000000, 769) << QSize(800, 1);
    }
    void automaticSize()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, expected);
        QCOMPARE(lumetra::AutoSize(picture), expected);
        FormResize form(picture);
        QCOMPARE(form.ChosenSize(), expected);
    }

    void sizeBoxesClampWhenLeft_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("below the smallest side") << "5" << QSize(10, 10);
        QTest::newRow("empty") << "" << QSize(10, 10);
        QTest::newRow("larger than the picture") << "5000" << QSize(2000, 1500);
        QTest::newRow("beyond any integer") << "99999999999999" << QSize(2000, 1500);
        QTest::newRow("leading zeros") << "0640" << QSize(640, 640);
    }
    void sizeBoxesClampWhenLeft()
    {
        QFETCH(QString, typed);
        QFETCH(QSize, expected);
        auto form = ShownPrompt(QSize(2000, 1500));
        TypeAndLeave(*form, Box(*form, "TextW"), typed);
        TypeAndLeave(*form, Box(*form, "TextH"), typed);
        QCOMPARE(Box(*form, "TextW")->text(), QString::number(expected.width()));
        QCOMPARE(Box(*form, "TextH")->text(), QString::number(expected.height()));
        QCOMPARE(form->ChosenSize(), expected);
    }

    void sizeBoxesTakeDigitsAndBackspaceOnly()
    {
        auto form = ShownPrompt(QSize(2000, 1500));
        QLineEdit* box = Box(*form, "TextW");
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        box->clear();
        QTest::keyClicks(box, "1a2-3.4 +5e");
        QCOMPARE(box->text(), QString("12345"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QString("1234"));
    }

    void opensOnAutoAndFocusingABoxSelectsCustom()
    {
        auto form = ShownPrompt(QSize(1600, 1200));
        QCOMPARE(form->windowTitle(), QString("Resize"));
        QVERIFY(form->findChild<QRadioButton*>("OptionAuto")->isChecked());
        QCOMPARE(Box(*form, "TextW")->text(), QString("1600"));
        QLineEdit* box = Box(*form, "TextH");
        QCOMPARE(box->text(), QString("1200"));
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(form->findChild<QRadioButton*>("OptionCustom")->isChecked());
        QTRY_COMPARE(box->selectedText(), QString("1200"));
        // Nothing typed: OK keeps the original size.
        QCOMPARE(form->ChosenSize(), QSize(1600, 1200));
    }

    // Enter in a size box reaches OK without the box losing the focus; the typed value
    // must still be held to the limits, never a zero or larger-than-picture size.
    void enterStraightFromABoxStillClamps()
    {
        auto form = ShownPrompt(QSize(2000, 1500));
        QLineEdit* width = Box(*form, "TextW");
        TypeAndLeave(*form, Box(*form, "TextH"), "99999");
        width->setFocus();
        QTRY_VERIFY(width->hasFocus());
        width->selectAll();
        QTest::keyClicks(width, "0");
        QVERIFY(width->hasFocus());
        QCOMPARE(form->ChosenSize(), QSize(10, 1500));
        QTest::keyClick(width, Qt::Key_Return);
        QCOMPARE(form->result(), int(QDialog::Accepted));
        QCOMPARE(form->ChosenSize(), QSize(10, 1500));
    }

    void askReturnsTheChosenSizeOnOk()
    {
        QTimer::singleShot(0, [] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            QTest::mouseClick(modal->findChild<QPushButton*>("CmdOK"), Qt::LeftButton);
        });
        QCOMPARE(FormResize::Ask(nullptr, QSize(2000, 1500)), std::optional<QSize>(QSize(800, 600)));
    }

    void askReturnsNothingOnCancelOrClose_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Cancel") << false;
        QTest::newRow("close box") << true;
    }
    void askReturnsNothingOnCancelOrClose()
    {
        QFETCH(bool, closeBox);
        QTimer::singleShot(0, [closeBox] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            // A custom size typed before cancelling must not leak out.
            modal->findChild<QLineEdit*>("TextW")->setText("20");
            modal->findChild<QRadioButton*>("OptionCustom")->setChecked(true);
            if (closeBox)
                modal->close();
            else
                QTest::mouseClick(modal->findChild<QPushButton*>("CmdCancel"), Qt::LeftButton);
        });
        QCOMPARE(FormResize::Ask(nullptr, QSize(2000, 1500)), std::optional<QSize>());
    }
};

QTEST_MAIN(ResizePromptTest)
#include "resize_prompt_test.moc"
