// SPDX-License-Identifier: GPL-3.0-or-later
#include "assoc/mime_apps_list.h"

#include "platform/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>

#include <cstdio>

namespace {

const QByteArray kDefaultGroup = QByteArrayLiteral("Default Applications");
// Far above any real list; a bigger file is not one we should rewrite.
constexpr qint64 kMaxFileSize = 8 * 1024 * 1024;

bool IsGroupHeader(const QByteArray& trimmed) { return trimmed.startsWith('[') && trimmed.endsWith(']'); }

// The key of a "key=value" line, or an empty array for anything else.
QByteArray KeyOf(const QByteArray& trimmed)
{
    if (trimmed.isEmpty() || trimmed.startsWith('#'))
        return {};
    const qsizetype equals = trimmed.indexOf('=');
    return equals <= 0 ? QByteArray() : trimmed.left(equals).trimmed();
}

// The type a key names, as the desktop reads keys: an alias ("audio/wav")
// stands for its canonical type ("audio/x-wav").
QString CanonicalType(const QString& name)
{
    const QMimeType type = QMimeDatabase().mimeTypeForName(name);
    return type.isValid() ? type.name() : name;
}

}  // namespace

bool CMimeAppsList::Load()
{
    m_lines = {QByteArray()};
    QFile file(m_strPath);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize) {
        std::fprintf(stderr, "Velmora: %s could not be read.\n", qPrintable(m_strPath));
        return false;
    }
    m_lines = file.read(kMaxFileSize).split('\n');
    return true;
}

QList<qsizetype> CMimeAppsList::EntryLines(const QString& mimeType) const
{
    const QByteArray key = mimeType.toUtf8();
    const QString canonical = CanonicalType(mimeType);
    QList<qsizetype> found;
    bool inDefaults = false;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QByteArray trimmed = m_lines[i].trimmed();
        if (IsGroupHeader(trimmed)) {
            inDefaults = trimmed.mid(1, trimmed.size() - 2) == kDefaultGroup;
            continue;
        }
        const QByteArray lineKey = inDefaults ? KeyOf(trimmed) : QByteArray();
        if (!lineKey.isEmpty() && (lineKey == key || CanonicalType(QString::fromUtf8(lineKey)) == canonical))
            found.append(i);
    }
    return found;
}

QString CMimeAppsList::DefaultValue(const QString& mimeType) const
{
    const QList<qsizetype> entries = EntryLines(mimeType);
    if (entries.isEmpty())
        return {};
    // A repeated key counts with its last value, as the desktop's reader has it.
    const QByteArray& line = m_lines[entries.last()];
    return QString::fromUtf8(line.mid(line.indexOf('=') + 1).trimmed());
}

void CMimeAppsList::SetDefault(const QString& mimeType, const QString& value)
{
    const QByteArray entry = mimeType.toUtf8() + '=' + value.toUtf8();
    const QList<qsizetype> entries = EntryLines(mimeType);
    if (!entries.isEmpty()) {
        QByteArray& first = m_lines[entries.first()];
        first = first.endsWith('\r') ? entry + '\r' : entry;
        for (qsizetype k = entries.size() - 1; k > 0; --k)
            m_lines.removeAt(entries[k]);
        return;
    }

    // Into the first [Default Applications] group, after its last line that
    // is not blank, so the blank lines before the next group stay where they are.
    qsizetype insertAt = -1;
    bool inDefaults = false;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QByteArray trimmed = m_lines[i].trimmed();
        if (IsGroupHeader(trimmed)) {
            if (insertAt >= 0)
                break;
            inDefaults = trimmed.mid(1, trimmed.size() - 2) == kDefaultGroup;
            if (inDefaults)
                insertAt = i + 1;
        } else if (inDefaults && !trimmed.isEmpty()) {
            insertAt = i + 1;
        }
    }
    if (insertAt >= 0) {
        m_lines.insert(insertAt, entry);
        return;
    }

    // No such group: append one. The last element is empty when the file
    // ends with a line break; otherwise the last line gets one.
    QList<QByteArray> added;
    const bool hasText = m_lines.size() > 1 || !m_lines.first().isEmpty();
    if (hasText)
        added.append(QByteArray());
    added.append('[' + kDefaultGroup + ']');
    added.append(entry);
    if (m_lines.last().isEmpty())
        m_lines.removeLast();
    m_lines.append(added);
    m_lines.append(QByteArray());
}

void CMimeAppsList::RemoveDefault(const QString& mimeType)
{
    const QList<qsizetype> entries = EntryLines(mimeType);
    for (qsizetype k = entries.size() - 1; k >= 0; --k)
        m_lines.removeAt(entries[k]);
}

bool CMimeAppsList::Save() const
{
    QString target = m_strPath;
    const QFileInfo info(m_strPath);
    if (info.isSymLink() && !info.canonicalFilePath().isEmpty())
        target = info.canonicalFilePath();
    if (!QDir().mkpath(QFileInfo(target).path()))
        return false;
    if (WriteWholeFile(target, m_lines.join('\n')) != WholeFileResult::Written) {
        std::fprintf(stderr, "Velmora: %s could not be written.\n", qPrintable(target));
        return false;
    }
    return true;
}

QStringList CMimeAppsList::DesktopIds(const QString& value)
{
    QStringList ids;
    for (const QString& part : value.split(u';')) {
        const QString id = part.trimmed();
        if (!id.isEmpty())
            ids.append(id);
    }
    return ids;
}
