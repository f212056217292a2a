// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology sees of the skinned windows, and that acting
// through it does what the mouse does.
#include "mainwnd/main_frame_accessible.h"
#include "main_frame_fixture.h"

#include "settings/localized_strings.h"
#include "playlistwnd/playlist_frame_accessible.h"
#include "skin/skin_ids.h"

#include <QAccessible>
#include <QAccessibleActionInterface>

#include <gtest/gtest.h>

namespace {

// Installed before any window exists: Qt keeps the first interface it makes
// for a window.
const bool kFactoriesInstalled = [] {
    QAccessible::installFactory(MainFrameAccessibleFactory);
    QAccessible::installFactory(PlaylistFrameAccessibleFactory);
    return true;
}();

constexpr int kGerman = 1031;
constexpr int kEnglish = 1033;

QAccessibleInterface* ChildNamed(QAccessibleInterface* parent, QAccessible::Role role, const QString& name)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        QAccessibleInterface* child = parent->child(i);
        if (child && child->role() == role && child->text(QAccessible::Name) == name)
            return child;
    }
    return nullptr;
}

QAccessibleInterface* ChildWithRole(QAccessibleInterface* parent, QAccessible::Role role)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i) && parent->child(i)->role() == role)
            return parent->child(i);
    }
    return nullptr;
}

void PressAction(QAccessibleInterface* control)
{
    control->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

class SkinAccessibilityTest : public MainFrameTest {
protected:
    SkinAccessibilityTest()
    {
        m_pPlaylistFrame = std::make_unique<CPlaylistFrame>(m_playlist, m_settings, m_pMain.get());
        m_context.playlistFrame = m_pPlaylistFrame.get();
        m_pMain->AttachPlaylistWindow(m_pPlaylistFrame.get());
        m_pPlaylistFrame->setGeometry(700, 100, 318, 300);
        m_pPlaylistFrame->show();
        QCoreApplication::processEvents();
    }
    ~SkinAccessibilityTest() override { SetInterfaceLanguage(kEnglish); }
};

TEST_F(SkinAccessibilityTest, MainWindowControlsAreNamedAndActLikeTheMouse)
{
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(m_pMain.get());
    ASSERT_NE(window, nullptr);
    AddRows(2);
    OpenRow(0);
    ASSERT_TRUE(Engine().IsPlaying());

    QAccessibleInterface* play = ChildNamed(window, QAccessible::PushButton, LoadLocalizedString(164));
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->rect().center(), m_pMain->mapToGlobal(ControlCenter(MC_PLAYPAUSE)));
    EXPECT_EQ(window->childAt(play->rect().center().x(), play->rect().center().y()), play);
    PressAction(play);
    EXPECT_TRUE(Engine().IsPaused());

    QAccessibleInterface* repeat = ChildNamed(window, QAccessible::PushButton, LoadLocalizedString(169));
    ASSERT_NE(repeat, nullptr);
    EXPECT_FALSE(repeat->state().checked);
    PressAction(repeat);
    EXPECT_TRUE(Engine().IsRepeat());
    EXPECT_TRUE(repeat->state().checked);

    // The volume bar in hundredths: a quarter is -30 dB.
    QAccessibleInterface* volume = ChildNamed(window, QAccessible::Slider, LoadLocalizedString(171));
    ASSERT_NE(volume, nullptr);
    EXPECT_EQ(volume->valueInterface()->maximumValue().toInt(), 100);
    volume->valueInterface()->setCurrentValue(25);
    EXPECT_EQ(Engine().GetVolume(), -3000);
    EXPECT_EQ(volume->valueInterface()->currentValue().toInt(), 25);
    EXPECT_NE(ChildNamed(window, QAccessible::StaticText, Main().UpdateSkinState().m_strTime), nullptr);

    // Names follow the interface language.
    SetInterfaceLanguage(kGerman);
    const QString german = LoadLocalizedString(164);
    ASSERT_NE(german, QStringLiteral("Play/Pause"));
    EXPECT_EQ(play->text(QAccessible::Name), german);
}

TEST_F(SkinAccessibilityTest, PlaylistRowsAreAListWhoseItemsPlayWhenActivated)
{
    AddRows(3);
    m_settings.ShowFP = 0;
    m_playlist.m_nSelected = m_playlist.m_nTop = 0;
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(m_pPlaylistFrame.get());
    ASSERT_NE(window, nullptr);
    EXPECT_NE(ChildNamed(window, QAccessible::PushButton, LoadLocalizedString(156)), nullptr);

    QAccessibleInterface* list = ChildWithRole(window, QAccessible::List);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->childCount(), 3);
    QAccessibleInterface* third = list->child(2);
    EXPECT_EQ(third->role(), QAccessible::ListItem);
    EXPECT_EQ(third->text(QAccessible::Name), QStringLiteral("3. /media/clip2.avi 00:00"));
    EXPECT_TRUE(list->child(0)->state().selected);
    EXPECT_FALSE(third->state().selected);
    EXPECT_EQ(list->indexOfChild(third), 2);

    PressAction(third);
    EXPECT_EQ(m_playlist.GetCurrent(), 2);
    EXPECT_TRUE(Engine().IsPlaying());
    EXPECT_EQ(Engine().m_pszPath, m_playlist.GetRow(2).m_strPath);
    EXPECT_TRUE(third->state().selected);
    EXPECT_TRUE(third->state().active);
}

}  // namespace
