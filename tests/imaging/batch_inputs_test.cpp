// The input list of a batch: folders walked (with loops), lists split, the sorted list
// shared out, and output names that never collide within a run.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "imaging/batch_inputs.h"
#include "imaging/batch_progress.h"
#include "imaging/output_plan.h"

namespace lumetra {
namespace {

void Touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile(path).open(QIODevice::WriteOnly);
}

TEST(BatchInputsTest, FoldersAreWalkedOnceEvenThroughLoopingLinks)
{
    QTemporaryDir dir;
    const QString top = dir.filePath("top");
    for (const char* name :
         {"b.jpg", "a.PNG", "notes.txt", ".hidden.jpg", "trip/x.tif", "trip/day 2/y.gif", ".cache/z.jpg"})
        Touch(top + "/" + name);
    ASSERT_TRUE(QFile::link(top, top + "/trip/back-to-top"));     // a loop
    ASSERT_TRUE(QFile::link(top + "/trip", top + "/also-trip"));  // the same folder twice

    const QList<BatchInput> own = FindPictures(top, false);
    EXPECT_EQ(own, (QList<BatchInput>{{top + "/a.PNG", ""}, {top + "/b.jpg", ""}}));

    const QList<BatchInput> all = FindPictures(top + "/", true);
    QStringList seen;
    for (const BatchInput& input : all) seen << input.subFolder + "|" + QFileInfo(input.path).fileName();
    // The linked copy of "trip" is reached first in name order and walked; the real one is then seen again.
    EXPECT_EQ(seen, (QStringList{"|a.PNG", "|b.jpg", "also-trip|x.tif", "also-trip/day 2|y.gif"}));
}

TEST(BatchInputsTest, ListsSplitByLineOrNul)
{
    EXPECT_EQ(SplitFileList("a.jpg\r\n\nsub/b c.png\n", false), (QStringList{"a.jpg", "sub/b c.png"}));
    EXPECT_EQ(SplitFileList(QByteArray("line\nbreak.jpg\0b.png\0", 20), true),
              (QStringList{"line\nbreak.jpg", "b.png"}));
    EXPECT_TRUE(SplitFileList("", false).isEmpty());
}

TEST(BatchInputsTest, ShardsOfTheSortedListCoverEveryInputOnce)
{
    const QList<BatchInput> inputs = SortedUnique(
        {{"c.jpg", ""}, {"./a.jpg", ""}, {"b.jpg", ""}, {"a.jpg", ""}, {"b.jpg", "sub"}, {"e.jpg", ""}, {"d.jpg", ""}});
    ASSERT_EQ(inputs.size(), 6);
    EXPECT_EQ(inputs.first(), (BatchInput{"a.jpg", ""}));
    EXPECT_EQ(ShardPositions(inputs.size(), {1, 4}), (QList<qsizetype>{1, 5}));
    for (int count : {1, 2, 4, 7}) {
        QList<int> times(inputs.size(), 0);
        for (int k = 0; k < count; ++k)
            for (qsizetype position : ShardPositions(inputs.size(), {k, count})) ++times[position];
        EXPECT_EQ(times, QList<int>(inputs.size(), 1)) << count;
    }
    EXPECT_EQ(ParseShard("3/4")->index, 3);
    for (const char* bad : {"4/4", "-1/2", "1/0", "x/2", "1", "1/2/3", ""})
        EXPECT_FALSE(ParseShard(bad).has_value()) << bad;
}

TEST(BatchInputsTest, OneFileNamedTwiceIsConvertedOnce)
{
    QTemporaryDir dir;
    Touch(dir.filePath("a.jpg"));
    ASSERT_TRUE(QFile::link(dir.filePath("a.jpg"), dir.filePath("link to a.jpg")));
    const QString viaDots = dir.filePath("sub/../a.jpg");
    const QList<BatchInput> inputs = SortedUnique({{dir.filePath("link to a.jpg"), ""},
                                                   {viaDots, ""},
                                                   {dir.filePath("a.jpg"), "trip"},
                                                   {dir.filePath("b.jpg"), ""}});
    EXPECT_EQ(inputs, (QList<BatchInput>{
                          {dir.filePath("a.jpg"), ""}, {dir.filePath("a.jpg"), "trip"}, {dir.filePath("b.jpg"), ""}}));
}

TEST(BatchInputsTest, LaterInputsWithTheSameOutputGetNumberedNames)
{
    const QList<BatchInput> inputs{{"/in/a.jpg", ""},     {"/in/a.png", ""},          {"/in/x/a.jpg", ""},
                                   {"/in/a (2).bmp", ""}, {"/in/trip/a.jpg", "trip"}, {"/in/b.jpg", ""}};
    QStringList names;
    QList<bool> renamed;
    for (const PlannedOutput& output : PlanOutputs(inputs, "/out/", PictureFormat::Png)) {
        names << output.path;
        renamed << output.renamed;
    }
    EXPECT_EQ(names, (QStringList{"/out/a.png", "/out/a (2).png", "/out/a (3).png", "/out/a (2) (2).png",
                                  "/out/trip/a.png", "/out/b.png"}));
    EXPECT_EQ(renamed, (QList<bool>{false, true, true, true, false, false}));
}

TEST(BatchInputsTest, TimeLeftOnlyOnceAFewFilesAreDone)
{
    EXPECT_FALSE(SecondsLeft(2, 10, 2000).has_value());
    EXPECT_EQ(SecondsLeft(3, 10, 3000), 7);
    EXPECT_EQ(SecondsLeft(4, 5, 1001), 1);  // rounded up
    EXPECT_EQ(SecondsLeft(5, 5, 9000), 0);
    EXPECT_EQ(ClockText(7), "0:07");
    EXPECT_EQ(ClockText(750), "12:30");
    EXPECT_EQ(ClockText(7500), "2:05:00");
}

}  // namespace
}  // namespace lumetra
