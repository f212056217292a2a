// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/hot_key_ctrl.h"
#include "preferences/icon_list_box.h"
#include "settings/language.h"
#include "settings/localized_strings.h"
#include "settings/player_settings.h"
#include "settings/string_table.h"
#include "preferences/ppg_file_asso.h"
#include "preferences/preference_dlg.h"
#include "temp_home.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kExecutable = QStringLiteral("/opt/velmora/bin/velmora");

class PreferenceDlgTest : public testing::Test {
protected:
    void SetUp() override
    {
        ApplyInterfaceLanguage(LANG_ENGLISH_US);
        m_profile = testsupport::MakeScratchDir(QStringLiteral("prefs")) + QStringLiteral("/Velmora.ini");
        QFile::remove(AutostartPath());
        m_settings = std::make_unique<CPlayerSettings>(m_profile, kExecutable);
        m_settings->Load();
        m_settings->languageID = LANG_ENGLISH_US;
    }
    void TearDown() override
    {
        m_sheet.reset();
        ApplyInterfaceLanguage(LANG_ENGLISH_US);
    }

    static QString AutostartPath()
    {
        return testsupport::ConfigHome() + QStringLiteral("/autostart/velmora.desktop");
    }

    CPreferenceDlg& Open()
    {
        m_sheet = std::make_unique<CPreferenceDlg>(*m_settings, [this] { ++m_nHelp; });
        m_sheet->show();
        m_sheet->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_sheet.get()));
        return *m_sheet;
    }

    template <class T>
    T* Find(const char* name) const
    {
        T* child = m_sheet->findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    CIconListBox* Pages() const { return Find<CIconListBox>("pages"); }
    QPushButton* Button(QDialogButtonBox::StandardButton which) const
    {
        return m_sheet->findChild<QDialogButtonBox*>()->button(which);
    }
    void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    void ChoosePage(int row)
    {
        CIconListBox* list = Pages();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    QString KeyLine(int action) const { return Find<QListWidget>("keys")->item(action)->text(); }
    void PressInKeyBox(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(Find<CHotKeyCtrl>("hotKey"), Qt::Key(key), modifiers);
    }

    QString m_profile;
    std::unique_ptr<CPlayerSettings> m_settings;
    std::unique_ptr<CPreferenceDlg> m_sheet;
    int m_nHelp = 0;
};

TEST_F(PreferenceDlgTest, OpensOnGeneralWithItsCaptionAndATitleWithoutAmpersand)
{
    // The test table of language 1029 has "&Volby" as the title and its own
    // name for General; it lacks the other names, which come in English.
    ApplyInterfaceLanguage(1029);
    CPreferenceDlg& sheet = Open();
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Volby"));

    CIconListBox* pages = Pages();
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->item(0)->text(), QStringLiteral("Obecné"));
    EXPECT_EQ(pages->item(1)->text(), QStringLiteral("Association"));
    EXPECT_EQ(pages->item(2)->text(), QStringLiteral("Keys"));
    EXPECT_EQ(pages->currentRow(), 0);
    EXPECT_TRUE(pages->item(0)->isSelected());
    EXPECT_EQ(QApplication::focusWidget(), pages);
    EXPECT_EQ(sheet.ActivePage(), 0);
    EXPECT_EQ(Find<QGroupBox>("caption")->title(), QStringLiteral("Obecné"));
    EXPECT_FALSE(Button(QDialogButtonBox::Apply)->isEnabled());
    EXPECT_EQ(pages->IconSize(), QSize(16, 16));

    ChoosePage(2);
    EXPECT_EQ(sheet.ActivePage(), 2);
    EXPECT_EQ(Find<QGroupBox>("caption")->title(), QStringLiteral("Keys"));
    EXPECT_EQ(QApplication::focusWidget(), pages);

    Click(Button(QDialogButtonBox::Help));
    EXPECT_EQ(m_nHelp, 1);
}

TEST_F(PreferenceDlgTest, OkAfterOneCheckBoxWritesTheWholeSectionAndTheAutostartEntry)
{
    Open();
    QCheckBox* run = Find<QCheckBox>("runAtStartup");
    EXPECT_EQ(run->text(), QStringLiteral("Run this program when windowns starts"));
    Click(run);
    EXPECT_TRUE(Button(QDialogButtonBox::Apply)->isEnabled());
    Click(Button(QDialogButtonBox::Ok));
    EXPECT_EQ(m_sheet->result(), QDialog::Accepted);

    QSettings profile(m_profile, QSettings::IniFormat);
    profile.beginGroup(QStringLiteral("Setting"));
    // 16 options, 8 rectangle sides, the skin and the user's skin, the
    // language, the two preferred stream languages and 19 keys.
    EXPECT_EQ(profile.childKeys().size(), 48);
    EXPECT_EQ(profile.value(QStringLiteral("DisableScreenSaver")).toInt(), 1);
    EXPECT_EQ(profile.value(QStringLiteral("hotkey_IncPBRate")).toInt(), 0x80027);
    EXPECT_EQ(profile.value(QStringLiteral("languageID")).toInt(), LANG_ENGLISH_US);

    QFile entry(AutostartPath());
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains("/opt/velmora/bin/velmora"));
    CPlayerSettings reloaded(m_profile, kExecutable);
    reloaded.Load();
    EXPECT_TRUE(reloaded.m_bRunAtStartup);

    // Unticking it again deletes the entry.
    Open();
    Click(Find<QCheckBox>("runAtStartup"));
    Click(Button(QDialogButtonBox::Apply));
    EXPECT_FALSE(QFile::exists(AutostartPath()));
    EXPECT_FALSE(Button(QDialogButtonBox::Apply)->isEnabled());
}

