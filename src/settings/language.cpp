// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/language.h"

#include "settings/localized_strings.h"

#include <QGuiApplication>

#include <unicode/uloc.h>

#include <array>
#include <clocale>
#include <cstdlib>

namespace {

struct LanguageRow {
    int id;
    const char* posix;  // locale tag; a bare language matches every region
};

// Most specific first: "zh_TW" must be found before "zh".
constexpr std::array kLanguages{
    LanguageRow{1028, "zh_TW"}, LanguageRow{3076, "zh_HK"}, LanguageRow{4100, "zh_SG"}, LanguageRow{2052, "zh"},
    LanguageRow{2070, "pt_PT"}, LanguageRow{1046, "pt"},    LanguageRow{2057, "en_GB"}, LanguageRow{3081, "en_AU"},
    LanguageRow{4105, "en_CA"}, LanguageRow{1033, "en"},    LanguageRow{2058, "es_MX"}, LanguageRow{1034, "es"},
    LanguageRow{3084, "fr_CA"}, LanguageRow{2060, "fr_BE"}, LanguageRow{4108, "fr_CH"}, LanguageRow{1036, "fr"},
    LanguageRow{3079, "de_AT"}, LanguageRow{2055, "de_CH"}, LanguageRow{1031, "de"},    LanguageRow{2067, "nl_BE"},
    LanguageRow{1043, "nl"},    LanguageRow{2068, "nn"},    LanguageRow{1044, "nb"},    LanguageRow{1044, "no"},
    LanguageRow{1027, "ca"},    LanguageRow{1030, "da"},    LanguageRow{1037, "he"},    LanguageRow{1038, "hu"},
    LanguageRow{1040, "it"},    LanguageRow{1041, "ja"},    LanguageRow{1045, "pl"},    LanguageRow{1048, "ro"},
    LanguageRow{1049, "ru"},    LanguageRow{1053, "sv"},    LanguageRow{1054, "th"},    LanguageRow{1058, "uk"},
    LanguageRow{1025, "ar"},    LanguageRow{1026, "bg"},    LanguageRow{1029, "cs"},    LanguageRow{1032, "el"},
    LanguageRow{1035, "fi"},    LanguageRow{1039, "is"},    LanguageRow{1042, "ko"},    LanguageRow{1050, "hr"},
    LanguageRow{1051, "sk"},    LanguageRow{1055, "tr"},    LanguageRow{1057, "id"},    LanguageRow{1060, "sl"},
    LanguageRow{1061, "et"},    LanguageRow{1062, "lv"},    LanguageRow{1063, "lt"},    LanguageRow{1065, "fa"},
    LanguageRow{1066, "vi"},    LanguageRow{1081, "hi"},    LanguageRow{1086, "ms"},    LanguageRow{1069, "eu"},
    LanguageRow{1110, "gl"},    LanguageRow{2074, "sr"},    LanguageRow{1071, "mk"},    LanguageRow{1059, "be"},
};

// The locales of the 21 interface languages.
struct InterfaceLocale {
    int id;
    const char* posix;
};
constexpr std::array kInterfaceLocales{
    InterfaceLocale{1027, "ca_ES.UTF-8"}, InterfaceLocale{1028, "zh_TW.UTF-8"},
    InterfaceLocale{1030, "da_DK.UTF-8"}, InterfaceLocale{1031, "de_DE.UTF-8"},
    InterfaceLocale{1033, "en_US.UTF-8"}, InterfaceLocale{1034, "es_ES.UTF-8"},
    InterfaceLocale{1036, "fr_FR.UTF-8"}, InterfaceLocale{1037, "he_IL.UTF-8"},
    InterfaceLocale{1038, "hu_HU.UTF-8"}, InterfaceLocale{1040, "it_IT.UTF-8"},
    InterfaceLocale{1041, "ja_JP.UTF-8"}, InterfaceLocale{1043, "nl_NL.UTF-8"},
    InterfaceLocale{1044, "nb_NO.UTF-8"}, InterfaceLocale{1045, "pl_PL.UTF-8"},
    InterfaceLocale{1046, "pt_BR.UTF-8"}, InterfaceLocale{1048, "ro_RO.UTF-8"},
    InterfaceLocale{1049, "ru_RU.UTF-8"}, InterfaceLocale{1053, "sv_SE.UTF-8"},
    InterfaceLocale{1054, "th_TH.UTF-8"}, InterfaceLocale{1058, "uk_UA.UTF-8"},
    InterfaceLocale{2052, "zh_CN.UTF-8"},
};

}  // namespace

int LanguageIdFromPosixLocale(const QString& posixName)
{
    // "de_DE.UTF-8@euro" -> "de_DE"
    QString tag = posixName.section(u'.', 0, 0).section(u'@', 0, 0);
    for (const LanguageRow& row : kLanguages) {
        const QString candidate = QString::fromLatin1(row.posix);
        const bool regional = candidate.contains(u'_');
        if (regional ? tag == candidate : (tag == candidate || tag.startsWith(candidate + u'_')))
            return row.id;
    }
    return LANG_ENGLISH_US;
}

int UserDefaultLanguageId()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return LanguageIdFromPosixLocale(QString::fromLocal8Bit(value));
    }
    return LANG_ENGLISH_US;
}

QByteArray PosixLocaleForLanguage(int languageId)
{
    for (const InterfaceLocale& row : kInterfaceLocales) {
        if (row.id == languageId)
            return row.posix;
    }
    return {};
}

QLocale QLocaleForLanguage(int languageId)
{
    const QByteArray posix = PosixLocaleForLanguage(languageId);
    if (posix.isEmpty())
        return QLocale::system();
    return QLocale(QString::fromLatin1(posix.left(posix.indexOf('.'))));
}

void ApplyInterfaceLanguage(int languageId)
{
    const QByteArray posix = PosixLocaleForLanguage(languageId);
    if (posix.isEmpty() || !std::setlocale(LC_ALL, posix.constData()))
        std::setlocale(LC_ALL, "");
    // Numbers in files and pipelines are always read the C way.
    std::setlocale(LC_NUMERIC, "C");

    const QLocale locale = QLocaleForLanguage(languageId);
    QLocale::setDefault(locale);
    SetInterfaceLanguage(languageId);
    if (qGuiApp) {
        QGuiApplication::setLayoutDirection(locale.textDirection());
        // Windows that show texts (and their accessible names) follow.
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(qGuiApp, &change);
    }
}

QString LanguageNameInInterface(const QString& isoCode)
{
    const QByteArray code = isoCode.toLatin1();
    // The C locale's names are the English ones.
    const QLocale interface;
    const QByteArray display = interface.language() == QLocale::C ? QByteArray("en") : interface.name().toLatin1();
    std::array<UChar, 128> name{};
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uloc_getDisplayLanguage(code.constData(), display.constData(), name.data(),
                                                   int32_t(name.size()), &status);
    if (U_FAILURE(status) || length <= 0 || length > int32_t(name.size()))
        return {};
    QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(name.data()), length);
    // ICU answers a code it has no name for with the code itself.
    if (text.compare(isoCode, Qt::CaseInsensitive) == 0)
        return {};
    return interface.toUpper(text.left(1)) + text.mid(1);
}
