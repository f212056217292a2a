// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Subtitle files as the player handles them before GStreamer sees them:
// which file beside a clip belongs to it, whether a file may be handed on,
// and the text encoding it is read in.

// The extensions a subtitle file may have, lower case, without the dot.
const QStringList& SubtitleExtensions();

// Among `names` (file names in the clip's folder), the one that belongs to
// the clip `clipBaseName` ("film" for film.mkv): "film.srt" or a tagged
// "film.en.srt". A name whose tag's language is one of `languageTags` (lower
// case, "en" and "eng") wins, then an untagged one, then the first tagged
// one in name order. Empty when none fits.
QString PickSubtitleBeside(const QString& clipBaseName, const QStringList& names, const QStringList& languageTags);

// The subtitle file beside the clip at `clipPath`, by PickSubtitleBeside;
// empty when there is none.
QString FindSubtitleBeside(const QString& clipPath, const QStringList& languageTags);
// The tags an interface language goes by in file names ("ru", "rus").
QStringList LanguageTagsFor(int languageId);

// Why a subtitle file is not handed on.
enum class SubtitleRefusal { None, Unreadable, TooLarge, NotText };

// Larger files are refused: a subtitle file of a long film is well under a
// megabyte, and the parser keeps the whole text in memory.
constexpr qint64 kSubtitleMaxBytes = 16 * 1024 * 1024;

// Checks that `path` is a regular readable file of at most
// kSubtitleMaxBytes whose first bytes are text; `head` receives those bytes
// for ChooseSubtitleEncoding. Never opens a FIFO or device.
SubtitleRefusal CheckSubtitleFile(const QString& path, QByteArray* head);

// Whether `head` looks like text rather than a binary file: no NUL bytes
// outside UTF-16, few control characters.
bool LooksLikeText(const QByteArray& head);

// The encoding name (as iconv knows it) the file starting with `head` is
// read in: UTF-8 when it is valid UTF-8 with or without a byte-order mark,
// UTF-16 when it has that mark, else the legacy code page of the interface
// language `languageId`.
QByteArray ChooseSubtitleEncoding(const QByteArray& head, int languageId);
// The legacy code page of an interface language (WINDOWS-1252 for the
// Western languages and any unknown one).
QByteArray LegacyEncodingForLanguage(int languageId);
