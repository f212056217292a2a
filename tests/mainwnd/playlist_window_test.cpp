// SPDX-License-Identifier: GPL-3.0-or-later
// The playlist window with the real main window, skin and hot keys, and a
// scripted media engine.
#include "main_frame_fixture.h"

#include "mainwnd/command_ids.h"
#include "playlist/playlist_row.h"
#include "settings/localized_strings.h"
#include "skin/playlist_control_ids.h"
#include "skin/skin.h"

#include <QApplication>
#include <QFile>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// Answers the sort menu instead of a person.
class CSortAnsweringFrame : public CPlaylistFrame {
public:
    using CPlaylistFrame::CPlaylistFrame;
    int m_nMenus = 0;
    QPoint m_ptMenu;

protected:
    SortOrder ChooseSortOrder(QPoint at) override
    {
        ++m_nMenus;
        m_ptMenu = at;
        return SortOrder::ByName;
    }
};

class PlaylistWindowTest : public MainFrameTest {
protected:
    PlaylistWindowTest()
    {
        auto frame = std::make_unique<CSortAnsweringFrame>(m_playlist, m_settings, m_pMain.get());
        m_pList = frame.get();
        m_pPlaylistFrame = std::move(frame);
        m_context.playlistFrame = m_pList;
        m_pMain->AttachPlaylistWindow(m_pList);
        m_settings.Docked = 0;
        m_pList->setGeometry(700, 100, 318, 300);
        m_pList->show();
        QCoreApplication::processEvents();
    }

    QRect PlControl(int id) const
    {
        QRect rc;
        m_pMain->Skin()->GetPlaylistControlRect(m_pList->size(), id, rc);
        return rc;
    }
    QRect ListArea() const
    {
        QRect rc;
        m_pMain->Skin()->GetListArea(m_pList->size(), rc);
        return rc;
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons held)
    {
        QMouseEvent event(type, QPointF(at), QPointF(m_pList->mapToGlobal(at)), Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(m_pList, &event);
    }
    void PlPress(QPoint at) { Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton); }
    void PlMove(QPoint at) { Mouse(QEvent::MouseMove, at, Qt::LeftButton); }
    void PlRelease(QPoint at) { Mouse(QEvent::MouseButtonRelease, at, Qt::NoButton); }
    void PlKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent down(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(m_pList, &down);
        QKeyEvent up(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(m_pList, &up);
    }
    void PlWheel(int delta)
    {
        const QPointF at = ListArea().center();
        QWheelEvent event(at, QPointF(m_pList->mapToGlobal(at.toPoint())), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_pList, &event);
    }
    QPoint RowPoint(int drawnRow) const { return ListArea().topLeft() + QPoint(20, drawnRow * 13 + 6); }

    CSortAnsweringFrame* m_pList = nullptr;
};

TEST_F(PlaylistWindowTest, ReleaseAwayFromTheButtonActsOnlyForSortSaveAndLoad)
{
    AddRows(3);
    m_playlist.m_nSelected = 1;
    m_playlist.m_nTop = 0;
    m_settings.PLShow = 1;
    const QPoint away = ListArea().center();
    for (int id : {PC_CLOSE, PC_REMOVE, PC_CLEAR, PC_NAMEMODE, PC_REPEATLIST, PC_MOVEUP, PC_MAXIMIZE}) {
        PlPress(PlControl(id).center());
        EXPECT_EQ(m_pList->PressedControl(), id);
        PlMove(away);
        EXPECT_EQ(m_pList->PressedControl(), 0) << id;
        PlRelease(away);
    }
    EXPECT_EQ(m_playlist.GetCount(), 3);
    EXPECT_EQ(m_playlist.m_nSelected, 1);
    EXPECT_EQ(m_settings.ShowFP, 1);
    EXPECT_EQ(m_settings.PlaylistRepeat, 0);
    EXPECT_TRUE(m_pList->isVisible());
    EXPECT_FALSE(m_pList->IsMaximized());

    PlPress(PlControl(PC_SORT).center());
    PlMove(away);
    PlRelease(away);
    EXPECT_EQ(m_pList->m_nMenus, 1);
    PlPress(PlControl(PC_SAVE).center());
    PlMove(away);
    PlRelease(away);
    EXPECT_EQ(m_prompt.m_nSaveDialogs, 1);
    const QRect window = m_pList->geometry();
    EXPECT_EQ(m_pList->m_ptMenu, QPoint(window.left() + 241, window.top() + window.height() - 7));

    // Over the button, Remove acts.
    PlPress(PlControl(PC_REMOVE).center());
    PlRelease(PlControl(PC_REMOVE).center());
    EXPECT_EQ(m_playlist.GetCount(), 2);

    const QString saved = m_strFolder + QStringLiteral("/saved.vml");
    ASSERT_TRUE(m_playlist.SaveToFile(saved));
    m_playlist.Clear();
    m_prompt.m_files = {saved};
    PlPress(PlControl(PC_LOAD).center());
    PlRelease(away);
    EXPECT_EQ(m_playlist.GetCount(), 2);
}

TEST_F(PlaylistWindowTest, KeysAndWheelOnAnEmptyListChangeNothing)
{
    for (int key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Delete, Qt::Key_Return})
        PlKey(key);
    PlWheel(120);
    PlWheel(-120);
    EXPECT_EQ(m_playlist.GetCount(), 0);
    EXPECT_EQ(m_playlist.m_nSelected, -1);
    EXPECT_EQ(m_playlist.m_nTop, -1);
    EXPECT_FALSE(Engine().IsLoaded());
}