TEST_F(PreferenceDlgTest, CancelDiscardsEveryPage)
{
    Open();
    Click(Find<QCheckBox>("autoSizeWin"));
    QComboBox* language = Find<QComboBox>("language");
    language->setCurrentIndex(language->findData(1031));
    ChoosePage(2);
    Click(Find<QListWidget>("keys"));
    PressInKeyBox(Qt::Key_F7);
    Click(Button(QDialogButtonBox::Cancel));

    EXPECT_EQ(m_sheet->result(), QDialog::Rejected);
    EXPECT_FALSE(QFile::exists(m_profile));
    EXPECT_FALSE(QFile::exists(AutostartPath()));
    EXPECT_EQ(m_settings->AutoSizeWin, 0);
    EXPECT_EQ(m_settings->languageID, LANG_ENGLISH_US);
    EXPECT_EQ(m_settings->m_hotKeys, DefaultHotKeys());
    EXPECT_EQ(InterfaceLanguage(), LANG_ENGLISH_US);
}

TEST_F(PreferenceDlgTest, LanguageListNamesEachLanguageInItsOwnWordsAndSelectsTheCurrentOne)
{
    Open();
    QComboBox* language = Find<QComboBox>("language");
    ASSERT_EQ(language->count(), 21);
    EXPECT_EQ(language->currentData().toInt(), LANG_ENGLISH_US);
    EXPECT_EQ(language->itemText(language->findData(1031)), QStringLiteral("Deutsch"));
    EXPECT_EQ(language->itemText(language->findData(1037)), QStringLiteral("עברית"));
    // Collation puts "dansk" before "Deutsch" whatever the case.
    EXPECT_LT(language->findData(1030), language->findData(1031));

    m_settings->languageID = 1029;  // not offered: nothing selected
    Open();
    EXPECT_EQ(Find<QComboBox>("language")->currentIndex(), -1);
}

