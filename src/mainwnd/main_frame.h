// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/border_resize.h"
#include "platform/wheel_notches.h"
#include "platform/window_drag.h"
#include "mainwnd/command_table.h"
#include "mainwnd/command_target.h"
#include "engine/engine_host.h"
#include "skin/skin_catalog.h"
#include "skin/skin_state_record.h"
#include "platform/tray_activation.h"
#include "mainwnd/url_opener.h"

#include <QBasicTimer>
#include <QEvent>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

struct CPlayerContext;
class CMediaEngine;
class CPlaylistFrame;
class CPreferenceDlg;
class CSkin;
class QHelpEvent;

// Posted to the main window with a path handed over by a second start (or
// the command line, or MPRIS), which it plays in place of the playlist once
// the sender has been answered.
inline const QEvent::Type WM_OPEN_PENDING = QEvent::Type(QEvent::User + 4);

class COpenPendingEvent : public QEvent {
public:
    explicit COpenPendingEvent(QString path) : QEvent(WM_OPEN_PENDING), m_strPath(std::move(path)) {}
    const QString& Path() const { return m_strPath; }

private:
    QString m_strPath;
};

// The skinned main window: a frameless top-level window drawn by the skin,
// with the video inside it, and the owner of the player's commands. It is
// the engine's host, keeps the record of state the skin draws, and is the
// command table's target.
class CMainFrame : public QWidget, public CEngineHost, public CCommandTarget {
    Q_OBJECT
public:
    explicit CMainFrame(CPlayerContext& context);
    ~CMainFrame() override;

    // The second-start protocol: the answer to the query and the three
    // copy-data requests (open a file, close, activate).
    std::uint32_t OnInstanceQuery() const;
    void OnCopyData(std::uint32_t code, const QString& path);

    // Commands run through the command table: by menu id (a menu's choice),
    // by name (the tray, desktop media controls, assistive technology) and
    // by hot key (this window's keys and the playlist window's). OnHotKey
    // returns whether a command of that phase has that key.
    void OnCommand(int id);
    void RunCommand(Command name);
    bool OnHotKey(HotKeyCode code, KeyPhase phase);

    void PlayAction() override;
    // Play without ever asking for a file: resumes, or plays the selected
    // row; does nothing while playing or with an empty playlist.
    void PlayListedAction() override;
    void OpenClipAction() override;
    void PauseResumeAction() override;
    void StopOrCloseAction() override;
    void ReplayAction() override;
    void StepTrackAction(bool forward) override;
    void ToggleAlwaysOnTop() override;
    void ToggleSkinOff() override;
    // Shows the user's skin in folder `name` (under one of the skin roots).
    void ChooseUserSkin(const QString& name);
    // Replaces the skin from the settings; the video keeps its place and
    // size on screen and the frame follows it. A user's skin that cannot be
    // shown is reported once and Metal Red is shown instead.
    void RebuildSkin();
    // Where the user's skins are looked for; tests point it elsewhere.
    void SetSkinRoots(const QStringList& roots) { m_skinRoots = roots; }
    void StoreWindowPlacement();
    // Stores the state that outlives the run, then destroys the windows,
    // which ends the program.
    void ExitAction() override;
    void ShowHideAction() override;
    // Minimises the group as the skin's Minimize button does.
    void MinimizeGroup() override;
    // What the menus show, read from the engine, the settings and this window.
    CMenuState MenuState() const;
    void ShowContextMenu(const QPoint& globalPos);
    // A tray icon event; returns 0 when handled, 1 otherwise.
    int OnTrayNotify(TrayMouse mouse) override;
    // The tray's activation (a QSystemTrayIcon::ActivationReason).
    void OnTrayActivated(int reason);

    // Invalidates control `id`'s rectangle.
    void RedrawControl(int id);
    CSkin* Skin() const { return m_pSkin.get(); }
    CPlayerContext& Context() const { return m_context; }
    // Gives the playlist window the skin, the engine and the hot keys, and
    // lets it follow this window's moves.
    void AttachPlaylistWindow(CPlaylistFrame* playlistWindow);
    // Runs after every move and resize; the playlist window's docking
    // follows the main window through it.
    void SetMoveHook(std::function<void()> hook) { m_moveHook = std::move(hook); }

    int HotControl() const { return m_nHotControl; }
    int CapturedControl() const { return m_nCapturedControl; }
    bool IsDragging() const { return m_drag.IsActive(); }
    bool WasZoomed() const { return m_bWasZoomed; }
    const QString& TipText() const { return m_strTipText; }
    bool IsShutdownTimerActive() const { return m_shutdownTimer.isActive(); }
    // The length of a minute of the shutdown countdown, 60000 ms; tests
    // shorten it rather than wait.
    void SetCountdownMinuteMs(int ms) { m_nCountdownMinuteMs = ms; }

