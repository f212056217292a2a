#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <cstdint>
#include <functional>

// The native widget a video sink draws into. Qt never paints it; the sink
// is asked to redraw whenever the window system exposes it.
class CVideoSurface : public QWidget {
public:
    CVideoSurface(bool native, std::function<void()> onExpose);
    QPaintEngine* paintEngine() const override;
    void SetResizeHandler(std::function<void(QSize)> onResize) { m_onResize = std::move(onResize); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool m_bNative;
    std::function<void()> m_onExpose;
    std::function<void(QSize)> m_onResize;
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
// owner widget at a given rectangle, or fills a full-screen window. Used on
// the interface thread only.
class CVideoOutput {
public:
    // bindHandle tells the sink which native window to draw into (0: none);
    // expose asks it to redraw. Both are empty for sinks that draw nowhere.
    CVideoOutput(std::function<void(std::uintptr_t)> bindHandle, std::function<void()> expose,
                 std::function<void()> onUserClose);
    ~CVideoOutput();

    CVideoOutput(const CVideoOutput&) = delete;
    CVideoOutput& operator=(const CVideoOutput&) = delete;

    // Creates the surface and binds it, before the sink first needs it.
    void Prepare();
    void SetVideoSize(QSize size) { m_videoSize = size; }
    // Called with the surface's size whenever it changes.
    void SetResizeHandler(std::function<void(QSize)> onResize);

    void SetOwner(QWidget* owner);
    void SetVisible(bool visible);
    bool IsVisible() const { return m_bVisible; }
    void SetPosition(const QRect& rect);
    void SetDrain(QObject* drain);
    QObject* Drain() const { return m_pDrain; }
    void SetFullScreen(bool fullScreen);
    bool IsFullScreen() const { return m_pFullScreen != nullptr; }
    void SetForeground();

    QWidget* Surface() const { return m_pSurface; }
    QWidget* FullScreenWindow() const { return m_pFullScreen; }

private:
    void Rebind();
    void PlaceInFullScreen();
    void ApplyChildGeometry();

    std::function<void(std::uintptr_t)> m_bindHandle;
    std::function<void()> m_expose;
    std::function<void()> m_onUserClose;
    std::function<void(QSize)> m_onResize;
    QPointer<CVideoSurface> m_pSurface;
    QPointer<CFullScreenVideoWindow> m_pFullScreen;
    QPointer<QWidget> m_pOwner;
    QPointer<QObject> m_pDrain;
    QRect m_rcWindow;
    QSize m_videoSize;
    std::uintptr_t m_nBoundHandle = 0;
    bool m_bVisible = true;
};
