// SPDX-License-Identifier: GPL-3.0-or-later
// CMainFrame: construction, painting, sizing, the skin, the second-start
// protocol, and what the engine and the skin ask of the main window.
#include "mainwnd/main_frame.h"

#include "skin/bitmap_skin.h"
#include "mainwnd/copy_data.h"
#include "engine/media_engine.h"
#include "mainwnd/parent_wnd.h"
#include "platform/path_codec.h"
#include "platform/prompt.h"
#include "skin/plain_skin.h"
#include "mainwnd/player_context.h"
#include "settings/player_settings.h"
#include "playlist/playlist.h"
#include "playlistwnd/playlist_frame.h"
#include "mainwnd/playlist_window_host.h"
#include "skin/skin_ids.h"
#include "platform/skinned_accessible.h"
#include "platform/tray_icon.h"
#include "mainwnd/skin_state_fill.h"
#include "settings/localized_strings.h"
#include "settings/string_ids.h"
#include "skin/sprite_layout.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>
#include <QWindowStateChangeEvent>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Why `path` cannot be handed to the playlist, or an empty text when it can.
// Asked of the path's own bytes: a name that is not UTF-8 must pass.
QString UnplayableFileText(const QString& path)
{
    const QByteArray bytes = EncodePath(path);
    struct stat info {};
    if (stat(bytes.constData(), &info) != 0)
        return QStringLiteral("%1 was not found.").arg(DisplayPath(path));
    if (!S_ISREG(info.st_mode))
        return QStringLiteral("%1 is not a file.").arg(DisplayPath(path));
    if (access(bytes.constData(), R_OK) != 0)
        return QStringLiteral("Access to %1 was denied.").arg(DisplayPath(path));
    return {};
}

}  // namespace

CMainFrame::CMainFrame(CPlayerContext& context)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_context(context)
{
    setWindowTitle(QStringLiteral("Velmora"));
    setWindowIcon(QIcon(CTrayIcon::IconResourcePath(IDI_APPLICATION_ICON)));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
    setMouseTracking(true);  // the sizing cursors follow the pointer
    setFocusPolicy(Qt::StrongFocus);
    m_userSkins = FindUserSkins(m_skinRoots);
    RebuildSkin();
}

CMainFrame::~CMainFrame() = default;

std::uint32_t CMainFrame::OnInstanceQuery() const { return kInstanceQueryMessage; }

void CMainFrame::OnCopyData(std::uint32_t code, const QString& path)
{
    switch (code) {
    case COPYDATA_OPEN_FILE: QCoreApplication::postEvent(this, new COpenPendingEvent(path)); break;
    case COPYDATA_CLOSE:
        // Ends the program without storing the state of the run.
        QMetaObject::invokeMethod(this, &CMainFrame::DestroyWindow, Qt::QueuedConnection);
        break;
    case COPYDATA_ACTIVATE:
        showNormal();
        raise();
        activateWindow();
        setFocus();
        break;
    default: break;
    }
}

void CMainFrame::OnOpenPending(const QString& path)
{
    // Checked before the playlist is cleared: a path that names no readable
    // file would leave the user with an empty list and no word why.
    if (const QString refusal = UnplayableFileText(path); !refusal.isEmpty()) {
        CPrompt::Get().MessageBox(this, QStringLiteral("Velmora Message"), refusal, CPrompt::Icon::Warning,
                                  CPrompt::Buttons::Ok);
        return;
    }
    PlayNewList({path});
}

void CMainFrame::PlayNewList(const QStringList& paths)
{
    CPlaylist& playlist = m_context.playlist;
    playlist.Clear();
    for (const QString& path : paths)
        playlist.AddFileByPath(path);
    // Row 0 is opened once, after the whole list is in.
    m_context.engine->PlayRow(0);
}

bool CMainFrame::event(QEvent* event)
{
    if (event->type() == WM_OPEN_PENDING) {
        OnOpenPending(static_cast<COpenPendingEvent*>(event)->Path());
        return true;
    }
    if (event->type() == WM_GRAPH_NOTIFY) {
        m_context.engine->HandleGraphEvents();
        return true;
    }
    if (event->type() == QEvent::ToolTip)
        return ShowToolTip(static_cast<QHelpEvent*>(event));
    return QWidget::event(event);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (!m_bDestroyed)
        ExitAction();
}

void CMainFrame::DestroyWindow()
{
    if (m_bDestroyed)
        return;
    m_bDestroyed = true;
    m_positionTimer.stop();
    m_shutdownTimer.stop();
    m_context.playlistFrame->hide();
    m_context.owner->hide();
    hide();
    emit windowDestroyed();
}

// Painting and sizing.

void CMainFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!m_pSkin)
        return;
    UpdateSkinState();
    m_pSkin->PaintMain(painter, m_nHotControl, rect());
}

