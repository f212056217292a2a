// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_frame_fixture.h"

#include <QCoreApplication>

MainFrameTest::MainFrameTest()
    : m_strFolder(testsupport::MakeScratchDir(QStringLiteral("mainwnd"))),
      m_settings(m_strFolder + QStringLiteral("/Velmora.ini"), m_strFolder + QStringLiteral("/velmora"))
{
    CPrompt::Install(&m_prompt);
    CMenuPresenter::Install(&m_menus);
    CUrlOpener::Install(&m_urls);
    CPowerControl::Install(&m_logind);
    m_settings.AutoSizeWin = 0;
    m_playlist.SetDefaultFile(m_strFolder + QStringLiteral("/default.vml"));

    m_pOwner = std::make_unique<CParentWnd>(m_context);
    m_context.owner = m_pOwner.get();
    m_pMain = std::make_unique<CMainFrame>(m_context);
    m_context.mainFrame = m_pMain.get();
    m_pPlaylistFrame = std::make_unique<CPlaylistFrame>(m_playlist, m_settings, m_pMain.get());
    m_context.playlistFrame = m_pPlaylistFrame.get();
    m_pMain->AttachPlaylistWindow(m_pPlaylistFrame.get());
    m_context.tray = &m_tray;
    m_pEngine = std::make_unique<CMediaEngine>(*m_pMain, m_playlist, m_settings, m_factory, m_power);
    m_pEngine->SetTrayIcon(&m_tray);
    m_context.engine = m_pEngine.get();
    m_playlist.SetCloseMedia([this] { m_pEngine->Close(); });

    m_pMain->setGeometry(100, 100, 403, 280);
    m_pOwner->show();
    m_pMain->show();
    QCoreApplication::processEvents();
}

MainFrameTest::~MainFrameTest()
{
    m_playlist.SetCloseMedia({});
    m_context.engine = nullptr;
    m_pEngine.reset();
    m_pPlaylistFrame.reset();
    m_context.playlistFrame = nullptr;
    m_pMain.reset();
    m_context.mainFrame = nullptr;
    m_pOwner.reset();
    CPowerControl::Install(nullptr);
    CUrlOpener::Install(nullptr);
    CMenuPresenter::Install(nullptr);
    CPrompt::Install(nullptr);
}

void MainFrameTest::AddRows(int rows)
{
    for (int i = 0; i < rows; ++i) {
        auto row = std::make_unique<CPlaylistRow>();
        row->m_strPath = QStringLiteral("/media/clip%1.avi").arg(m_playlist.GetCount());
        m_playlist.m_rows.push_back(std::move(row));
    }
}

void MainFrameTest::OpenRow(int index, bool play)
{
    m_pEngine->Open(index);
    if (play)
        m_pEngine->Play();
}

QRect MainFrameTest::ControlRect(int id) const
{
    QRect rc;
    m_pMain->Skin()->GetMainControlRect(m_pMain->size(), id, rc);
    return rc;
}

QPoint MainFrameTest::ControlCenter(int id) const { return ControlRect(id).center(); }

namespace {

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

}  // namespace

void MainFrameTest::Press(QPoint at, Qt::MouseButton button)
{
    SendMouse(*m_pMain, QEvent::MouseButtonPress, at, button, button);
}

void MainFrameTest::Move(QPoint to, Qt::MouseButtons held)
{
    SendMouse(*m_pMain, QEvent::MouseMove, to, Qt::NoButton, held);
}

void MainFrameTest::Release(QPoint at, Qt::MouseButton button)
{
    SendMouse(*m_pMain, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

void MainFrameTest::Click(int controlId)
{
    const QPoint at = ControlCenter(controlId);
    Press(at);
    Release(at);
}

void MainFrameTest::DoubleClick(QPoint at)
{
    Press(at);
    Release(at);
    SendMouse(*m_pMain, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    Release(at);
}

void MainFrameTest::KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(m_pMain.get(), &event);
}

void MainFrameTest::KeyUp(int key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent event(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(m_pMain.get(), &event);
}

void MainFrameTest::Key(int key, Qt::KeyboardModifiers modifiers)
{
    KeyDown(key, modifiers);
    KeyUp(key, modifiers);
}

void MainFrameTest::Wheel(int delta)
{
    const QPointF at(200, 100);
    QWheelEvent event(at, QPointF(m_pMain->mapToGlobal(at.toPoint())), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_pMain.get(), &event);
}
