#include "imaging/file_names.h"

#include <QDir>
#include <QFile>
#include <cstring>

namespace lumetra {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool IsEscapedByte(QChar c) { return c.unicode() >= kEscapeBase + 0x80 && c.unicode() <= kEscapeBase + 0xFF; }

// The length of the valid UTF-8 sequence starting at bytes[i], or 0 when there is none
// (stray continuation byte, overlong form, surrogate, beyond U+10FFFF, cut short).
int Utf8SequenceLength(const QByteArray& bytes, qsizetype i)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80) return 1;
    int length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) return 0;
    for (int k = 1; k < length; ++k) {
        if ((at(i + k) & 0xC0) != 0x80) return 0;
        code = code << 6 | (at(i + k) & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return overlong || surrogate || code > 0x10FFFF ? 0 : length;
}

QString HexEscape(unsigned byte)
{
    return QStringLiteral("\\x") + QString::number(byte, 16).rightJustified(2, QLatin1Char('0')).toUpper();
}

}  // namespace

QString NameFromBytes(const QByteArray& bytes)
{
    QString decoded = QFile::decodeName(bytes);
    if (QFile::encodeName(decoded) == bytes) return decoded;
    QString name;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        const int length = Utf8SequenceLength(bytes, i);
        if (length > 0) {
            i += length;
            continue;
        }
        name += QFile::decodeName(bytes.mid(runStart, i - runStart));
        name += QChar(char16_t(kEscapeBase + static_cast<unsigned char>(bytes[i])));
        runStart = ++i;
    }
    return name + QFile::decodeName(bytes.mid(runStart));
}

QByteArray NameToBytes(const QString& name)
{
    QByteArray bytes;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!IsEscapedByte(name[i])) continue;
        bytes += QFile::encodeName(name.mid(runStart, i - runStart));
        bytes += static_cast<char>(name[i].unicode() - kEscapeBase);
        runStart = i + 1;
    }
    return bytes + QFile::encodeName(name.mid(runStart));
}

QString ShownPath(const QString& path)
{
    QString shown;
    for (const QChar c : QDir::toNativeSeparators(path)) {
        if (IsEscapedByte(c))
            shown += HexEscape(c.unicode() - kEscapeBase);
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            shown += HexEscape(c.unicode());
        else
            shown += c;
    }
    return shown;
}

QString SystemReason(int error)
{
    char buffer[256];
    // The GNU strerror_r returns the text, in buffer or a static string.
    return QString::fromLocal8Bit(strerror_r(error, buffer, sizeof buffer));
}

}  // namespace lumetra