void CMainFrame::resizeEvent(QResizeEvent*)
{
    if (m_pSkin)
        m_pSkin->ApplyRegion(*this);
    if (m_context.engine->HasVideo())
        m_context.engine->FitVideoWindow();
    if (m_moveHook)
        m_moveHook();
    update();
}

void CMainFrame::moveEvent(QMoveEvent*)
{
    if (m_moveHook)
        m_moveHook();
}

void CMainFrame::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        NotifyControlNamesChanged(this);
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool wasMinimized = change->oldState().testFlag(Qt::WindowMinimized);
        if (isMinimized() && !wasMinimized) {
            // The group goes down with the main window, however it was
            // minimised (our button, the owner's menu or the window manager).
            m_bWasZoomed = change->oldState().testFlag(Qt::WindowMaximized);
            m_bPlaylistHiddenByMinimize = IsPlaylistWindowVisible();
            ShowPlaylistWindow(false);
        } else if (wasMinimized && !isMinimized()) {
            if (m_bWasZoomed && !isMaximized())
                QMetaObject::invokeMethod(this, &QWidget::showMaximized, Qt::QueuedConnection);
            if (m_bPlaylistHiddenByMinimize)
                ShowPlaylistWindow(true);
            m_bPlaylistHiddenByMinimize = false;
        }
        RedrawControl(MC_MAXIMIZE);
    }
    QWidget::changeEvent(event);
}

void CMainFrame::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_positionTimer.timerId()) {
        // The time window is redrawn by OnTimeTextChanged when its text
        // really changes.
        m_context.engine->UpdateTimeText();
        RedrawControl(MC_SEEK);
    } else if (event->timerId() == m_shutdownTimer.timerId()) {
        PowerOff();
    }
    QWidget::timerEvent(event);
}

void CMainFrame::ApplyMinimumSize()
{
    QRect minimum;
    m_pSkin->GetMainMinRect(minimum);
    setMinimumSize(minimum.size());
}

// The skin.

void CMainFrame::RebuildSkin()
{
    QRect video;  // screen coordinates
    if (m_pSkin) {
        const QRect area = GetVideoArea();
        video = area.translated(geometry().topLeft());
        m_pSkin.reset();
    }
    CPlayerSettings& settings = m_context.settings;
    if (settings.m_bSkinSwitchFlag) {
        m_pSkin = std::make_unique<CPlainSkin>();
        settings.Skin = SKIN_NONE;
    } else {
        m_pSkin = MakeBitmapSkin();
    }
    ApplyMinimumSize();
    if (!testAttribute(Qt::WA_WState_Created))
        return;

    showNormal();
    QRect window;
    m_pSkin->WindowRectFromVideo(video, window);
    window.setSize(window.size().expandedTo(minimumSize()));
    setGeometry(window);
    show();
    m_pSkin->ApplyRegion(*this);
    if (m_context.engine->HasVideo())
        m_context.engine->FitVideoWindow();
    InvalidatePlaylistWindow();
}

std::unique_ptr<CSkin> CMainFrame::MakeBitmapSkin()
{
    CPlayerSettings& settings = m_context.settings;
    if (!settings.UserSkin.isEmpty()) {
        QString folder = FindUserSkinFolder(m_skinRoots, settings.UserSkin);
        if (folder.isEmpty() && !m_skinRoots.isEmpty())
            folder = m_skinRoots.first() + QLatin1Char('/') + settings.UserSkin;
        const CUserSkinLoad load = LoadUserSkin(folder);
        if (load.error == SkinLoadError::None) {
            settings.Skin = SKIN_METAL_RED;
            return std::make_unique<CBitmapSkin>(m_skinState, load.sheet, load.colours);
        }
        ReportSkinError(load);
        settings.UserSkin.clear();
        settings.m_nBitmapSkin = SKIN_METAL_RED;
    }
    settings.Skin = settings.m_nBitmapSkin;
    return std::make_unique<CBitmapSkin>(m_skinState, BuiltInSkin(settings.m_nBitmapSkin));
}

void CMainFrame::ReportSkinError(const CUserSkinLoad& load)
{
    const QString file = DisplayPath(load.file);
    QString reason;
    switch (load.error) {
    case SkinLoadError::NoFolder: reason = LoadLocalizedString(IDS_SKIN_NO_FOLDER).arg(file); break;
    case SkinLoadError::NoSheet: reason = LoadLocalizedString(IDS_SKIN_NO_SHEET).arg(file); break;
    case SkinLoadError::Damaged: reason = LoadLocalizedString(IDS_SKIN_DAMAGED).arg(file); break;
    case SkinLoadError::WrongSize:
        reason = LoadLocalizedString(IDS_SKIN_WRONG_SIZE)
                     .arg(file)
                     .arg(load.headerSize.width())
                     .arg(load.headerSize.height())
                     .arg(sprite::kSheetSize.width())
                     .arg(sprite::kSheetSize.height());
        break;
    case SkinLoadError::None: return;
    }
    const QString text = reason + QLatin1Char('\n') +
                         LoadLocalizedString(IDS_SKIN_SHOWN_INSTEAD).arg(LoadLocalizedString(IDS_SKIN_METAL_RED));
    // Told once the windows stand, not in the middle of building them.
    QMetaObject::invokeMethod(
        this,
        [this, text] {
            CPrompt::Get().MessageBox(this, QStringLiteral("Velmora Message"), text, CPrompt::Icon::Warning,
                                      CPrompt::Buttons::Ok);
        },
        Qt::QueuedConnection);
}

