// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/string_ids.h"

#include <QString>

#include <vector>

// Windows language identifier of the English table, the fallback for every
// text another table lacks.
constexpr int LANG_ENGLISH_US = 1033;

// The text of string `id` in the current interface language; English when
// that language has no table, or its table lacks the entry or has it empty.
QString LoadLocalizedString(int id);

// The interface language the lookup serves. SetInterfaceLanguage does only
// the lookup's part; CPlayerSettings::ApplyLanguage also switches the locale.
int InterfaceLanguage();
void SetInterfaceLanguage(int languageId);

// The 21 language identifiers of the languages table, in its order.
const std::vector<int>& SupportedLanguages();
// Identifiers for which a string table is compiled in.
std::vector<int> LanguagesWithTable();
