// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/media_files.h"

#include <QRegularExpression>

#include <array>
#include <string_view>

namespace {

// The player's media extensions, in the order the open dialogs list them:
// the long-standing ones, then today's formats and the playlist files of
// other players that are read for their entries.
constexpr std::array<std::string_view, 45> kMediaExtensions = {
    "mpeg", "mpg", "avi",  "wmv",  "asf", "wm",  "wma", "mp3", "wav",  "mid", "m2v", "dat", "avs",  "divx", "xvid",
    "mkv",  "mov", "mp4",  "ogm",  "vob", "ts",  "asx", "b4s", "m3u",  "wpl", "zpl", "cda", "mp2",  "mpa",  "ogg",
    "rmvb", "rm",  "flac", "opus", "oga", "m4a", "aac", "mka", "webm", "ogv", "m4v", "wv",  "m3u8", "pls",  "xspf",
};

// The dialogs' narrower choices after "all types"; matching ignores case.
constexpr std::string_view kMediaTypeFilters =
    "Movie file (*.mpeg;*.mpg)|*.mpeg;*.mpg|Video file (*.avi;*.wmv)|*.avi;*.wmv|"
    "Windows Media file(*.asf;*.wm;*.wma;*.wmv)|*.asf;*.wm;*.wma;*.wmv|"
    "Audio file (*.mp3;*.wav;*.mid)|*.mp3;*.wav;*.mid|Real file (*.rmvb;*.rm)|*.rmvb;*.rm|"
    "All Files (*.*)|*.*||";
constexpr qsizetype kLongestExtension = 4;

}  // namespace

const char* const kPlaylistFileFilter = "Play List (*.vml)|*.vml||";

bool IsMediaFile(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const qsizetype length = name.size() - dot - 1;
    if (length == 0 || length > kLongestExtension)
        return false;
    char extension[kLongestExtension];
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t c = name[dot + 1 + i].unicode();
        if (c >= 'A' && c <= 'Z')
            extension[i] = static_cast<char>(c - 'A' + 'a');
        else if (c < 0x80)
            extension[i] = static_cast<char>(c);
        else
            return false;  // no extension of the list has other characters
    }
    const std::string_view text(extension, static_cast<size_t>(length));
    for (std::string_view known : kMediaExtensions) {
        if (text == known)
            return true;
    }
    return false;
}

QStringList MediaFileNameFilters()
{
    QString filter = QStringLiteral("Media files (All types)|");
    for (std::string_view extension : kMediaExtensions)
        filter += QStringLiteral("*.") + QLatin1String(extension.data(), qsizetype(extension.size())) +
                  QLatin1Char(';');
    filter += QLatin1Char('|') + QLatin1String(kMediaTypeFilters.data(), qsizetype(kMediaTypeFilters.size()));
    return ToNameFilters(filter);
}

QStringList ToNameFilters(const QString& filter)
{
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\*[^()]*\\)\\s*$"));
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList nameFilters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        if (description.isEmpty())
            break;  // the doubled "|" that ends the filter
        description.remove(trailingPatterns);
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
        }
        nameFilters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return nameFilters;
}
