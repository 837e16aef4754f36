// The batch window's list commands and options.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "batch/form_batch.h"
#include "batch/size_box.h"
#include "fake_prompts.h"

using namespace lumetra;

namespace {

void Touch(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

}  // namespace

class BatchListTest : public QObject {
    Q_OBJECT

    QString lastDir_ = "/start/";
    QString outDir_ = "/out/";
    std::shared_ptr<PromptLog> log_;
    std::unique_ptr<FormBatch> form_;

    QString CountText() const { return form_->findChild<QLabel*>("LabelCount")->text(); }
    QTreeWidget* List() const { return form_->findChild<QTreeWidget*>("LvFile"); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        lastDir_ = "/start/";
        log_ = std::make_shared<PromptLog>();
        form_ = std::make_unique<FormBatch>(nullptr, EngineParams{}, EngineOptions{}, lastDir_, outDir_);
        form_->SetPrompts(std::make_unique<FakePrompts>(log_));
    }
    void cleanup() { form_.reset(); }

    void startsEmptyWithDefaults()
    {
        QCOMPARE(form_->windowTitle(), QString("Batch Converter"));
        QCOMPARE(List()->headerItem()->text(0), QString("File list"));
        QCOMPARE(CountText(), QString("0 file"));
        QCOMPARE(form_->findChild<QLabel*>("LabelState")->text(), QString("Ready"));
        QVERIFY(!form_->findChild<QPushButton*>("CmdStop")->isEnabled());
        QVERIFY(form_->findChild<QPushButton*>("CmdConvert")->isEnabled());

        auto* effects = form_->findChild<QComboBox*>("ComboEffect");
        QCOMPARE(effects->count(), 17);
        QCOMPARE(effects->currentIndex(), 0);
        QCOMPARE(effects->itemText(0), QString("Sketch"));
        QCOMPARE(effects->itemText(2), QString("Pencil Sketch"));
        QCOMPARE(effects->itemText(16), QString("Gray 2 + Dot"));
        auto* formats = form_->findChild<QComboBox*>("ComboFormat");
        QStringList formatTexts;
        for (int i = 0; i < formats->count(); ++i)
            formatTexts << formats->itemText(i);
        QCOMPARE(formatTexts, QStringList({"JPG", "PNG", "GIF", "TIF", "BMP"}));
        QCOMPARE(formats->currentIndex(), 0);

        QVERIFY(form_->findChild<QRadioButton*>("OptionAuto")->isChecked());
        QCOMPARE(form_->findChild<SizeBox*>("TextW")->text(), QString("800"));
        QCOMPARE(form_->findChild<SizeBox*>("TextH")->text(), QString("600"));
        QVERIFY(form_->findChild<QCheckBox*>("CheckAspect")->isChecked());
    }

    void duplicatesAreExactAndCaseSensitive()
    {
        form_->AddFile("/p/a.jpg");
        form_->AddFile("/p/a.jpg");
        form_->AddFile("/p/A.jpg");
        log_->fileAnswer = {"/p/a.jpg", "/p/b.png"};
        form_->CmdAddFiles_Click();
        QCOMPARE(form_->Files(), QStringList({"/p/a.jpg", "/p/A.jpg", "/p/b.png"}));
        QCOMPARE(form_->Status(0), FileStatus::Waiting);
        QCOMPARE(CountText(), QString("3 files"));
    }

    void extensionsAreChecked()
    {
        for (const char* path : {"/p/UPPER.JPEG", "/p/a.jpe", "/p/b.bmp.txt", "/p/noext", "/p/c.TIFF", "/p/d.gif"})
            form_->AddFile(path);
        QCOMPARE(form_->Files(), QStringList({"/p/UPPER.JPEG", "/p/c.TIFF", "/p/d.gif"}));
    }

    void addFilesKeepsLastDirAndCount()
    {
        log_->fileAnswer = {"/x.jpg", "/y.png"};   // a selection made at the root
        form_->CmdAddFiles_Click();
        QCOMPARE(log_->fileStarts, QStringList({"/start/"}));
        QCOMPARE(lastDir_, QString("/"));
        QCOMPARE(form_->Files(), QStringList({"/x.jpg", "/y.png"}));
        QCOMPARE(CountText(), QString("2 files"));

        // Cancelling rewrites the count text and leaves LastDir alone.
        log_->fileAnswer.clear();
        form_->findChild<QLabel*>("LabelCount")->setText("stale");
        form_->CmdAddFiles_Click();
        QCOMPARE(CountText(), QString("2 files"));
        QCOMPARE(lastDir_, QString("/"));
    }

    void addFolderListsOnlyItsOwnPictures()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + "/";
        for (const char* name : {"b.PNG", "a.jpg", "C.tiff", "notes.txt", ".hidden.jpg", "d.jpe"})
            Touch(root + name);
        QVERIFY(QDir(root).mkdir("sub"));
        QVERIFY(QDir(root).mkdir("folder.jpg"));
        Touch(root + "sub/inner.jpg");

