#include "imaging/input_file.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "imaging/file_names.h"

namespace lumetra {

namespace {

QString OpenFailure(int error)
{
    if (error == ENOENT) return QStringLiteral("the file does not exist");
    if (error == EACCES) return QStringLiteral("permission denied");
    return SystemReason(error);
}

// A regular file is refused only when it is empty; anything else always.
QString RefusalFor(const struct stat& info)
{
    if (S_ISDIR(info.st_mode)) return QStringLiteral("it is a folder, not a picture file");
    if (!S_ISREG(info.st_mode))
        return QStringLiteral("it is %1, not a regular file").arg(KindOfSpecialFile(info.st_mode));
    if (info.st_size == 0) return QStringLiteral("the file is empty");
    return {};
}

}  // namespace

QString KindOfSpecialFile(unsigned mode)
{
    if (S_ISDIR(mode)) return QStringLiteral("a folder");
    if (S_ISFIFO(mode)) return QStringLiteral("a FIFO");
    if (S_ISSOCK(mode)) return QStringLiteral("a socket");
    return QStringLiteral("a device");
}

InputBytes ReadInputFile(const QString& path)
{
    InputBytes input;
    const QByteArray name = NameToBytes(path);
    // Judged by its name first, so a device is not even opened; then again once
    // open, in case the name was swapped for something else in between.
    struct stat info {};
    if (stat(name.constData(), &info) != 0) {
        input.refusal = OpenFailure(errno);
        return input;
    }
    if (input.refusal = RefusalFor(info); !input.refusal.isEmpty()) return input;
    const int fd = open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        input.refusal = OpenFailure(errno);
        return input;
    }
    QFile file;
    if (fstat(fd, &info) != 0 || !(input.refusal = RefusalFor(info)).isEmpty() ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (input.refusal.isEmpty()) input.refusal = SystemReason(errno);
        if (!file.isOpen()) close(fd);
        return input;
    }
    input.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        input.refusal = file.errorString();
        input.bytes.clear();
    }
    return input;
}

}  // namespace lumetra