TEST_F(PreferenceDlgTest, ApplyingALanguageRelabelsTheOpenSheetAtOnce)
{
    CPreferenceDlg& sheet = Open();
    QComboBox* language = Find<QComboBox>("language");
    language->setCurrentIndex(language->findData(1031));
    EXPECT_EQ(InterfaceLanguage(), LANG_ENGLISH_US);  // not before Apply
    Click(Button(QDialogButtonBox::Apply));

    EXPECT_EQ(InterfaceLanguage(), 1031);
    EXPECT_EQ(m_settings->languageID, 1031);
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Optionen"));
    EXPECT_EQ(Pages()->item(0)->text(), QStringLiteral("Allgemein"));
    EXPECT_EQ(Pages()->item(2)->text(), QStringLiteral("Tasten"));
    EXPECT_EQ(Find<QGroupBox>("caption")->title(), QStringLiteral("Allgemein"));
    // The language change also reaches the button box, after the relabelling.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_EQ(Button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(Button(QDialogButtonBox::Apply)->text(), CStringTable::ForLanguage(1031).Text(228));
    EXPECT_EQ(Find<QCheckBox>("runAtStartup")->text(), QStringLiteral("Dieses Programm beim Anmelden starten"));
    EXPECT_EQ(KeyLine(HOTKEY_PLAY), QStringLiteral("Wiedergabe  [ P ]"));
    EXPECT_EQ(sheet.findChild<CPpgFileAsso*>()->SelectAllButton()->text(), LoadLocalizedString(123));
    EXPECT_NE(LoadLocalizedString(123), QStringLiteral("Select All"));
    EXPECT_EQ(Pages()->currentRow(), 0);
    EXPECT_EQ(sheet.layoutDirection(), Qt::LeftToRight);
    QSettings profile(m_profile, QSettings::IniFormat);
    EXPECT_EQ(profile.value(QStringLiteral("Setting/languageID")).toInt(), 1031);

    language->setCurrentIndex(language->findData(1037));
    Click(Button(QDialogButtonBox::Ok));
    EXPECT_EQ(sheet.layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(Pages()->item(0)->text(), LoadLocalizedString(102));
}

TEST_F(PreferenceDlgTest, OpensInTheMiddleOfTheWorkAreaNotOverItsParent)
{
    QWidget mainWindow;
    mainWindow.setGeometry(QRect(QPoint(0, 0), QSize(200, 100)));
    mainWindow.show();
    CPreferenceDlg sheet(*m_settings, {}, &mainWindow);
    sheet.show();
    const QPoint middle = mainWindow.screen()->availableGeometry().center();
    EXPECT_LE((sheet.frameGeometry().center() - middle).manhattanLength(), 1);
}

TEST_F(PreferenceDlgTest, KeysPageAssignsClearsAndResets)
{
    m_settings->m_hotKeys[HOTKEY_MUTE] = 0;
    Open();
    ChoosePage(2);
    QListWidget* keys = Find<QListWidget>("keys");
    ASSERT_EQ(keys->count(), HOTKEY_COUNT);
    EXPECT_EQ(KeyLine(HOTKEY_PAUSERESUME), QStringLiteral("Pause/Resume  [ Space ]"));
    EXPECT_EQ(KeyLine(HOTKEY_INCPBRATE), QStringLiteral("Increase Playback rate 10%  [ Right ]"));
    QStringList before;
    for (int i = 0; i < keys->count(); ++i)
        before << keys->item(i)->text();

    // With no line selected a combination still leaves the action that had it.
    CHotKeyCtrl* box = Find<CHotKeyCtrl>("hotKey");
    box->setFocus();
    QTest::keyPress(box, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("Ctrl + "));
    QTest::keyRelease(box, Qt::Key_Control);
    EXPECT_FALSE(Button(QDialogButtonBox::Apply)->isEnabled());
    PressInKeyBox(Qt::Key_S);
    EXPECT_EQ(KeyLine(HOTKEY_STOP), QStringLiteral("Stop  [ None ]"));
    EXPECT_TRUE(Button(QDialogButtonBox::Apply)->isEnabled());

    // Selecting a line, the first one too, shows its key in the box.
    QTest::mouseClick(keys->viewport(), Qt::LeftButton, {}, keys->visualItemRect(keys->item(0)).center());
    EXPECT_EQ(box->HotKey(), m_settings->m_hotKeys[0]);

    // Space moves from Pause/Resume to Play.
    QTest::mouseClick(keys->viewport(), Qt::LeftButton, {},
                      keys->visualItemRect(keys->item(HOTKEY_PLAY)).center());
    EXPECT_EQ(box->HotKey(), 0x50u);
    PressInKeyBox(Qt::Key_Space);
    EXPECT_EQ(KeyLine(HOTKEY_PLAY), QStringLiteral("Play  [ Space ]"));
    EXPECT_EQ(KeyLine(HOTKEY_PAUSERESUME), QStringLiteral("Pause/Resume  [ None ]"));

    // Ctrl alone changes nothing; the box shows Space again once released.
    QTest::keyPress(box, Qt::Key_Control, Qt::ControlModifier);
    QTest::keyRelease(box, Qt::Key_Control);
    EXPECT_EQ(KeyLine(HOTKEY_PLAY), QStringLiteral("Play  [ Space ]"));
    EXPECT_EQ(box->text(), QStringLiteral("Space"));

    // The separate arrow keys carry the extended flag.
    PressInKeyBox(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(KeyLine(HOTKEY_PLAY), QStringLiteral("Play  [ Ctrl + Right ]"));
    EXPECT_EQ(box->HotKey(), 0xA0027u);

    // Clearing sets the selected action to None and leaves the others,
    // including Mute, which had no key.
    PressInKeyBox(Qt::Key_Backspace);
    EXPECT_EQ(KeyLine(HOTKEY_PLAY), QStringLiteral("Play  [ None ]"));
    EXPECT_EQ(KeyLine(HOTKEY_MUTE), QStringLiteral("Toggle Mute  [ None ]"));
    EXPECT_EQ(KeyLine(HOTKEY_HIDE), before[HOTKEY_HIDE]);

    Click(Find<QPushButton>("resetToDefault"));
    QStringList after;
    for (int i = 0; i < keys->count(); ++i)
        after << keys->item(i)->text();
    before[HOTKEY_MUTE] = QStringLiteral("Toggle Mute  [ M ]");
    EXPECT_EQ(after, before);

    // Play on F5, then OK: the settings hold the keys the main window reads.
    PressInKeyBox(Qt::Key_F5);
    EXPECT_EQ(m_settings->m_hotKeys[HOTKEY_MUTE], 0u);
    Click(Button(QDialogButtonBox::Ok));
    HotKeyTable expected = DefaultHotKeys();
    expected[HOTKEY_PLAY] = 0x74;
    EXPECT_EQ(m_settings->m_hotKeys, expected);
}

}  // namespace
