// The batch window's list commands and size boxes.

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QUrl>
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

class BatchListTest : public QObject {
    Q_OBJECT

    QString lastDir_, outDir_;
    std::shared_ptr<PromptLog> log_;
    std::unique_ptr<FormBatch> form_;

    QLabel* Count() const { return form_->findChild<QLabel*>("LabelCount"); }
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

    void startsEmptyWithTheEffectList()
    {
        QCOMPARE(Count()->text(), QString("0 file"));
        QVERIFY(!form_->findChild<QPushButton*>("CmdStop")->isEnabled());
        auto* effects = form_->findChild<QComboBox*>("ComboEffect");
        QCOMPARE(effects->count(), 17);
        QCOMPARE(effects->itemText(0), QString("Sketch"));
        QCOMPARE(effects->itemText(16), QString("Gray 2 + Dot"));
    }

    void addsEachAcceptedPathOnce()
    {
        for (const char* path :
             {"/p/a.jpg", "/p/a.jpg", "/p/A.jpg", "/p/UP.JPEG", "/p/x.jpe", "/p/x.bmp.txt", "/p/noext"})
            form_->AddFile(path);
        log_->fileAnswer = {"/p/a.jpg", "/p/b.png"};
        form_->CmdAddFiles_Click();
        QCOMPARE(form_->Files(), QStringList({"/p/a.jpg", "/p/A.jpg", "/p/UP.JPEG", "/p/b.png"}));
        QCOMPARE(form_->Status(0), FileStatus::Waiting);
        QCOMPARE(Count()->text(), QString("4 files"));
        QCOMPARE(log_->fileStarts, QStringList({"/start/"}));
        QCOMPARE(lastDir_, QString("/p/"));

        // A selection at the root keeps a single separator; a cancel still rewrites the count.
        log_->fileAnswer = {"/r.jpg"};
        form_->CmdAddFiles_Click();
        QCOMPARE(lastDir_, QString("/"));
        log_->fileAnswer.clear();
        Count()->setText("stale");
        form_->CmdAddFiles_Click();
        QCOMPARE(Count()->text(), QString("5 files"));
    }

    void addFolderTakesOnlyItsOwnPictures()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + "/";
        QVERIFY(QDir(root).mkdir("sub"));
        QVERIFY(QDir(root).mkdir("folder.jpg"));
        for (const char* name : {"b.PNG", "a.jpg", "C.tiff", "notes.txt", ".hidden.jpg", "d.jpe", "sub/inner.jpg",
                                 "e.HEIC", "f.webp", "g.jxl", "h.avif"})
            QVERIFY(QFile(root + name).open(QIODevice::WriteOnly));

        log_->folderAnswers = {dir.path(), root, "/no/such/folder"};
        form_->CmdAddFolder_Click();
        QCOMPARE(log_->folderPrompts, QStringList({"Please select a folder.|/start/"}));
        QCOMPARE(form_->Files(), QStringList({root + "a.jpg", root + "b.PNG", root + "C.tiff", root + "e.HEIC",
                                              root + "f.webp", root + "g.jxl", root + "h.avif"}));
        QCOMPARE(lastDir_, root);
        form_->CmdAddFolder_Click();  // given with its separator: no doubled one, nothing new
        QCOMPARE(form_->Files().size(), 7);

        form_->CmdAddFolder_Click();
        QCOMPARE(log_->errors, QStringList({"Can not read /no/such/folder"}));
        QCOMPARE(lastDir_, root);
        Count()->setText("untouched");
        form_->CmdAddFolder_Click();  // cancelled
        QCOMPARE(Count()->text(), QString("untouched"));
    }

    void subFoldersAndDropsKeepTheirFolders()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + "/";
        QVERIFY(QDir(root).mkpath("top/2020/may"));
        for (const char* name :
             {"top/a.jpg", "top/2020/b.png", "top/2020/may/c.gif", "top/2020/may/x.txt", "loose.bmp", "other.txt"})
            QVERIFY(QFile(root + name).open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(root + "top/a.jpg", root + "same as a.jpg"));

        log_->folderAnswers = {root + "top"};
        form_->CmdAddFolderTree_Click();
        QCOMPARE(log_->folderPrompts, QStringList({"Please select a folder.|/start/"}));
        const QList<BatchInput> expected{
            {root + "top/a.jpg", ""}, {root + "top/2020/b.png", "2020"}, {root + "top/2020/may/c.gif", "2020/may"}};
        QCOMPARE(form_->Inputs(), expected);
        QCOMPARE(Count()->text(), QString("3 files"));

        // Dropped: a file as it is, a folder with its sub-folders, a refused file left out,
        // a listed file under another name left out.
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(root + "loose.bmp"), QUrl::fromLocalFile(root + "top/2020"),
                      QUrl::fromLocalFile(root + "other.txt"), QUrl::fromLocalFile(root + "same as a.jpg")});
        QWidget* target = List()->viewport();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QCOMPARE(form_->Files().mid(3), QStringList({root + "loose.bmp"}));  // the folder's files were listed already
        QCOMPARE(Count()->text(), QString("4 files"));

        QMimeData text;
        text.setText("not a file");
        QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &refused);
        QVERIFY(!refused.isAccepted());
    }

    void removeAndSelectAll()
    {
        for (const char* path : {"/p/1.jpg", "/p/2.jpg", "/p/3.jpg", "/p/4.jpg"}) form_->AddFile(path);
        form_->CmdRemove_Click();  // nothing selected
        QCOMPARE(Count()->text(), QString("4 files"));
        List()->topLevelItem(1)->setSelected(true);
        List()->topLevelItem(3)->setSelected(true);
        form_->CmdRemove_Click();
        QCOMPARE(form_->Files(), QStringList({"/p/1.jpg", "/p/3.jpg"}));
        form_->AddFile("/p/2.jpg");  // a removed path can come back

        QTest::keyClick(List(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(List()->selectedItems().size(), 3);
        QTest::keyClick(List(), Qt::Key_Delete);
        QCOMPARE(form_->Files().size(), 3);
        form_->CmdRemove_Click();
        QCOMPARE(Count()->text(), QString("0 file"));
        form_->AddFile("/p/5.jpg");
        form_->CmdRemove_Click();
        QCOMPARE(Count()->text(), QString("1 file"));
    }

    void sizeValuesAreNormalised()
    {
        const QList<std::pair<QString, int>> cases{{"", 10},     {"0", 10},        {"abc", 10},
                                                   {"11", 11},   {"  640x", 640},  {"12.5", 12},
                                                   {"13.5", 14}, {"99999", 10000}, {"99999999999999999999", 10000}};
        for (const auto& [text, value] : cases) QCOMPARE(NormaliseSizeValue(text), value);
    }

    void sizeBoxesFilterSelectAndNormalise()
    {
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        auto* width = form_->findChild<SizeBox*>("TextW");
        auto* height = form_->findChild<SizeBox*>("TextH");
        width->setFocus();
        QVERIFY(form_->findChild<QRadioButton*>("OptionCustom")->isChecked());
        QTRY_COMPARE(width->selectedText(), QString("800"));

        width->setText("");
        QTest::keyClicks(width, "1a-2.3456789");
        QCOMPARE(width->text(), QString("12345"));  // digits only, five at most
        width->setText("");
        height->setFocus();
        QCOMPARE(width->text(), QString("10"));
        height->setText("99999");
        width->setFocus();
        QCOMPARE(height->text(), QString("10000"));
    }
};

QTEST_MAIN(BatchListTest)
#include "batch_list_test.moc"
