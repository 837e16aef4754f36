// The parameter panel: the text rule, the key filter, the enabling rules, Reset and
// the engine values it hands on.

#include <QCheckBox>
#include <QSlider>

#include "mainwindow/number_box.h"
#include "mainwindow/parameter_panel.h"
#include "mainwindow/parameter_text.h"
#include "window_test_support.h"

using namespace lumetra;
using namespace lumetra::testing;

class ParameterPanelTest : public QObject {
    Q_OBJECT
private:
    AppState state;
    std::unique_ptr<ParameterPanel> panel;

    void Type(ParameterId id, const QString& text)
    {
        panel->TextBox(id)->selectAll();
        QTest::keyClicks(panel->TextBox(id), text);
    }
    QString Text(ParameterId id) const { return panel->TextBox(id)->text(); }

private slots:
    void init()
    {
        state = AppState{};
        state.params.EdgeThreshold = -1;  // Reset must set every value, not rely on defaults
        panel = std::make_unique<ParameterPanel>(state);
        panel->Reset();
        panel->show();
    }

    void textRuleClampsAndReadsLeadingNumber_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        const int dark = int(ParameterId::Dark), dot = int(ParameterId::Dot), brush = int(ParameterId::BrushWidth);
        QTest::newRow("empty, minimum 0") << dark << "" << 0;
        QTest::newRow("empty, minimum 1") << dot << "" << 1;
        QTest::newRow("leading zeros") << dark << "007" << 7;
        QTest::newRow("above maximum") << brush << "300" << 200;
        QTest::newRow("zero on a row from 1") << brush << "0" << 1;
        QTest::newRow("leading number only") << dark << "12ab34" << 12;
        QTest::newRow("largest 32-bit number") << dark << "2147483647" << 255;
        QTest::newRow("too large for 32 bits, minimum 0") << dark << "2147483648" << 0;
        QTest::newRow("too large for 32 bits, minimum 1") << dot << "99999999999999999999" << 1;
    }
    void textRuleClampsAndReadsLeadingNumber()
    {
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(ParseParameterText(text, kParameters[row]), expected);
    }

    void resetShowsDefaultsAndSetsEngineValues()
    {
        QCOMPARE(Text(ParameterId::Sensitivity), QStringLiteral("227"));
        QCOMPARE(Text(ParameterId::DetailLevel), QStringLiteral("8"));
        QCOMPARE(Text(ParameterId::Dark), QStringLiteral("70"));
        QCOMPARE(Text(ParameterId::BrushWidth), QStringLiteral("10"));
        QCOMPARE(Text(ParameterId::Dot), QStringLiteral("20"));
        QCOMPARE(state.params, EngineParams{});
        QCOMPARE(state.params.EdgeThreshold, 28);
        QCOMPARE(state.params.VoteThreshold, 1);
        QCOMPARE(state.options, EngineOptions{});
        for (const ParameterInfo& info : kParameters) QCOMPARE(panel->Slider(info.id)->value(), info.resetValue);

        // Changed values and options all come back.
        Type(ParameterId::Dark, "200");
        panel->CheckMixColor()->setChecked(false);
        panel->CheckAdjust()->setChecked(false);
        panel->CheckSharpen()->setChecked(true);
        panel->Slider(ParameterId::Sensitivity)->setValue(0);
        panel->Reset();
        QCOMPARE(state.params, EngineParams{});
        QCOMPARE(state.options, EngineOptions{});
        QCOMPARE(Text(ParameterId::Dark), QStringLiteral("70"));
        QVERIFY(panel->CheckColorSketch()->isEnabled());
        QVERIFY(panel->TextBox(ParameterId::BrushWidth)->isEnabled());
        QVERIFY(panel->Slider(ParameterId::BrushWidth)->isEnabled());
    }

    void typingUpdatesBoxSliderAndEngine()
    {
        Type(ParameterId::BrushWidth, "300");
        QCOMPARE(Text(ParameterId::BrushWidth), QStringLiteral("200"));
        QCOMPARE(panel->Slider(ParameterId::BrushWidth)->value(), 200);
        QCOMPARE(state.params.BrushWidth, 200);

        Type(ParameterId::Sensitivity, "100");
        QCOMPARE(state.params.EdgeThreshold, 155);
        Type(ParameterId::DetailLevel, "3");
        QCOMPARE(state.params.VoteThreshold, 6);

        panel->TextBox(ParameterId::Dark)->clear();
        QCOMPARE(Text(ParameterId::Dark), QStringLiteral("0"));
        QCOMPARE(state.params.DarkThreshold, 0);
        panel->TextBox(ParameterId::Dot)->clear();
        QCOMPARE(Text(ParameterId::Dot), QStringLiteral("1"));
        QCOMPARE(state.params.DotSensitivity, 1);

        // A slider move rewrites the text and the engine value.
        panel->Slider(ParameterId::Sensitivity)->setValue(250);
        QCOMPARE(Text(ParameterId::Sensitivity), QStringLiteral("250"));
        QCOMPARE(state.params.EdgeThreshold, 5);
    }

    void onlyDigitsAndBackspaceAreTyped()
    {
        NumberBox* box = panel->TextBox(ParameterId::Dark);
        box->setFocus();
        box->setText(QStringLiteral("12"));
        box->end(false);
        QTest::keyClicks(box, "a-. 3x");
        QCOMPARE(box->text(), QStringLiteral("123"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("12"));
        QCOMPARE(state.params.DarkThreshold, 12);
        // Pasted text is refused unless it is all digits.
        box->selectAll();
        box->insert(QStringLiteral("4b"));
        QCOMPARE(box->text(), QStringLiteral("12"));
    }

    void focusSelectsWholeText()
    {
        NumberBox* box = panel->TextBox(ParameterId::Dot);
        panel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(panel.get()));
        box->setFocus(Qt::MouseFocusReason);
        QTRY_COMPARE(box->selectedText(), QStringLiteral("20"));
    }

    void blurAndSharpenExcludeEachOther()
    {
        panel->CheckBlur()->setChecked(true);
        panel->CheckSharpen()->setChecked(true);
        QVERIFY(!panel->CheckBlur()->isChecked());
        QVERIFY(state.options.sharpen && !state.options.blur);
        panel->CheckBlur()->setChecked(true);
        QVERIFY(!panel->CheckSharpen()->isChecked());
        QVERIFY(state.options.blur && !state.options.sharpen);
        panel->CheckBlur()->setChecked(false);
        QVERIFY(!state.options.blur && !state.options.sharpen);
    }

    void enablingFollowsAdjustAndMix()
    {
        panel->CheckColorSketch()->setChecked(true);
        panel->CheckAdjust()->setChecked(false);
        QVERIFY(!panel->CheckColorSketch()->isEnabled());
        QVERIFY(panel->CheckColorSketch()->isChecked());  // keeps its value while disabled
        QVERIFY(state.options.colorSketch && !state.options.colorSketchEnabled);
        panel->CheckAdjust()->setChecked(true);
        QVERIFY(panel->CheckColorSketch()->isEnabled());
        QVERIFY(state.options.colorSketchEnabled);

        panel->CheckMixColor()->setChecked(false);
        QVERIFY(!panel->Slider(ParameterId::BrushWidth)->isEnabled());
        QVERIFY(!panel->TextBox(ParameterId::BrushWidth)->isEnabled());
        QVERIFY(!state.options.mix);
        QVERIFY(panel->Slider(ParameterId::Dot)->isEnabled());
        panel->CheckMixColor()->setChecked(true);
        QVERIFY(panel->TextBox(ParameterId::BrushWidth)->isEnabled());
    }
};

LUMETRA_WINDOW_TEST_MAIN(ParameterPanelTest)
#include "parameter_panel_test.moc"
