// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/path_codec.h"

#include <QDir>
#include <QStringList>

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool IsEscapedByte(char16_t unit) { return unit >= 0xDC80 && unit <= 0xDCFF; }

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence at bytes[i], or 0 when the byte
// there does not start one (overlong forms, surrogates and values above
// U+10FFFF are not valid).
int ValidSequenceLength(const QByteArray& bytes, qsizetype i)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    const qsizetype left = bytes.size() - i;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return left >= 2 && IsContinuation(at(i + 1)) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (left < 3 || !IsContinuation(at(i + 1)) || !IsContinuation(at(i + 2)))
            return 0;
        if ((lead == 0xE0 && at(i + 1) < 0xA0) || (lead == 0xED && at(i + 1) >= 0xA0))
            return 0;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (left < 4 || !IsContinuation(at(i + 1)) || !IsContinuation(at(i + 2)) || !IsContinuation(at(i + 3)))
            return 0;
        if ((lead == 0xF0 && at(i + 1) < 0x90) || (lead == 0xF4 && at(i + 1) >= 0x90))
            return 0;
        return 4;
    }
    return 0;
}

}  // namespace

QString DecodePath(const QByteArray& bytes)
{
    QString path;
    path.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const int length = ValidSequenceLength(bytes, i);
        if (length == 0) {
            path.append(QChar(char16_t(kEscapeBase + static_cast<unsigned char>(bytes[i]))));
            ++i;
            continue;
        }
        path.append(QString::fromUtf8(bytes.constData() + i, length));
        i += length;
    }
    return path;
}

QByteArray EncodePath(const QString& path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype runStart = 0;
    const auto flushRun = [&](qsizetype end) {
        if (end > runStart)
            bytes += QStringView(path).mid(runStart, end - runStart).toUtf8();
    };
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = path[i].unicode();
        if (IsEscapedByte(unit)) {
            flushRun(i);
            bytes += char(unit - kEscapeBase);
            runStart = i + 1;
        }
    }
    flushRun(path.size());
    return bytes;
}

QString AbsolutePath(const QString& path)
{
    if (path.startsWith(u'/'))
        return QDir::cleanPath(path);
    const std::unique_ptr<char, decltype(&std::free)> folder(getcwd(nullptr, 0), &std::free);
    if (!folder)
        return path;
    return QDir::cleanPath(DecodePath(QByteArray(folder.get())) + u'/' + path);
}

QString PathFromLocalUrl(const QUrl& url)
{
    if (!url.isLocalFile())
        return {};
    // toLocalFile() decodes the percent escapes as UTF-8 and would replace
    // bytes that are not; take the escaped path and decode it ourselves.
    const QByteArray escaped = url.path(QUrl::FullyEncoded).toLatin1();
    return DecodePath(QByteArray::fromPercentEncoding(escaped));
}

QStringList LocalPathsOfUrls(const QList<QUrl>& urls)
{
    QStringList paths;
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            paths << PathFromLocalUrl(url);
    }
    return paths;
}

QString RecoverLossyPath(const QString& path)
{
    if (!path.contains(QChar::ReplacementCharacter) || !path.startsWith(u'/'))
        return path;
    const QStringList parts = path.split(u'/');
    QString recovered;
    for (qsizetype p = 1; p < parts.size(); ++p) {
        const QString& part = parts[p];
        QString found = part;
        if (part.contains(QChar::ReplacementCharacter)) {
            const QString folder = recovered.isEmpty() ? QStringLiteral("/") : recovered;
            int matches = 0;
            if (DIR* dir = opendir(EncodePath(folder).constData())) {
                while (const dirent* entry = readdir(dir)) {
                    if (QString::fromUtf8(entry->d_name) == part) {
                        found = DecodePath(QByteArray(entry->d_name));
                        ++matches;
                    }
                }
                closedir(dir);
            }
            if (matches != 1)
                return path;
        }
        recovered += u'/' + found;
    }
    return recovered;
}

QString DisplayPath(const QString& path)
{
    QString shown = path;
    for (QChar& c : shown) {
        if (IsEscapedByte(c.unicode()))
            c = QChar::ReplacementCharacter;
    }
    return shown;
}