TEST_F(PlaylistWindowTest, SelectionMovesWithTheArrowKeysButNotTheKeypadsAndWithTheWheel)
{
    AddRows(10);
    m_playlist.m_nSelected = m_playlist.m_nTop = 0;
    PlKey(Qt::Key_Down, Qt::KeypadModifier);
    EXPECT_EQ(m_playlist.m_nSelected, 0);
    PlKey(Qt::Key_Down);
    EXPECT_EQ(m_playlist.m_nSelected, 1);
    PlWheel(-120);
    EXPECT_EQ(m_playlist.m_nSelected, 4);
    PlWheel(120);
    PlKey(Qt::Key_Up);
    EXPECT_EQ(m_playlist.m_nSelected, 0);
    // A touchpad's ten small deltas are one notch.
    for (int i = 0; i < 10; ++i)
        PlWheel(-12);
    EXPECT_EQ(m_playlist.m_nSelected, 3);
    PlKey(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(m_playlist.GetCount(), 9);
}

TEST_F(PlaylistWindowTest, CloseButtonClearsPLShowButAWindowManagerCloseDoesNot)
{
    m_settings.PLShow = 1;
    m_pList->close();
    EXPECT_FALSE(m_pList->isVisible());
    EXPECT_EQ(m_settings.PLShow, 1);

    m_pList->show();
    PlPress(PlControl(PC_CLOSE).center());
    PlRelease(PlControl(PC_CLOSE).center());
    EXPECT_FALSE(m_pList->isVisible());
    EXPECT_EQ(m_settings.PLShow, 0);
}

TEST_F(PlaylistWindowTest, DoubleClickOnARowPlaysItAndReturnPlaysTheSelection)
{
    AddRows(5);
    m_playlist.m_nSelected = m_playlist.m_nTop = 0;
    const QPoint row2 = RowPoint(2);
    PlPress(row2);
    PlRelease(row2);
    Mouse(QEvent::MouseButtonDblClick, row2, Qt::LeftButton);
    PlRelease(row2);
    EXPECT_EQ(m_playlist.GetCurrent(), 2);
    EXPECT_TRUE(Engine().IsPlaying());
    EXPECT_EQ(Engine().m_pszPath, m_playlist.GetRow(2).m_strPath);
    EXPECT_FALSE(m_pList->IsDragging());

    PlKey(Qt::Key_Down);
    PlKey(Qt::Key_Return);
    EXPECT_EQ(m_playlist.GetCurrent(), 3);
    EXPECT_EQ(Engine().m_pszPath, m_playlist.GetRow(3).m_strPath);
}

TEST_F(PlaylistWindowTest, KeyUpRunsTheMainWindowsHotKeyButHideIsNotOne)
{
    PlKey(Qt::Key_M);  // hotkey_Mute
    EXPECT_TRUE(Engine().IsMuted());
    m_settings.m_hotKeys[HOTKEY_HIDE] = MakeHotKey(0, 'H');
    PlKey(Qt::Key_H);
    EXPECT_TRUE(Main().isVisible());
}

TEST_F(PlaylistWindowTest, ThumbAtTheBottomOfItsTrackShowsTheLastRowAtTheTop)
{
    AddRows(100);
    m_playlist.m_nSelected = m_playlist.m_nTop = 0;
    PlPress(PlControl(PC_THUMB).center());
    ASSERT_EQ(m_pList->PressedControl(), PC_THUMB);
    PlMove(QPoint(PlControl(PC_THUMB).center().x(), ListArea().bottom() + 40));
    EXPECT_EQ(m_playlist.m_nTop, 99);
    PlMove(QPoint(PlControl(PC_THUMB).center().x(), ListArea().top()));
    EXPECT_EQ(m_playlist.m_nTop, 0);
    PlRelease(ListArea().center());
}

TEST_F(PlaylistWindowTest, ALostReleaseLeavesNoThumbDragBehind)
{
    AddRows(100);
    m_playlist.m_nSelected = m_playlist.m_nTop = 0;
    const QPoint low(PlControl(PC_THUMB).center().x(), ListArea().bottom() + 40);
    // The release went elsewhere: the pointer moves without a button.
    PlPress(PlControl(PC_THUMB).center());
    Mouse(QEvent::MouseMove, low, Qt::NoButton);
    EXPECT_EQ(m_playlist.m_nTop, 0);

    // Hidden mid-drag (the main window was hidden): shown again, nothing is held.
    m_pList->hide();
    m_pList->show();
    EXPECT_EQ(m_pList->PressedControl(), 0);
    PlMove(low);
    EXPECT_EQ(m_playlist.m_nTop, 0);
}

TEST_F(PlaylistWindowTest, DroppedFilesAreAppendedWithoutPlaying)
{
    AddRows(1);
    const QString text = m_strFolder + QStringLiteral("/notes.txt");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(text), QUrl(QStringLiteral("https://example.org/a.mp3")),
                  QUrl::fromLocalFile(m_strFolder)});
    const QPointF at = ListArea().center();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_pList, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_pList, &drop);
    EXPECT_EQ(m_playlist.GetCount(), 3);
    EXPECT_EQ(m_playlist.GetRow(1).m_strPath, text);
    EXPECT_FALSE(Engine().IsLoaded());
}

}  // namespace

