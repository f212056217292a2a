// SPDX-License-Identifier: GPL-3.0-or-later
#include "assoc/default_application.h"
#include "assoc/desktop_entry.h"
#include "assoc/file_assoc.h"
#include "settings/localized_strings.h"
#include "settings/player_settings.h"
#include "preferences/check_list_box.h"
#include "preferences/ppg_file_asso.h"
#include <xdg_folders.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// Installed before any list exists: Qt keeps the first interface it makes.
const bool kFactoryInstalled = [] {
    QAccessible::installFactory(CheckListBoxAccessibleFactory);
    return true;
}();

constexpr int AVI = 3;
constexpr int DIVX = 5;
constexpr int MP3 = 8;
constexpr int WAV = 12;

class PpgFileAssoTest : public XdgFoldersTest {
protected:
    void SetUp() override
    {
        XdgFoldersTest::SetUp();
        SetInterfaceLanguage(LANG_ENGLISH_US);
        InstallApp(SystemApplications(), QStringLiteral("oldplayer.desktop"));
        WriteFile(SystemConfigDir() + QStringLiteral("/mimeapps.list"),
                  "[Default Applications]\naudio/mpeg=oldplayer.desktop\n"
                  "video/x-msvideo=oldplayer.desktop\n");
    }

    static void SetChecked(CPpgFileAsso& page, int row, bool checked)
    {
        page.TypeList()->item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    static std::vector<int> CheckedRows(const CPpgFileAsso& page)
    {
        std::vector<int> rows;
        for (int i = 0; i < page.TypeList()->count(); ++i)
            if (page.TypeList()->item(i)->checkState() == Qt::Checked)
                rows.push_back(i);
        return rows;
    }
};

TEST_F(PpgFileAssoTest, OpensWithTheTableAndOnlyAssociatedTypesChecked)
{
    InstallApp(SystemApplications(), kPlayerDesktopId);
    WriteFile(UserList(), "[Default Applications]\naudio/mpeg=velmora.desktop\n");
    CPpgFileAsso page;

    ASSERT_EQ(page.TypeList()->count(), FILE_TYPE_COUNT);
    EXPECT_EQ(page.TypeList()->item(0)->text(), QStringLiteral("Dolby Digital Audio(ac3)"));
    EXPECT_EQ(page.TypeList()->item(MP3)->text(), QStringLiteral("MPEG Layer 3 Audio(mp3)"));
    EXPECT_EQ(page.TypeList()->item(16)->text(), QStringLiteral("XviD Video(xvid)"));
    EXPECT_EQ(CheckedRows(page), std::vector<int>{MP3});
    EXPECT_FALSE(page.IsModified());
    EXPECT_EQ(page.findChild<QLabel*>()->text(), LoadLocalizedString(121));
    EXPECT_EQ(page.findChild<QGroupBox*>()->title(), QStringLiteral("File types"));
    EXPECT_EQ(page.SelectAllButton()->text(), QStringLiteral("Select All"));

    // A check change enables the sheet's Apply; Select All never unchecks.
    QSignalSpy spy(&page, &CPpgFileAsso::modifiedChanged);
    SetChecked(page, MP3, false);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_TRUE(spy.at(0).at(0).toBool());
    page.SelectAllButton()->click();
    EXPECT_EQ(CheckedRows(page).size(), std::size_t(FILE_TYPE_COUNT));
    page.OnApply();
    EXPECT_FALSE(page.IsModified());
}

TEST_F(PpgFileAssoTest, SelectAllThenApplyAssociatesEveryTypeAndUncheckingGivesThemBack)
{
    WriteFile(UserList(), "# mine\n[Default Applications]\nvideo/x-msvideo=oldplayer.desktop\n");
    {
        CPpgFileAsso page;
        page.OnSelectAll();
        page.OnApply();
    }
    for (int i = 0; i < FILE_TYPE_COUNT; ++i)
        EXPECT_EQ(CFileAssoc::IsAssociated(i), !CFileAssoc::Key(i).isEmpty()) << i;
    EXPECT_EQ(Backup(QStringLiteral(".mp3")), QStringLiteral(""));
    EXPECT_EQ(Backup(QStringLiteral(".avi")), QStringLiteral("oldplayer.desktop"));
    // .divx shares .avi's type, which was the player's by its turn.
    EXPECT_TRUE(Backup(QStringLiteral(".divx")).isNull());
    EXPECT_EQ(GioDefault(QStringLiteral("audio/mpeg")), kPlayerDesktopId);
    EXPECT_EQ(XdgMimeDefault(QStringLiteral("audio/mpeg")), kPlayerDesktopId);

    {
        CPpgFileAsso page;
        for (int i = 0; i < FILE_TYPE_COUNT; ++i)
            SetChecked(page, i, false);
        page.OnApply();
    }
    EXPECT_EQ(ReadFile(UserList()),
              QByteArray("# mine\n[Default Applications]\nvideo/x-msvideo=oldplayer.desktop\n"));
    EXPECT_EQ(GioDefault(QStringLiteral("audio/mpeg")), QStringLiteral("oldplayer.desktop"));
    EXPECT_EQ(XdgMimeDefault(QStringLiteral("audio/mpeg")), QStringLiteral("oldplayer.desktop"));
    EXPECT_EQ(GioDefault(QStringLiteral("video/x-msvideo")), QStringLiteral("oldplayer.desktop"));
}

TEST_F(PpgFileAssoTest, AlreadyAssociatedTypeTakesNoBackup)
{
    InstallApp(SystemApplications(), kPlayerDesktopId);
    WriteFile(UserList(), "[Default Applications]\naudio/mpeg=velmora.desktop\n");
    CPpgFileAsso page;
    SetChecked(page, WAV, true);
    page.OnApply();

    EXPECT_TRUE(Backup(QStringLiteral(".mp3")).isNull());
    EXPECT_EQ(Backup(QStringLiteral(".wav")), QStringLiteral(""));
    EXPECT_TRUE(CFileAssoc::IsAssociated(MP3));
    EXPECT_TRUE(CFileAssoc::IsAssociated(WAV));
}

TEST_F(PpgFileAssoTest, TypeWhosePreviousOwnerCannotBeSavedIsNotTakenOver)
{
    const QByteArray list = "[Default Applications]\naudio/mpeg=oldplayer.desktop\n";
    WriteFile(UserList(), list);
    WriteFile(QFileInfo(CPlayerSettings::DefaultProfilePath()).path(), "a file where the folder should be");
    CPpgFileAsso page;
    SetChecked(page, MP3, true);
    page.OnApply();
    EXPECT_FALSE(CFileAssoc::IsAssociated(MP3));
    EXPECT_EQ(ReadFile(UserList()), list);
}

TEST_F(PpgFileAssoTest, TypesSharingAMimeTypeTickAndAreGivenBackTogether)
{
    const QByteArray original = "[Default Applications]\nvideo/x-msvideo=oldplayer.desktop\n";
    const QString type = CFileAssoc::Key(AVI);
    ASSERT_EQ(type, CFileAssoc::Key(DIVX));
    WriteFile(UserList(), original);
    {
        CPpgFileAsso page;
        SetChecked(page, AVI, true);
        EXPECT_EQ(CheckedRows(page), (std::vector<int>{AVI, DIVX}));
        page.OnApply();
    }
    EXPECT_EQ(XdgMimeDefault(type), kPlayerDesktopId);
    {
        CPpgFileAsso page;
        SetChecked(page, DIVX, false);
        EXPECT_TRUE(CheckedRows(page).empty());
        page.OnApply();
    }
    EXPECT_EQ(XdgMimeDefault(type), QStringLiteral("oldplayer.desktop"));
    EXPECT_EQ(ReadFile(UserList()), original);

    // A backup kept under the other extension of the type is found too.
    WriteFile(UserList(), "[Default Applications]\nvideo/x-msvideo=velmora.desktop\n");
    InstallApp(SystemApplications(), kPlayerDesktopId);
    QSettings(CPlayerSettings::DefaultProfilePath(), QSettings::IniFormat)
        .setValue(QStringLiteral("FileTypeBackup/.divx"), QStringLiteral("oldplayer.desktop"));
    {
        CPpgFileAsso page;
        SetChecked(page, AVI, false);
        page.OnApply();
    }
    EXPECT_EQ(ReadFile(UserList()), original);
}

TEST_F(PpgFileAssoTest, ApplyWhileAnotherListWinsKeepsTheRealPreviousOwner)
{
    // A desktop's own list overrides the user's: the player's entry written
    // there does not take effect, so every Apply sees the row unassociated.
    InstallApp(SystemApplications(), QStringLiteral("prev.desktop"));
    const QString desktopList = QFileInfo(UserList()).path() + QStringLiteral("/x-generic-mimeapps.list");
    WriteFile(desktopList, "[Default Applications]\naudio/mpeg=oldplayer.desktop\n");
    WriteFile(UserList(), "[Default Applications]\naudio/mpeg=prev.desktop\n");
    setenv("XDG_CURRENT_DESKTOP", "X-Generic", 1);
    for (int apply = 0; apply < 2; ++apply) {
        CPpgFileAsso page;
        SetChecked(page, MP3, true);
        page.OnApply();
    }
    EXPECT_EQ(Backup(QStringLiteral(".mp3")), QStringLiteral("prev.desktop"));

    QFile::remove(desktopList);
    {
        CPpgFileAsso page;
        ASSERT_EQ(CheckedRows(page), std::vector<int>{MP3});
        SetChecked(page, MP3, false);
        page.OnApply();
    }
    EXPECT_EQ(GioDefault(QStringLiteral("audio/mpeg")), QStringLiteral("prev.desktop"));
    EXPECT_EQ(XdgMimeDefault(QStringLiteral("audio/mpeg")), QStringLiteral("prev.desktop"));
}

TEST_F(PpgFileAssoTest, ScreenReaderSeesAndTicksTheRowsCheckBoxes)
{
    CPpgFileAsso page;
    page.show();
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(page.TypeList());
    ASSERT_TRUE(list && kFactoryInstalled);
    ASSERT_EQ(list->childCount(), FILE_TYPE_COUNT);
    QAccessibleInterface* row = list->child(MP3);
    EXPECT_EQ(row->text(QAccessible::Name), page.TypeList()->item(MP3)->text());
    EXPECT_EQ(row->role(), QAccessible::CheckBox);
    EXPECT_TRUE(row->state().checkable);
    EXPECT_FALSE(row->state().checked);

    ASSERT_TRUE(row->actionInterface());
    row->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(CheckedRows(page), std::vector<int>{MP3});
    EXPECT_TRUE(row->state().checked);
    EXPECT_TRUE(page.IsModified());
    EXPECT_EQ(list->indexOfChild(row), MP3);
}

}  // namespace
