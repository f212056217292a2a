// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/language.h"
#include "settings/localized_strings.h"
#include "settings/string_table.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

QList<int> ExpectedIds(int languageId)
{
    QList<int> ids;
    for (int id = 101; id <= 241; ++id) {
        if (id <= 153 || id >= 156 || (id == 154 && languageId == 1037))
            ids.append(id);
    }
    for (int id = 260; id <= 264; ++id)  // the skin texts
        ids.append(id);
    return ids;
}

QSet<QString> Placeholders(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("%(?:\\d|[dsu]|ld)|&"));
    QSet<QString> found;
    for (const auto& match : pattern.globalMatch(text))
        found.insert(match.captured());
    return found;
}

class InterfaceLanguageTest : public testing::Test {
protected:
    void TearDown() override { ApplyInterfaceLanguage(LANG_ENGLISH_US); }
};

TEST(StringTablesTest, EveryLanguageHasExactlyItsEntriesWithTheEnglishPlaceholders)
{
    const CStringTable english = CStringTable::ForLanguage(LANG_ENGLISH_US);
    std::vector<int> expected = SupportedLanguages();
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(LanguagesWithTable(), expected);

    for (int language : SupportedLanguages()) {
        SCOPED_TRACE(language);
        const CStringTable table = CStringTable::ForLanguage(language);
        QList<int> ids = table.Ids();
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ(ids, ExpectedIds(language));
        for (int id : ids) {
            EXPECT_FALSE(table.Text(id).trimmed().isEmpty()) << id;
            if (english.Contains(id)) {
                EXPECT_EQ(Placeholders(table.Text(id)), Placeholders(english.Text(id))) << id;
            }
        }
        EXPECT_TRUE(table.Text(112).contains(QStringLiteral("https://velmora.example.org/")));
    }
}

TEST(StringTableParseTest, SkipsWhatDoesNotFitAndUnescapes)
{
    const CStringTable table = CStringTable::Parse(
        "# comment\n101=One\\nTwo \\\\ three\r\nnot an entry\n=5\n-3=x\n70000=x\n102=a=b\n103=\n");
    EXPECT_EQ(table.Text(101), QStringLiteral("One\nTwo \\ three"));
    EXPECT_EQ(table.Text(102), QStringLiteral("a=b"));
    EXPECT_TRUE(table.Contains(103));
    EXPECT_EQ(table.Ids().size(), 3);
}

TEST_F(InterfaceLanguageTest, EveryLanguageIsReachableAndFallsBackToEnglish)
{
    for (int language : SupportedLanguages()) {
        ApplyInterfaceLanguage(language);
        EXPECT_EQ(InterfaceLanguage(), language);
        EXPECT_EQ(LoadLocalizedString(101), CStringTable::ForLanguage(language).Text(101));
    }
    ApplyInterfaceLanguage(1031);
    EXPECT_EQ(LoadLocalizedString(102), CStringTable::ForLanguage(1031).Text(102));
    // English has no 154: only Hebrew carries it.
    EXPECT_TRUE(LoadLocalizedString(154).isEmpty());
    EXPECT_TRUE(LoadLocalizedString(99).isEmpty());

    // A language without a table (Czech) reads English everywhere.
    ApplyInterfaceLanguage(1029);
    EXPECT_EQ(InterfaceLanguage(), 1029);
    EXPECT_EQ(LoadLocalizedString(101), QStringLiteral("About Velmora"));
    EXPECT_EQ(LoadLocalizedString(223), QStringLiteral("Minutes:"));
}

TEST_F(InterfaceLanguageTest, HebrewTurnsTheLayoutRightToLeft)
{
    ApplyInterfaceLanguage(1037);
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::RightToLeft);
    EXPECT_FALSE(LoadLocalizedString(154).isEmpty());
    ApplyInterfaceLanguage(1036);
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(QLocale().language(), QLocale::French);
}

TEST_F(InterfaceLanguageTest, LanguagesAreNamedInTheInterfaceLanguage)
{
    // Names as the Unicode locale data gives them, first letter raised for
    // a menu entry.
    const struct {
        int interfaceLanguage;
        const char* code;
        const char* name;
    } cases[] = {
        {1036, "de", "Allemand"}, {1031, "ru", "Russisch"}, {1049, "en", "Английский"},
        {1033, "ja", "Japanese"}, {1033, "xx", ""},  // no language has this code
    };
    for (const auto& c : cases) {
        ApplyInterfaceLanguage(c.interfaceLanguage);
        EXPECT_EQ(LanguageNameInInterface(QString::fromLatin1(c.code)), QString::fromUtf8(c.name))
            << c.interfaceLanguage << " " << c.code;
    }
}

TEST(LanguageIdTest, PosixLocalesMapToWindowsLanguageIds)
{
    EXPECT_EQ(LanguageIdFromPosixLocale(QStringLiteral("de_DE.UTF-8")), 1031);
    EXPECT_EQ(LanguageIdFromPosixLocale(QStringLiteral("de_AT.UTF-8")), 3079);
    EXPECT_EQ(LanguageIdFromPosixLocale(QStringLiteral("zh_TW.UTF-8")), 1028);
    EXPECT_EQ(LanguageIdFromPosixLocale(QStringLiteral("zh_CN.UTF-8")), 2052);
    EXPECT_EQ(LanguageIdFromPosixLocale(QStringLiteral("pt_BR")), 1046);
    EXPECT_EQ(LanguageIdFromPosixLocale(QStringLiteral("pt_PT.UTF-8")), 2070);
    EXPECT_EQ(LanguageIdFromPosixLocale(QStringLiteral("nb_NO.UTF-8")), 1044);
    EXPECT_EQ(LanguageIdFromPosixLocale(QStringLiteral("ca_ES.UTF-8@valencia")), 1027);
    EXPECT_EQ(LanguageIdFromPosixLocale(QStringLiteral("cs_CZ.UTF-8")), 1029);
    EXPECT_EQ(LanguageIdFromPosixLocale(QStringLiteral("C")), 1033);
    EXPECT_EQ(LanguageIdFromPosixLocale(QStringLiteral("POSIX")), 1033);
    EXPECT_EQ(LanguageIdFromPosixLocale(QStringLiteral("xx_YY")), 1033);
    EXPECT_EQ(LanguageIdFromPosixLocale(QStringLiteral("deu")), 1033);
}

}  // namespace
