#pragma once
// Writing many files with shared disk flushes. Each file is written at once into its own
// temporary file beside its target, as a single write is; the group then commits the
// files pending together: their data is flushed to the disk, each is renamed over its
// target, and each folder they went into is synced once. A target is never replaced by a
// file whose data is not on the disk yet, and a file counts as written only once its
// commit told so.
//
// A commit happens when kFiles files are pending, when the oldest pending file has
// waited kWait, on Commit and on destruction. Commits run on a thread of the group's
// own, which also calls the files' Committed functions. A process killed before a commit
// leaves the files pending as hidden temporaries (".name.XXXXXX") beside their targets;
// the targets keep their old contents.

#include <QString>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "imaging/atomic_file.h"

namespace lumetra {

class TemporaryFile;

class WriteGroup {
public:
    // Called once the file's commit is over: "" when it took its target's place,
    // otherwise CannotWriteMessage (and the target is as it was).
    using Committed = std::function<void(const QString& error)>;

    struct Limits {
        int files;
        std::chrono::milliseconds wait;
    };
    static constexpr Limits kDefaultLimits{16, std::chrono::milliseconds(250)};

    explicit WriteGroup(Limits limits = kDefaultLimits);
    // Commits what is pending and waits for it.
    ~WriteGroup();
    WriteGroup(const WriteGroup&) = delete;
    WriteGroup& operator=(const WriteGroup&) = delete;

    // Writes path's data through encode into its temporary file now, on this thread.
    // Returns "" when the file is pending (committed is called later, on the group's
    // thread), otherwise CannotWriteMessage (committed is never called). Waits while
    // twice kFiles files are pending, so a slow disk holds the writers back.
    QString Add(const QString& path, const Encoder& encode, Committed committed);

    // Commits every file added so far; returns once their Committed functions have run.
    void Commit();

private:
    struct Pending {
        std::unique_ptr<TemporaryFile> file;
        QString path;
        Committed committed;
    };

    void CommitLoop();
    static void CommitFiles(std::vector<Pending> files);

    const Limits limits_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Pending> pending_;
    std::chrono::steady_clock::time_point oldest_;  // when the first pending file was added
    long long added_ = 0;                           // files added so far
    long long committed_ = 0;                       // of them, files whose commit is over
    long long commitWanted_ = 0;                    // Commit asks for the first this many
    bool closing_ = false;
    std::thread committer_;
};

}  // namespace lumetra
