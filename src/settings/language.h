// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

// Interface languages are named by Windows language identifiers (1033 for
// US English) because the settings and string tables are keyed by them.

// The identifier of a POSIX locale name such as "de_DE.UTF-8"; 1033 for
// "C", "POSIX" and names the table does not know.
int LanguageIdFromPosixLocale(const QString& posixName);
// The identifier of the user's locale ($LC_ALL, $LC_MESSAGES, $LANG).
int UserDefaultLanguageId();

// The POSIX locale ("de_DE.UTF-8") and QLocale of one of the 21 interface
// languages; empty and the system locale for any other identifier.
QByteArray PosixLocaleForLanguage(int languageId);
QLocale QLocaleForLanguage(int languageId);

// Makes a language the process's interface language: the string lookup, the
// C locale (where installed, else the user's default), QLocale's default and
// the layout direction.
void ApplyInterfaceLanguage(int languageId);

// A language (ISO 639 code, "de") named in the interface language, as a menu
// shows it ("Allemand" in French); empty for codes ICU does not know.
QString LanguageNameInInterface(const QString& isoCode);
