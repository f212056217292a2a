// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

// One language's texts, keyed by string id. The text form is UTF-8, one
// entry a line as "<id>=<text>", with "\n" and "\\" escapes and "#" comment
// lines; lines that do not fit the form are skipped.
class CStringTable {
public:
    static CStringTable Parse(const QByteArray& utf8);
    // The table compiled in for a language id; empty when there is none.
    static CStringTable ForLanguage(int languageId);

    QString Text(int id) const { return m_texts.value(id); }
    bool Contains(int id) const { return m_texts.contains(id); }
    QList<int> Ids() const { return m_texts.keys(); }

private:
    QHash<int, QString> m_texts;
};
