#include "imaging/write_group.h"

#include <algorithm>
#include <new>
#include <utility>

#include "imaging/temporary_file.h"

namespace lumetra {

WriteGroup::WriteGroup(Limits limits) : limits_(limits), committer_([this] { CommitLoop(); }) {}

WriteGroup::~WriteGroup()
{
    Commit();
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    committer_.join();
}

QString WriteGroup::Add(const QString& path, const Encoder& encode, Committed committed)
{
    StagedFile staged;
    try {
        staged = WriteTemporary(path, encode);
    } catch (const std::bad_alloc&) {
        return CannotWriteMessage(path, QStringLiteral("not enough memory"));
    }
    if (!staged.file) return staged.error;
    // The disk can start on the data while the file waits for its commit.
    staged.file->StartFlush();

    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return pending_.size() < 2 * static_cast<std::size_t>(limits_.files); });
    if (pending_.empty()) oldest_ = std::chrono::steady_clock::now();
    pending_.push_back({std::move(staged.file), path, std::move(committed)});
    ++added_;
    lock.unlock();
    changed_.notify_all();
    return {};
}

void WriteGroup::Commit()
{
    std::unique_lock lock(mutex_);
    const long long wanted = added_;
    commitWanted_ = std::max(commitWanted_, wanted);
    changed_.notify_all();
    changed_.wait(lock, [&] { return committed_ >= wanted; });
}

void WriteGroup::CommitLoop()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return closing_ || !pending_.empty(); });
        if (pending_.empty()) return;
        changed_.wait_until(lock, oldest_ + limits_.wait, [&] {
            return closing_ || commitWanted_ > committed_ || pending_.size() >= static_cast<std::size_t>(limits_.files);
        });
        std::vector<Pending> files = std::move(pending_);
        pending_.clear();
        const auto count = static_cast<long long>(files.size());
        lock.unlock();
        changed_.notify_all();  // writers held back may go on
        CommitFiles(std::move(files));
        lock.lock();
        committed_ += count;
        changed_.notify_all();
    }
}

void WriteGroup::CommitFiles(std::vector<Pending> files)
{
    // Every file's data on the disk first: after the first flush the others find
    // most of their work done.
    for (Pending& pending : files) pending.file->Flush();
    std::vector<QByteArray> folders;
    for (Pending& pending : files)
        if (pending.file->Install()) {
            const QByteArray folder = FolderOf(pending.file->TargetPath());
            if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
        }
    for (const QByteArray& folder : folders) SyncFolder(folder);
    // The temporaries of failed files are gone before anyone hears of the failure.
    std::vector<std::pair<Committed, QString>> outcomes;
    for (Pending& pending : files) {
        const QString& reason = pending.file->Reason();
        outcomes.emplace_back(std::move(pending.committed),
                              reason.isEmpty() ? QString() : CannotWriteMessage(pending.path, reason));
    }
    files.clear();
    for (const auto& [committed, error] : outcomes) committed(error);
}

}  // namespace lumetra
