// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/localized_strings.h"

#include "settings/string_table.h"

#include <QDir>

#include <algorithm>

namespace {

struct Tables {
    int languageId = LANG_ENGLISH_US;
    CStringTable current = CStringTable::ForLanguage(LANG_ENGLISH_US);
    CStringTable english = current;
};

Tables& State()
{
    static Tables tables;
    return tables;
}

}  // namespace

QString LoadLocalizedString(int id)
{
    const Tables& tables = State();
    const QString text = tables.current.Text(id);
    return text.isEmpty() ? tables.english.Text(id) : text;
}

int InterfaceLanguage() { return State().languageId; }

void SetInterfaceLanguage(int languageId)
{
    Tables& tables = State();
    tables.languageId = languageId;
    tables.current = languageId == LANG_ENGLISH_US ? tables.english : CStringTable::ForLanguage(languageId);
}

const std::vector<int>& SupportedLanguages()
{
    static const std::vector<int> ids{2052, 1028, 1036, 1031, 1034, 1045, 1046, 1038, 1033, 1058, 1040,
                                      1053, 1041, 1044, 1037, 1043, 1027, 1030, 1049, 1048, 1054};
    return ids;
}

std::vector<int> LanguagesWithTable()
{
    std::vector<int> ids;
    for (const QString& name : QDir(QStringLiteral(":/lang")).entryList({QStringLiteral("*.txt")})) {
        bool ok = false;
        const int id = name.chopped(4).toInt(&ok);
        if (ok)
            ids.push_back(id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}
