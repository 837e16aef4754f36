#include "imaging/atomic_file.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "imaging/file_names.h"
#include "imaging/input_file.h"
#include "imaging/temporary_file.h"

namespace lumetra {

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
    const StagedFile staged = WriteTemporary(path, encode);
    if (!staged.file) return staged.error;
    if (!staged.file->Flush() || !staged.file->Install()) return CannotWriteMessage(path, staged.file->Reason());
    SyncFolder(FolderOf(staged.file->TargetPath()));
    return {};
}

}  // namespace lumetra
