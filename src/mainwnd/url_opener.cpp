// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/url_opener.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

class CDesktopUrlOpener final : public CUrlOpener {
public:
    bool Open(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

CUrlOpener* g_pInstalled = nullptr;

QString PageName(DocPage page)
{
    switch (page) {
    case DocPage::Home: return QStringLiteral("index.html");
    case DocPage::SupportForum: return QStringLiteral("support.html");
    case DocPage::Faq: return QStringLiteral("faq.html");
    case DocPage::Donate: return QStringLiteral("donate.html");
    case DocPage::AboutUs: return QStringLiteral("about-us.html");
    case DocPage::Preferences: return QStringLiteral("preferences.html");
    }
    return {};
}

QString PageFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty())
        base = QDir::tempPath();
    return base + QStringLiteral("/velmora-doc");
}

}  // namespace

CUrlOpener& CUrlOpener::Get()
{
    static CDesktopUrlOpener desktop;
    return g_pInstalled ? *g_pInstalled : desktop;
}

void CUrlOpener::Install(CUrlOpener* opener) { g_pInstalled = opener; }

QUrl DocumentationUrl(DocPage page)
{
    // The pages link to one another, so all of them are written out together.
    const QString folder = PageFolder();
    if (!QDir().mkpath(folder))
        return {};
    const QDir resources(QStringLiteral(":/doc"));
    for (const QString& name : resources.entryList(QDir::Files)) {
        QFile source(resources.filePath(name));
        QFile out(folder + u'/' + name);
        if (!source.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {};
        const QByteArray content = source.readAll();
        if (out.write(content) != content.size())
            return {};
    }
    const QString target = folder + u'/' + PageName(page);
    return QFile::exists(target) ? QUrl::fromLocalFile(target) : QUrl();
}