// The window's own sort menu: the main window's rows give its items, and
// the choice sorts the list.
TEST_F(MainFrameTest, SortMenuComesFromTheCommandTableAndItsChoiceSorts)
{
    for (const QString& path : {QStringLiteral("/media/b/one.avi"), QStringLiteral("/media/a/two.avi")}) {
        auto row = std::make_unique<CPlaylistRow>();
        row->m_strPath = path;
        row->m_strFileName = path.section(u'/', -1);
        m_playlist.m_rows.push_back(std::move(row));
    }
    CPlaylistFrame& list = *m_pPlaylistFrame;
    m_settings.Docked = 0;
    list.setGeometry(700, 100, 318, 300);
    list.show();
    QCoreApplication::processEvents();
    QRect sort;
    m_pMain->Skin()->GetPlaylistControlRect(list.size(), PC_SORT, sort);
    const auto clickSort = [&] {
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QMouseEvent event(type, QPointF(sort.center()), QPointF(list.mapToGlobal(sort.center())),
                              Qt::LeftButton, held, Qt::NoModifier);
            QApplication::sendEvent(&list, &event);
        }
    };

    m_menus.m_nChoice = ID_SORT_BY_FOLDER;
    clickSort();
    ASSERT_EQ(m_menus.m_menus.size(), 1u);
    ASSERT_NE(m_menus.m_menus[0].Find(ID_SORT_BY_NAME), nullptr);
    EXPECT_EQ(m_menus.m_menus[0].Find(ID_SORT_BY_NAME)->text, LoadLocalizedString(210));  // "By Name"
    EXPECT_EQ(m_playlist.m_rows[0]->m_strPath, QStringLiteral("/media/a/two.avi"));

    m_menus.m_nChoice = ID_SORT_BY_NAME;
    clickSort();
    EXPECT_EQ(m_playlist.m_rows[0]->m_strPath, QStringLiteral("/media/b/one.avi"));
}
