// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <cstdint>
#include <functional>

// A native window a video sink draws into. Qt never paints it; the sink is
// asked to redraw whenever the window system exposes it.
class CVideoSurface : public QWidget {
public:
    CVideoSurface(QWidget* parent, bool native, std::function<void()> onExpose);
    ~CVideoSurface() override;
    QPaintEngine* paintEngine() const override;
    void SetResizeHandler(std::function<void(QSize)> onResize) { m_onResize = std::move(onResize); }
    // Called while the surface is being destroyed, before its native window goes.
    void SetDestroyHandler(std::function<void()> onDestroy) { m_onDestroy = std::move(onDestroy); }
    // Called when Qt has made a new native window for the surface (it does
    // when a window above it is recreated, as changing window flags does).
    void SetNewWindowHandler(std::function<void()> onNewWindow) { m_onNewWindow = std::move(onNewWindow); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool m_bNative;
    std::function<void()> m_onExpose;
    std::function<void(QSize)> m_onResize;
    std::function<void()> m_onDestroy;
    std::function<void()> m_onNewWindow;
};

// Watches the owner's top-level window: when Qt gives it a new native
// window (as changing its flags does), the native children went with the
// old one and must be made anew.
class COwnerWindowWatcher : public QObject {
public:
    explicit COwnerWindowWatcher(std::function<void()> onNewWindow) : m_onNewWindow(std::move(onNewWindow)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_onNewWindow;
};

// The top-level window that holds the video in full screen. Input on it is
// handed to the drain; closing it is reported instead of done.
class CFullScreenVideoWindow : public QWidget {
public:
    CFullScreenVideoWindow(std::function<void()> onUserClose, std::function<void()> onResize);
    void SetDrain(QObject* drain) { m_pDrain = drain; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointer<QObject> m_pDrain;
    std::function<void()> m_onUserClose;
    std::function<void()> m_onResize;
};

// Where the video of one graph appears: a surface that is a child of the
// owner widget at a given rectangle, or a second surface filling a
// full-screen window. The sink is moved from one surface to the other; the
// native windows themselves never change parents across top-level windows.
// Used on the interface thread only.
class CVideoOutput {
public:
    // bindHandle tells the sink which native window to draw into; expose
    // asks it to redraw. Both are empty for sinks that draw nowhere.
    // onSurfaceLost runs when the owner destroys the surface the sink draws
    // into, so that drawing stops first.
    CVideoOutput(std::function<void(std::uintptr_t)> bindHandle, std::function<void()> expose,
                 std::function<void()> onUserClose, std::function<void()> onSurfaceLost);
    ~CVideoOutput();

    CVideoOutput(const CVideoOutput&) = delete;
    CVideoOutput& operator=(const CVideoOutput&) = delete;

    // Creates the child surface and binds it, before the sink first needs it.
    void Prepare();
    void SetVideoSize(QSize size) { m_videoSize = size; }
    // Called with the size of the surface in use whenever it changes.
    void SetResizeHandler(std::function<void(QSize)> onResize);

    // A null owner only hides the video.
    void SetOwner(QWidget* owner);
    void SetVisible(bool visible);
    bool IsVisible() const { return m_bVisible; }
    void SetPosition(const QRect& rect);
    void SetDrain(QObject* drain);
    void SetFullScreen(bool fullScreen);
    bool IsFullScreen() const { return m_pFullScreen != nullptr; }
    void SetForeground();

    // The surface the sink draws into now.
    QWidget* Surface() const;
    // Hands the surface to the sink again: a sink taken back to READY has
    // forgotten the window it drew into.
    void BindAgain();

private:
    CVideoSurface* MakeSurface(QWidget* parent);
    void Bind(CVideoSurface* surface);
    void Rebind(CVideoSurface* surface);
    void PlaceInFullScreen();
    void ApplyChildGeometry();
    void WatchOwnerWindow();
    void RestoreChildWindow();

    std::function<void(std::uintptr_t)> m_bindHandle;
    std::function<void()> m_expose;
    std::function<void()> m_onUserClose;
    std::function<void()> m_onSurfaceLost;
    std::function<void(QSize)> m_onResize;
    QPointer<CVideoSurface> m_pSurface;
    QPointer<CVideoSurface> m_pFullScreenSurface;
    QPointer<CFullScreenVideoWindow> m_pFullScreen;
    QPointer<QWidget> m_pOwner;
    QPointer<QWidget> m_pWatchedWindow;
    COwnerWindowWatcher m_ownerWatcher;
    QPointer<QObject> m_pDrain;
    QRect m_rcWindow;
    QSize m_videoSize;
    std::uintptr_t m_nBoundHandle = 0;
    bool m_bVisible = true;
};
