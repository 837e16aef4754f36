#pragma once
// The temporary file a picture is written into before it takes its target's place:
// hidden, beside the target, with the permissions the target has (or a new file would
// get). Used by the single-file write and by groups of writes.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <memory>
#include <sys/types.h>

#include "imaging/atomic_file.h"

namespace lumetra {

// Where a file named by the user is written.
struct Target {
    QByteArray path;  // with a link to a regular file resolved to that file
    mode_t mode = 0;  // permissions the new file gets
    QString refusal;  // why it cannot be written there ("it is a folder, ..."); "" when it can
};

Target ResolveTarget(const QString& name);

// The folder part of a path: "." for a bare name, "/" for a file in the root.
QByteArray FolderOf(const QByteArray& path);

// Makes the renames done in folder reach the disk with the folder's own entry.
void SyncFolder(const QByteArray& folder);

// A temporary file that fails for good at its first error. Destroyed before it took the
// target's place, it removes itself.
class TemporaryFile : public QIODevice {
public:
    explicit TemporaryFile(const Target& target);
    ~TemporaryFile() override;

    bool isSequential() const override { return false; }
    bool seek(qint64 position) override;
    qint64 size() const override;

    // Starts writing the data out to the disk without waiting for it.
    void StartFlush() const;
    // Returns once the data is on the disk.
    bool Flush();
    // Renames the file over the target (after Flush); the folder is not synced.
    bool Install();

    const QByteArray& TargetPath() const { return target_; }
    // The first failure's reason; "" while there was none.
    const QString& Reason() const { return reason_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override;

private:
    bool Fail(int error);

    QByteArray target_;
    QByteArray path_;
    int fd_ = -1;
    bool failed_ = false;
    QString reason_;
};

// A file's data written into its temporary file, which is not flushed yet.
struct StagedFile {
    std::unique_ptr<TemporaryFile> file;  // null when the data could not be written
    QString error;                        // CannotWriteMessage when it could not
};

StagedFile WriteTemporary(const QString& path, const Encoder& encode);

}  // namespace lumetra
