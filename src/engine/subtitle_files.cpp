// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/subtitle_files.h"

#include "platform/regular_file.h"
#include "settings/language.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <unistd.h>

#include <algorithm>

namespace {

// Enough of the file to tell text from binary and UTF-8 from a code page;
// a legacy file often has its first non-ASCII letter only after the header
// lines and first cues.
constexpr qsizetype kHeadBytes = 64 * 1024;

bool HasUtf16Mark(const QByteArray& head) { return head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF"); }

// Valid UTF-8, ignoring a sequence the head may have cut off at its end.
bool IsUtf8(const QByteArray& head)
{
    qsizetype end = head.size();
    // Back up over a trailing incomplete sequence: at most three bytes.
    for (qsizetype back = 1; back <= 3 && back <= head.size(); ++back) {
        const auto byte = static_cast<unsigned char>(head[head.size() - back]);
        if ((byte & 0xC0) == 0xC0) {
            const int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
            if (length > back)
                end = head.size() - back;
            break;
        }
        if ((byte & 0xC0) != 0x80)
            break;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(head.constData(), end));
    return !decoder.hasError();
}

}  // namespace

const QStringList& SubtitleExtensions()
{
    static const QStringList extensions{QStringLiteral("srt"), QStringLiteral("ass"), QStringLiteral("ssa"),
                                        QStringLiteral("vtt"), QStringLiteral("sub"), QStringLiteral("smi"),
                                        QStringLiteral("txt")};
    return extensions;
}

QString PickSubtitleBeside(const QString& clipBaseName, const QStringList& names, const QStringList& languageTags)
{
    QString untagged;
    QString tagged;
    QString matching;
    QStringList sorted = names;
    sorted.sort(Qt::CaseInsensitive);
    for (const QString& name : sorted) {
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot <= 0 || !SubtitleExtensions().contains(name.mid(dot + 1), Qt::CaseInsensitive))
            continue;
        const QString stem = name.left(dot);
        if (stem.compare(clipBaseName, Qt::CaseInsensitive) == 0) {
            if (untagged.isEmpty())
                untagged = name;
            continue;
        }
        // "film.en": the clip's name, a dot and a tag of letters (en, pt-BR, eng).
        if (stem.size() <= clipBaseName.size() + 1 || stem[clipBaseName.size()] != QLatin1Char('.') ||
            !stem.startsWith(clipBaseName, Qt::CaseInsensitive))
            continue;
        const QString tag = stem.mid(clipBaseName.size() + 1);
        const bool isTag = tag.size() <= 8 && std::all_of(tag.begin(), tag.end(), [](QChar c) {
                               return c.isLetter() || c == QLatin1Char('-') || c == QLatin1Char('_');
                           });
        if (!isTag)
            continue;
        // "pt-BR" and "pt_BR" are Portuguese; "en" and "eng" both English.
        const QString language = tag.left(tag.indexOf(QRegularExpression(QStringLiteral("[-_]")))).toLower();
        if (matching.isEmpty() && languageTags.contains(language))
            matching = name;
        if (tagged.isEmpty())
            tagged = name;
    }
    if (!matching.isEmpty())
        return matching;
    return untagged.isEmpty() ? tagged : untagged;
}

QString FindSubtitleBeside(const QString& clipPath, const QStringList& languageTags)
{
    const QFileInfo clip(clipPath);
    QStringList patterns;
    for (const QString& extension : SubtitleExtensions())
        patterns << QStringLiteral("*.") + extension;
    const QDir folder = clip.absoluteDir();
    const QStringList names = folder.entryList(patterns,
                                               QDir::Files | QDir::Readable | QDir::Hidden | QDir::CaseSensitive);
    const QString name = PickSubtitleBeside(clip.completeBaseName(), names, languageTags);
    return name.isEmpty() ? QString() : folder.filePath(name);
}

bool LooksLikeText(const QByteArray& head)
{
    if (HasUtf16Mark(head))
        return true;
    qsizetype controls = 0;
    for (const char c : head) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0)
            return false;
        if (byte < 0x20 && byte != '\n' && byte != '\r' && byte != '\t' && byte != '\f')
            ++controls;
    }
    // A stray control character or two is found in hand-made files.
    return controls * 100 <= head.size();
}

SubtitleRefusal CheckSubtitleFile(const QString& path, QByteArray* head)
{
    qint64 size = 0;
    const int fd = OpenRegularFile(path, &size);
    if (fd < 0)
        return SubtitleRefusal::Unreadable;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return SubtitleRefusal::Unreadable;
    }
    if (size > kSubtitleMaxBytes)
        return SubtitleRefusal::TooLarge;
    QByteArray bytes = file.read(kHeadBytes);
    if (bytes.trimmed().isEmpty() || !LooksLikeText(bytes))
        return SubtitleRefusal::NotText;
    if (head)
        *head = std::move(bytes);
    return SubtitleRefusal::None;
}

QByteArray LegacyEncodingForLanguage(int languageId)
{
    switch (languageId) {
    case 1038:  // Hungarian
    case 1045:  // Polish
    case 1048:  // Romanian
        return "WINDOWS-1250";
    case 1049:  // Russian
    case 1058:  // Ukrainian
        return "WINDOWS-1251";
    case 1037: return "WINDOWS-1255";  // Hebrew
    case 1054: return "WINDOWS-874";   // Thai
    case 1041: return "SHIFT_JIS";     // Japanese
    case 2052: return "GBK";           // Chinese (Simplified)
    case 1028: return "BIG5";          // Chinese (Traditional)
    default: return "WINDOWS-1252";
    }
}

QByteArray ChooseSubtitleEncoding(const QByteArray& head, int languageId)
{
    if (head.startsWith("\xFF\xFE"))
        return "UTF-16LE";
    if (head.startsWith("\xFE\xFF"))
        return "UTF-16BE";
    if (IsUtf8(head))
        return "UTF-8";
    return LegacyEncodingForLanguage(languageId);
}

QStringList LanguageTagsFor(int languageId)
{
    const QLocale locale = QLocaleForLanguage(languageId);
    QStringList tags{QLocale::languageToCode(locale.language(), QLocale::ISO639Part1),
                     QLocale::languageToCode(locale.language(), QLocale::ISO639Part2)};
    tags.removeAll(QString());
    for (QString& tag : tags)
        tag = tag.toLower();
    return tags;
}
