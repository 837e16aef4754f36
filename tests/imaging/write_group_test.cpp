// Groups of writes: targets keep their old contents until the group commits, every
// file's failure is its own, no temporary file outlives a commit, and a group commits
// when full or when it goes away without being asked.

#include <QDir>
#include <QTemporaryDir>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/stat.h>

#include "imaging/write_group.h"
#include "test_pictures.h"

namespace lumetra {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// An encoder writing the given bytes.
Encoder Bytes(const QByteArray& bytes)
{
    return
        [bytes](QIODevice& device) { return device.write(bytes) == bytes.size() ? QString() : device.errorString(); };
}

// What the committed functions of a group were told, file by file.
class Outcomes {
public:
    WriteGroup::Committed For(const QString& name)
    {
        return [this, name](const QString& error) {
            const std::lock_guard lock(mutex_);
            errors_[name] = error;
            told_.notify_all();
        };
    }
    bool Told(const QString& name)
    {
        const std::lock_guard lock(mutex_);
        return errors_.contains(name);
    }
    QString Error(const QString& name)
    {
        const std::lock_guard lock(mutex_);
        return errors_.value(name);
    }
    // Whether count files were told within a minute (a commit nobody asked for).
    bool WaitFor(int count)
    {
        std::unique_lock lock(mutex_);
        return told_.wait_for(lock, std::chrono::minutes(1), [&] { return errors_.size() >= count; });
    }

private:
    std::mutex mutex_;
    std::condition_variable told_;
    QMap<QString, QString> errors_;
};

class WriteGroupTest : public testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QStringList Hidden() const { return QDir(dir_.path()).entryList({".*"}, QDir::Files | QDir::Hidden); }

    static constexpr WriteGroup::Limits kOnlyWhenAsked{1000, std::chrono::hours(1)};
    QTemporaryDir dir_;
    Outcomes outcomes_;
};

TEST_F(WriteGroupTest, TargetsKeepTheirOldContentsUntilTheGroupCommits)
{
    ASSERT_TRUE(WriteBytes(Path("old.png"), "old"));
    WriteGroup group(kOnlyWhenAsked);
    ASSERT_EQ(group.Add(Path("old.png"), Bytes("new"), outcomes_.For("old.png")), "");
    ASSERT_EQ(group.Add(Path("fresh.png"), Bytes("fresh"), outcomes_.For("fresh.png")), "");

    EXPECT_EQ(ReadBytes(Path("old.png")), "old");
    EXPECT_FALSE(QFile::exists(Path("fresh.png")));
    EXPECT_EQ(Hidden().size(), 2);  // the data waits in hidden temporaries
    EXPECT_FALSE(outcomes_.Told("old.png"));

    group.Commit();
    EXPECT_EQ(outcomes_.Error("old.png"), "");
    EXPECT_EQ(outcomes_.Error("fresh.png"), "");
    EXPECT_EQ(ReadBytes(Path("old.png")), "new");
    EXPECT_EQ(ReadBytes(Path("fresh.png")), "fresh");
    EXPECT_EQ(Hidden(), QStringList());
}

TEST_F(WriteGroupTest, EveryFileFailsOnItsOwnAndLeavesNoTemporary)
{
    ASSERT_EQ(mkfifo(Path("fifo.png").toLocal8Bit().constData(), 0600), 0);
    WriteGroup group(kOnlyWhenAsked);
    // Refused or failed before the commit: told at once, never committed.
    const QString refused = group.Add(Path("fifo.png"), Bytes("x"), outcomes_.For("fifo.png"));
    EXPECT_TRUE(refused.contains(QDir::toNativeSeparators(Path("fifo.png")))) << refused.toStdString();
    const QString failed =
        group.Add(Path("encoder.png"), [](QIODevice&) { return QStringLiteral("the encoder gave up"); }, {});
    EXPECT_TRUE(failed.contains("the encoder gave up")) << failed.toStdString();

    // A folder put in a file's place after its data was written fails that file alone.
    ASSERT_EQ(group.Add(Path("first.png"), Bytes("1"), outcomes_.For("first.png")), "");
    ASSERT_EQ(group.Add(Path("taken.png"), Bytes("2"), outcomes_.For("taken.png")), "");
    ASSERT_EQ(group.Add(Path("last.png"), Bytes("3"), outcomes_.For("last.png")), "");
    ASSERT_TRUE(QDir(dir_.path()).mkpath("taken.png/inside"));
    group.Commit();

    const QString error = outcomes_.Error("taken.png");
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(Path("taken.png")))) << error.toStdString();
    EXPECT_TRUE(error.contains("directory")) << error.toStdString();
    EXPECT_TRUE(QFileInfo(Path("taken.png")).isDir());
    EXPECT_EQ(outcomes_.Error("first.png"), "");
    EXPECT_EQ(outcomes_.Error("last.png"), "");
    EXPECT_EQ(ReadBytes(Path("last.png")), "3");
    EXPECT_FALSE(outcomes_.Told("fifo.png"));
    EXPECT_EQ(Hidden(), QStringList());
}

TEST_F(WriteGroupTest, CommitsWhenFullAndWhenItGoesAway)
{
    {
        WriteGroup group({2, std::chrono::hours(1)});
        ASSERT_EQ(group.Add(Path("a.png"), Bytes("a"), outcomes_.For("a.png")), "");
        ASSERT_EQ(group.Add(Path("b.png"), Bytes("b"), outcomes_.For("b.png")), "");
        EXPECT_TRUE(outcomes_.WaitFor(2));  // full: committed without Commit
        EXPECT_EQ(ReadBytes(Path("b.png")), "b");
        ASSERT_EQ(group.Add(Path("c.png"), Bytes("c"), outcomes_.For("c.png")), "");
    }
    EXPECT_EQ(outcomes_.Error("c.png"), "");
    EXPECT_EQ(ReadBytes(Path("c.png")), "c");
    EXPECT_EQ(Hidden(), QStringList());
}

}  // namespace
}  // namespace lumetra
