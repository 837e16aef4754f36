#include "imaging/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
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

// The folder part of a path: "." for a bare name, "/" for a file in the root.
QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

struct Target {
    QByteArray path;  // with a link to a regular file resolved to that file
    mode_t mode = 0;  // permissions the new file gets
    QString refusal;
};

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

// A temporary file beside the target that fails for good at its first error.
class TemporaryFile : public QIODevice {
public:
    explicit TemporaryFile(const Target& target) : target_(target.path)
    {
        path_ = FolderOf(target_) + "/." + target_.mid(target_.lastIndexOf('/') + 1) + ".XXXXXX";
        fd_ = mkostemp(path_.data(), O_CLOEXEC);
        if (fd_ < 0) {
            Fail();
            return;
        }
        if (fchmod(fd_, target.mode) != 0) Fail();
        QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    ~TemporaryFile() override
    {
        if (fd_ >= 0) {
            ::close(fd_);
            unlink(path_.constData());
        }
    }

    bool isSequential() const override { return false; }

    bool seek(qint64 position) override
    {
        if (failed_ || lseek(fd_, position, SEEK_SET) != position) return Fail();
        return QIODevice::seek(position);
    }

    qint64 size() const override
    {
        struct stat info {};
        return fd_ >= 0 && fstat(fd_, &info) == 0 ? info.st_size : 0;
    }

    // Flushes the data to the disk and renames the file over the target.
    bool Commit()
    {
        if (failed_ || fsync(fd_) != 0) return Fail();
        const int fd = fd_;
        fd_ = -1;
        QIODevice::close();
        if (::close(fd) != 0 || rename(path_.constData(), target_.constData()) != 0) {
            Fail();
            unlink(path_.constData());
            return false;
        }
        SyncFolder();
        return true;
    }

    // The first failure's reason; "" while there was none.
    const QString& Reason() const { return reason_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }

    qint64 writeData(const char* data, qint64 length) override
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

private:
    bool Fail(int error = errno)
    {
        if (!failed_) reason_ = SystemReason(error);
        failed_ = true;
        return false;
    }

    // The rename itself reaches the disk only with the folder's own entry.
    void SyncFolder() const
    {
        const int fd = ::open(FolderOf(target_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            fsync(fd);
            ::close(fd);
        }
    }

    QByteArray target_;
    QByteArray path_;
    int fd_ = -1;
    bool failed_ = false;
    QString reason_;
};

}  // namespace

QString CannotWriteMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot write \"%1\": %2.").arg(ShownPath(path), reason);
}

QString CreateFolder(const QString& folder)
{
    const QByteArray path = NameToBytes(folder);
    struct stat info {};
    if (stat(path.constData(), &info) == 0)
        return S_ISDIR(info.st_mode)
                   ? QString()
                   : QStringLiteral("%1 of that name is in the way")
                         .arg(S_ISREG(info.st_mode) ? QStringLiteral("a file") : KindOfSpecialFile(info.st_mode));
    if (errno != ENOENT) return SystemReason(errno);
    // Each missing parent first, from the top.
    for (qsizetype slash = path.indexOf('/', 1); slash > 0; slash = path.indexOf('/', slash + 1))
        if (mkdir(path.left(slash).constData(), 0777) != 0 && errno != EEXIST) return SystemReason(errno);
    if (mkdir(path.constData(), 0777) != 0 && errno != EEXIST) return SystemReason(errno);
    return {};
}

QString ProbeFolder(const QString& folder)
{
    QByteArray probe = NameToBytes(folder) + "/.lumetra-probe-XXXXXX";
    const int fd = mkostemp(probe.data(), O_CLOEXEC);
    if (fd < 0) return SystemReason(errno);
    ::close(fd);
    unlink(probe.constData());
    return {};
}

QString OutputRefusal(const QString& path)
{
    const QString refusal = ResolveTarget(path).refusal;
    return refusal.isEmpty() ? QString() : CannotWriteMessage(path, refusal);
}

QString WriteFileAtomically(const QString& path, const Encoder& encode)
{
    const Target target = ResolveTarget(path);
    if (!target.refusal.isEmpty()) return CannotWriteMessage(path, target.refusal);
    TemporaryFile file(target);
    if (!file.Reason().isEmpty()) return CannotWriteMessage(path, file.Reason());
    const QString encoderReason = encode(file);
    // The device's own error is the true cause when the encoder failed because of it.
    if (!file.Reason().isEmpty()) return CannotWriteMessage(path, file.Reason());
    if (!encoderReason.isEmpty()) return CannotWriteMessage(path, encoderReason);
    if (!file.Commit()) return CannotWriteMessage(path, file.Reason());
    return {};
}

}  // namespace lumetra