        log_->folderAnswers = {dir.path()};   // the chooser returns no trailing separator
        form_->CmdAddFolder_Click();
        QCOMPARE(log_->folderPrompts, QStringList({"Please select a folder.|/start/"}));
        QCOMPARE(form_->Files(), QStringList({root + "a.jpg", root + "b.PNG", root + "C.tiff"}));
        QCOMPARE(lastDir_, root);
        QCOMPARE(CountText(), QString("3 files"));

        // A folder given with its separator is not joined with a second one; adding it
        // again adds nothing.
        log_->folderAnswers = {root};
        form_->CmdAddFolder_Click();
        QCOMPARE(form_->Files().size(), 3);
        QVERIFY(log_->errors.isEmpty());
    }

    void addFolderRefusesUnreadableFolderAndIgnoresCancel()
    {
        log_->folderAnswers = {"/no/such/folder"};
        form_->CmdAddFolder_Click();
        QCOMPARE(log_->errors, QStringList({"Can not read /no/such/folder"}));
        QCOMPARE(lastDir_, QString("/start/"));

        form_->findChild<QLabel*>("LabelCount")->setText("untouched");
        form_->CmdAddFolder_Click();   // no answers left: cancelled
        QCOMPARE(CountText(), QString("untouched"));
        QCOMPARE(log_->errors.size(), 1);
    }

    void removeTakesTheSelectedItems()
    {
        for (const char* path : {"/p/1.jpg", "/p/2.jpg", "/p/3.jpg", "/p/4.jpg"})
            form_->AddFile(path);
        form_->findChild<QLabel*>("LabelCount")->setText("stale");
        form_->CmdRemove_Click();   // nothing selected
        QCOMPARE(form_->Files().size(), 4);
        QCOMPARE(CountText(), QString("4 files"));

        List()->topLevelItem(1)->setSelected(true);
        List()->topLevelItem(3)->setSelected(true);
        form_->CmdRemove_Click();
        QCOMPARE(form_->Files(), QStringList({"/p/1.jpg", "/p/3.jpg"}));
        // A removed path can be added again.
        form_->AddFile("/p/2.jpg");
        QCOMPARE(form_->Files().size(), 3);

        List()->selectAll();
        form_->CmdRemove_Click();
        QCOMPARE(CountText(), QString("0 file"));
        form_->AddFile("/p/5.jpg");
        form_->CmdRemove_Click();
        QCOMPARE(CountText(), QString("1 file"));
    }

    void ctrlASelectsAllAndDeleteRemovesNothing()
    {
        for (const char* path : {"/p/1.jpg", "/p/2.jpg", "/p/3.jpg"})
            form_->AddFile(path);
        List()->setFocus();
        QTest::keyClick(List(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(List()->selectedItems().size(), 3);
        QTest::keyClick(List(), Qt::Key_Delete);
        QCOMPARE(form_->Files().size(), 3);
    }

    void sizeValuesAreNormalised()
    {
        QCOMPARE(NormaliseSizeValue(""), 10);
        QCOMPARE(NormaliseSizeValue("0"), 10);
        QCOMPARE(NormaliseSizeValue("abc"), 10);
        QCOMPARE(NormaliseSizeValue("10"), 10);
        QCOMPARE(NormaliseSizeValue("11"), 11);
        QCOMPARE(NormaliseSizeValue("  640x"), 640);
        QCOMPARE(NormaliseSizeValue("12.5"), 12);   // halves to even
        QCOMPARE(NormaliseSizeValue("13.5"), 14);
        QCOMPARE(NormaliseSizeValue("99999"), 10000);
        QCOMPARE(NormaliseSizeValue("99999999999999999999"), 10000);
    }

    void sizeBoxesFilterSelectAndNormalise()
    {
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        auto* width = form_->findChild<SizeBox*>("TextW");
        auto* height = form_->findChild<SizeBox*>("TextH");
        width->setFocus();
        QTRY_VERIFY(width->hasFocus());
        QVERIFY(form_->findChild<QRadioButton*>("OptionCustom")->isChecked());
        QTRY_COMPARE(width->selectedText(), QString("800"));

        width->setText("");
        QTest::keyClicks(width, "1a-2.3");
        QCOMPARE(width->text(), QString("123"));
        QTest::keyClicks(width, "456789");
        QCOMPARE(width->text(), QString("12345"));   // five characters at most

        width->setText("");
        height->setFocus();
        QTRY_VERIFY(height->hasFocus());
        QCOMPARE(width->text(), QString("10"));
        height->setText("99999");
        width->setFocus();
        QTRY_COMPARE(height->text(), QString("10000"));
    }
};

QTEST_MAIN(BatchListTest)
#include "batch_list_test.moc"