void CMainFrame::ToggleSkinOff()
{
    CPlayerSettings& settings = m_context.settings;
    if (isMaximized() || m_context.engine->IsFullScreen())
        return;
    ShowSkinLook(!settings.m_bSkinSwitchFlag);
}

void CMainFrame::ShowSkinLook(bool plain)
{
    CPlayerSettings& settings = m_context.settings;
    settings.m_bSkinSwitchFlag = plain;
    ShowPlaylistWindow(false);
    RebuildSkin();
    if (!settings.m_bSkinSwitchFlag && settings.PLShow)
        ShowPlaylistWindow(true);
    update();
}

void CMainFrame::ChooseUserSkin(const QString& name)
{
    CPlayerSettings& settings = m_context.settings;
    settings.UserSkin = name;
    settings.m_nBitmapSkin = SKIN_METAL_RED;
    ShowSkinLook(false);
}

void CMainFrame::AttachPlaylistWindow(CPlaylistFrame* playlistWindow)
{
    playlistWindow->SetHost(new CPlaylistWindowHost(*this, m_context, playlistWindow));
    SetMoveHook([window = QPointer<CPlaylistFrame>(playlistWindow)] {
        if (window)
            window->FollowMainWindow();
    });
}

const CSkinStateRecord& CMainFrame::UpdateSkinState()
{
    FillSkinState(m_context, isMaximized(), m_skinState);
    return m_skinState;
}

QRect CMainFrame::ControlRect(int id)
{
    QRect rc;
    if (m_pSkin) {
        UpdateSkinState();
        m_pSkin->GetMainControlRect(size(), id, rc);
    }
    return rc;
}

int CMainFrame::HitTest(const QPoint& point)
{
    if (!m_pSkin)
        return 0;
    UpdateSkinState();
    return m_pSkin->HitTestMain(size(), point.x(), point.y());
}

void CMainFrame::RedrawControl(int id)
{
    const QRect rc = ControlRect(id);
    if (!rc.isEmpty())
        update(rc);
    NotifyControlChanged(this, id);
    emit stateChanged();
}

void CMainFrame::InvalidateMainWindow()
{
    update();
    emit stateChanged();
}

void CMainFrame::OnPlayStateChanged() { RedrawControl(MC_PLAYPAUSE); }

void CMainFrame::OnPositionChanged() { RedrawControl(MC_SEEK); }

void CMainFrame::OnTimeTextChanged() { RedrawControl(MC_TIME); }

// What the engine asks of the main window.

QRect CMainFrame::GetVideoArea()
{
    QRect area;
    if (m_pSkin)
        m_pSkin->GetVideoArea(size(), area);
    return area;
}

QRect CMainFrame::WindowRectForVideo(int width, int height)
{
    // The minimum size is the skin's, set whenever the skin changes.
    const QRect area = GetVideoArea();
    const int outerWidth = std::max(this->width() - area.width() + width, minimumWidth());
    const int outerHeight = std::max(this->height() - area.height() + height, minimumHeight());
    return QRect(geometry().topLeft(), QSize(outerWidth, outerHeight));
}

void CMainFrame::ShowMainWindowNormal() { showNormal(); }

QRect CMainFrame::AvailableScreenArea() { return screen()->availableGeometry(); }

void CMainFrame::PlaceMainWindow(const QRect& rect) { setGeometry(rect); }

void CMainFrame::ShowMainWindow(bool show) { setVisible(show); }

void CMainFrame::SetMainWindowTitle(const QString& title) { setWindowTitle(title); }

// Full screen raised the whole group; the playlist window comes down too.
void CMainFrame::SetMainWindowNotTopMost() { m_context.owner->SetTopMost(false); }

void CMainFrame::InvalidatePlaylistWindow()
{
    m_context.playlistFrame->update();
    emit stateChanged();
}

bool CMainFrame::IsPlaylistWindowVisible() { return m_context.playlistFrame->isVisible(); }

void CMainFrame::ShowPlaylistWindow(bool show) { m_context.playlistFrame->setVisible(show); }

void CMainFrame::ShowOwnerWindow(bool show) { m_context.owner->setVisible(show); }

void CMainFrame::SetOwnerWindowTopMost() { m_context.owner->SetTopMost(true); }

void CMainFrame::SetPositionTimer(bool run)
{
    if (run)
        m_positionTimer.start(TIMER_POSITION_PERIOD_MS, this);
    else
        m_positionTimer.stop();
}
