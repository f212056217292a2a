// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

// Opens web links in the user's browser. Tests install a recorder so that
// no browser is ever started.
class CUrlOpener {
public:
    virtual ~CUrlOpener() = default;
    virtual bool Open(const QUrl& url) = 0;

    static CUrlOpener& Get();
    // Installs an opener (not owned); nullptr restores the desktop's.
    static void Install(CUrlOpener* opener);
};

// The documentation pages that ship with Velmora, one per help command.
enum class DocPage { Home, SupportForum, Faq, Donate, AboutUs, Preferences };

// The page as a local file: the pages are written from the program's
// resources into $XDG_RUNTIME_DIR/velmora-doc (or the temporary folder) so
// that they open offline and their links work. An empty URL when the pages
// could not be written.
QUrl DocumentationUrl(DocPage page);
