#include "imaging/temporary_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <new>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "imaging/file_names.h"
#include "imaging/input_file.h"

namespace lumetra {

namespace {

// Read once, before any thread could race the two calls.
const mode_t kUmask = [] {
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}();

}  // namespace

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

void SyncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        ::close(fd);
    }
}

Target ResolveTarget(const QString& name)
{
    Target target;
    target.path = NameToBytes(name);
    target.mode = 0666 & ~kUmask;
    struct stat info {};
    if (lstat(target.path.constData(), &info) != 0) {
        if (errno != ENOENT) target.refusal = SystemReason(errno);
        return target;
    }
    if (S_ISLNK(info.st_mode)) {
        if (stat(target.path.constData(), &info) != 0) {
            target.refusal =
                errno == ENOENT ? QStringLiteral("it is a link to a file that does not exist") : SystemReason(errno);
            return target;
        }
        char resolved[PATH_MAX];
        if (!S_ISREG(info.st_mode) || !realpath(target.path.constData(), resolved)) {
            target.refusal =
                S_ISREG(info.st_mode)
                    ? SystemReason(errno)
                    : QStringLiteral("it is a link to %1, not to a regular file").arg(KindOfSpecialFile(info.st_mode));
            return target;
        }
        target.path = resolved;
    } else if (!S_ISREG(info.st_mode)) {
        target.refusal = QStringLiteral("it is %1, not a regular file").arg(KindOfSpecialFile(info.st_mode));
        return target;
    }
    target.mode = info.st_mode & 07777;
    return target;
}

TemporaryFile::TemporaryFile(const Target& target) : target_(target.path)
{
    path_ = FolderOf(target_) + "/." + target_.mid(target_.lastIndexOf('/') + 1) + ".XXXXXX";
    fd_ = mkostemp(path_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        Fail(errno);
        return;
    }
    if (fchmod(fd_, target.mode) != 0) Fail(errno);
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

TemporaryFile::~TemporaryFile()
{
    if (fd_ >= 0) {
        ::close(fd_);
        unlink(path_.constData());
    }
}

bool TemporaryFile::seek(qint64 position)
{
    if (failed_ || lseek(fd_, position, SEEK_SET) != position) return Fail(errno);
    return QIODevice::seek(position);
}

qint64 TemporaryFile::size() const
{
    struct stat info {};
    return fd_ >= 0 && fstat(fd_, &info) == 0 ? info.st_size : 0;
}

void TemporaryFile::StartFlush() const
{
    if (!failed_) sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
}

bool TemporaryFile::Flush() { return !failed_ && fsync(fd_) == 0 ? true : Fail(errno); }

bool TemporaryFile::Install()
{
    if (failed_) return false;
    const int fd = fd_;
    fd_ = -1;
    QIODevice::close();
    if (::close(fd) != 0 || rename(path_.constData(), target_.constData()) != 0) {
        Fail(errno);
        unlink(path_.constData());
        return false;
    }
    return true;
}

qint64 TemporaryFile::writeData(const char* data, qint64 length)
{
    qint64 written = 0;
    while (!failed_ && written < length) {
        const ssize_t n = ::write(fd_, data + written, static_cast<size_t>(length - written));
        if (n > 0)
            written += n;
        else if (n < 0 && errno == EINTR)
            continue;
        else
            Fail(n == 0 ? ENOSPC : errno);
    }
    return failed_ ? -1 : written;
}

bool TemporaryFile::Fail(int error)
{
    if (!failed_) reason_ = SystemReason(error);
    failed_ = true;
    return false;
}

StagedFile WriteTemporary(const QString& path, const Encoder& encode)
{
    StagedFile staged;
    const Target target = ResolveTarget(path);
    if (!target.refusal.isEmpty()) {
        staged.error = CannotWriteMessage(path, target.refusal);
        return staged;
    }
    auto file = std::make_unique<TemporaryFile>(target);
    // The device's own error is the true cause when the encoder failed because of it.
    QString reason = file->Reason();
    if (reason.isEmpty()) {
        QString encoderReason;
        try {
            encoderReason = encode(*file);
        } catch (const std::bad_alloc&) {  // encoders make their copies of the pixels as they go
            encoderReason = QStringLiteral("not enough memory");
        }
        reason = file->Reason().isEmpty() ? encoderReason : file->Reason();
    }
    if (reason.isEmpty())
        staged.file = std::move(file);
    else
        staged.error = CannotWriteMessage(path, reason);
    return staged;
}

}  // namespace lumetra
