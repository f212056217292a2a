// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/string_table.h"

#include <QFile>

namespace {

QString Unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' && i + 1 < text.size()) {
            const QChar next = text[++i];
            out += next == u'n' ? QChar(u'\n') : next;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

CStringTable CStringTable::Parse(const QByteArray& utf8)
{
    CStringTable table;
    const QString all = QString::fromUtf8(utf8);
    for (QStringView line : QStringView(all).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        bool ok = false;
        const int id = line.left(equals).trimmed().toInt(&ok);
        if (!ok || id <= 0 || id > 0xFFFF)
            continue;
        table.m_texts.insert(id, Unescape(line.mid(equals + 1)));
    }
    return table;
}

CStringTable CStringTable::ForLanguage(int languageId)
{
    QFile file(QStringLiteral(":/lang/%1.txt").arg(languageId));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return Parse(file.readAll());
}
