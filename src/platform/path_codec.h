// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// Linux file names are bytes, not text. A name is decoded as UTF-8, and each
// byte that is not part of a valid UTF-8 sequence becomes the lone code unit
// U+DC80 + (byte - 0x80); encoding turns those units back into the same
// bytes. Every path that comes from the system or goes back to it passes
// through here, so a row made from any name can be opened again, saved and
// loaded.

QString DecodePath(const QByteArray& bytes);
QByteArray EncodePath(const QString& path);

// `path` made absolute against the working folder and cleaned, by text
// alone: QFileInfo would pass it through the lossy system encoding.
QString AbsolutePath(const QString& path);

// The local path of a file URL, with percent-escaped bytes kept as they are.
QString PathFromLocalUrl(const QUrl& url);

// The local paths among the URLs of a drop, in their order.
QStringList LocalPathsOfUrls(const QList<QUrl>& urls);


// Qt's own file dialogs decode names lossily (each bad byte becomes U+FFFD).
// Finds the one entry on disk whose lossy name matches each such path
// component and returns the lossless path; a path without U+FFFD, or one
// whose entry cannot be told apart from another, is returned unchanged.
QString RecoverLossyPath(const QString& path);

// The text to show for a path or name: escaped bytes appear as U+FFFD.
QString DisplayPath(const QString& path);