    // CEngineHost.
    QWidget* MainWindow() override { return this; }
    QObject* NotifyTarget() override { return this; }
    QRect GetVideoArea() override;
    QRect AvailableScreenArea() override;
    QRect WindowRectForVideo(int width, int height) override;
    void ShowMainWindowNormal() override;
    void PlaceMainWindow(const QRect& rect) override;
    void ShowMainWindow(bool show) override;
    void SetMainWindowTitle(const QString& title) override;
    void SetMainWindowNotTopMost() override;
    void OnPlayStateChanged() override;
    void OnPositionChanged() override;
    void OnTimeTextChanged() override;
    void InvalidateMainWindow() override;
    void InvalidatePlaylistWindow() override;
    bool IsPlaylistWindowVisible() override;
    void ShowPlaylistWindow(bool show) override;
    void ShowOwnerWindow(bool show) override;
    void SetOwnerWindowTopMost() override;
    void SetPositionTimer(bool run) override;
    void PowerOff() override;

    // Brings the record the skin draws from up to date and returns it. The
    // skin reads it when painting either window and when laying out the
    // volume knob and the scroll thumb.
    const CSkinStateRecord& UpdateSkinState();
    // Control `id`'s rectangle for the current skin and state; empty for an
    // id the skin does not place.
    QRect ControlRect(int id);

signals:
    // The main window is gone: the program ends.
    void windowDestroyed();
    // Something the windows show may have changed (a control was redrawn,
    // the play state or the playlist changed); desktop media controls and
    // assistive technology compare their view with it.
    void stateChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool RunRow(const CCommand* command);
    // Plays a handed-over path in place of the playlist, unless it is not
    // a readable file: then the user is told and the playlist stays.
    void OnOpenPending(const QString& path);
    // Replaces the playlist with `paths` and plays its first row.
    void PlayNewList(const QStringList& paths);
    void DestroyWindow();
    void SeekTo(const QPoint& point);
    void LeftButtonDown(const QPoint& point);
    void LeftButtonUp(const QPoint& point);
    void RightButtonUp(const QPoint& point, const QPoint& globalPos);
    bool ShowToolTip(QHelpEvent* event);
    bool StartBorderResize(const QPoint& point);
    void ApplyMinimumSize();
    int HitTest(const QPoint& point);

    // CCommandTarget: the actions only the command table runs.
    CMediaEngine& Engine() const override;
    void ResetWindowPositions() override;
    void OpenDocPage(DocPage page) override;
    void ShowAbout() override;
    void ShowPreferences() override;
    void SetShutdownMode(int mode) override;
    // Asks for the minutes and (re)starts the countdown on OK.
    void ShowMinutesDialog() override;
    // Hides the main window with the playlist window and the owner.
    void HideGroup() override;
    void ToggleMaximized() override;
    void ToggleFullScreen() override;
    void ToggleFullScreenWhilePlaying() override;
    void HideOrLeaveFullScreen() override;
    void TogglePlaylistWindow() override;
    void ToggleShuffle() override;
    void TogglePlaylistRepeat() override;
    void ToggleMute() override;
    void ToggleRepeat() override;
    void Transport(bool (CMediaEngine::*operation)()) override;
    void SetRate(double rate) override;
    void ChangeRate(double delta) override;
    void ChangeRateWhilePlaying(double delta) override;
    void ChooseSkin(int skin) override;
    // Shows the plain look or the chosen bitmap skin, with the playlist
    // window hidden in the plain look.
    void ShowSkinLook(bool plain);
    std::unique_ptr<CSkin> MakeBitmapSkin();
    void ReportSkinError(const CUserSkinLoad& load);
    // The play/pause button: play, pause, or back to the normal rate.
    void PlayPauseButton() override;
    void StepVolume(bool louder) override;

    CPlayerContext& m_context;
    CSkinStateRecord m_skinState;  // declared before the skin, which refers to it
    std::unique_ptr<CSkin> m_pSkin;
    QStringList m_skinRoots = DefaultSkinRoots();
    std::vector<CUserSkinFolder> m_userSkins;  // as the Skins menu last listed them
    int m_nHotControl = 0;
    int m_nCapturedControl = 0;
    QString m_strTipText;
    bool m_bWasZoomed = false;
    CWindowDrag m_drag;

    CBorderResize m_borderResize;
    CWheelNotches m_wheel;

    QBasicTimer m_positionTimer;
    QBasicTimer m_shutdownTimer;
    int m_nCountdownMinuteMs = 60000;
    std::function<void()> m_moveHook;
    bool m_bPlaylistHiddenByMinimize = false;
    bool m_bDestroyed = false;
    QPointer<CPreferenceDlg> m_pPrefsDlg;  // the open preferences sheet
};
