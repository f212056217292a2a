// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/graph/video_output.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QResizeEvent>
#include <QScreen>

#include <memory>

namespace {

void PaintBlack(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The largest rectangle of the video's shape centred in `area`.
QRect FitCentred(const QSize& video, const QRect& area)
{
    if (video.isEmpty() || area.isEmpty())
        return area;
    QSize size = video.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2,
                 size.width(), size.height());
}

bool IsForwardedInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu: return true;
    default: return false;
    }
}

}  // namespace

CVideoSurface::CVideoSurface(QWidget* parent, bool native, std::function<void()> onExpose)
    : QWidget(parent), m_bNative(native), m_onExpose(std::move(onExpose))
{
    if (m_bNative) {
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_DontCreateNativeAncestors);
        setAttribute(Qt::WA_PaintOnScreen);
        setAttribute(Qt::WA_NoSystemBackground);
        setAttribute(Qt::WA_OpaquePaintEvent);
    } else {
        PaintBlack(this);
    }
}

CVideoSurface::~CVideoSurface()
{
    if (m_onDestroy)
        m_onDestroy();
}

bool CVideoSurface::event(QEvent* event)
{
    const bool result = QWidget::event(event);
    // A window being torn down reports 0; only a new window is of interest.
    if (event->type() == QEvent::WinIdChange && internalWinId() && m_onNewWindow)
        m_onNewWindow();
    return result;
}

QPaintEngine* CVideoSurface::paintEngine() const { return m_bNative ? nullptr : QWidget::paintEngine(); }

void CVideoSurface::paintEvent(QPaintEvent* event)
{
    if (m_bNative) {
        if (m_onExpose)
            m_onExpose();
        return;
    }
    QWidget::paintEvent(event);
}

void CVideoSurface::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_onResize)
        m_onResize(size());
}

bool COwnerWindowWatcher::eventFilter(QObject* watched, QEvent* event)
{
    // Acted on once the new window is complete, not while Qt is making it.
    if (event->type() == QEvent::WinIdChange && static_cast<QWidget*>(watched)->internalWinId() && m_onNewWindow)
        QMetaObject::invokeMethod(this, m_onNewWindow, Qt::QueuedConnection);
    return false;
}

CFullScreenVideoWindow::CFullScreenVideoWindow(std::function<void()> onUserClose, std::function<void()> onResize)
    : QWidget(nullptr, Qt::Window), m_onUserClose(std::move(onUserClose)), m_onResize(std::move(onResize))
{
    PaintBlack(this);
    setWindowTitle(QStringLiteral("Velmora"));
    setFocusPolicy(Qt::StrongFocus);
}

bool CFullScreenVideoWindow::event(QEvent* event)
{
    if (m_pDrain && IsForwardedInput(event->type())) {
        std::unique_ptr<QEvent> copy(event->clone());
        QCoreApplication::sendEvent(m_pDrain, copy.get());
        return true;
    }
    return QWidget::event(event);
}

void CFullScreenVideoWindow::closeEvent(QCloseEvent* event)
{
    // The engine decides what closing the video means; the window stays.
    event->ignore();
    if (m_onUserClose)
        m_onUserClose();
}

void CFullScreenVideoWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_onResize)
        m_onResize();
}

CVideoOutput::CVideoOutput(std::function<void(std::uintptr_t)> bindHandle, std::function<void()> expose,
                           std::function<void()> onUserClose, std::function<void()> onSurfaceLost)
    : m_bindHandle(std::move(bindHandle)),
      m_expose(std::move(expose)),
      m_onUserClose(std::move(onUserClose)),
      m_onSurfaceLost(std::move(onSurfaceLost)),
      m_ownerWatcher([this] { RestoreChildWindow(); })
{
}

CVideoOutput::~CVideoOutput()
{
    if (m_pWatchedWindow)
        m_pWatchedWindow->removeEventFilter(&m_ownerWatcher);
    // The sink no longer draws (its graph is down); nothing to stop first.
    for (CVideoSurface* surface : {m_pSurface.data(), m_pFullScreenSurface.data()})
        if (surface)
            surface->SetDestroyHandler({});
    delete m_pFullScreen.data();
    delete m_pSurface.data();
}

CVideoSurface* CVideoOutput::MakeSurface(QWidget* parent)
{
    auto* surface = new CVideoSurface(parent, bool(m_bindHandle), m_expose);
    surface->SetResizeHandler(m_onResize);
    surface->SetNewWindowHandler([this, surface] { Rebind(surface); });
    surface->SetDestroyHandler([this, surface] {
        if (Surface() == surface && m_onSurfaceLost)
            m_onSurfaceLost();
    });
    return surface;
}

QWidget* CVideoOutput::Surface() const
{
    return m_pFullScreenSurface ? m_pFullScreenSurface.data() : m_pSurface.data();
}

void CVideoOutput::Prepare()
{
    // No parent yet: a native window of its own, unmapped, that the owner
    // adopts later.
    if (!m_pSurface)
        m_pSurface = MakeSurface(nullptr);
    if (!IsFullScreen())
        Bind(m_pSurface);
}

void CVideoOutput::Bind(CVideoSurface* surface)
{
    if (!m_bindHandle || !surface)
        return;
    const auto handle = static_cast<std::uintptr_t>(surface->winId());
    if (handle != m_nBoundHandle) {
        m_nBoundHandle = handle;
        m_bindHandle(handle);
    }
    if (m_expose)
        m_expose();
}

void CVideoOutput::BindAgain()
{
    m_nBoundHandle = 0;
    Bind(IsFullScreen() ? m_pFullScreenSurface.data() : m_pSurface.data());
}

void CVideoOutput::Rebind(CVideoSurface* surface)
{
    if (surface == Surface())
        Bind(surface);
}

void CVideoOutput::SetResizeHandler(std::function<void(QSize)> onResize)
{
    m_onResize = std::move(onResize);
    for (CVideoSurface* surface : {m_pSurface.data(), m_pFullScreenSurface.data()})
        if (surface)
            surface->SetResizeHandler(m_onResize);
}

void CVideoOutput::SetOwner(QWidget* owner)
{
    Prepare();
    if (!owner) {
        m_pSurface->hide();
        return;
    }
    if (m_pSurface->parentWidget() != owner) {
        m_pOwner = owner;
        m_pSurface->setParent(owner);
        WatchOwnerWindow();
        if (!IsFullScreen())
            Bind(m_pSurface);
    }
    ApplyChildGeometry();
}

void CVideoOutput::WatchOwnerWindow()
{
    if (m_pWatchedWindow)
        m_pWatchedWindow->removeEventFilter(&m_ownerWatcher);
    m_pWatchedWindow = m_pOwner ? m_pOwner->window() : nullptr;
    if (m_pWatchedWindow)
        m_pWatchedWindow->installEventFilter(&m_ownerWatcher);
}

void CVideoOutput::RestoreChildWindow()
{
    if (!m_pSurface || !m_pSurface->parentWidget())
        return;
    // Qt keeps the old surface's dead window id; a new surface gets a real one.
    CVideoSurface* old = m_pSurface;
    old->SetDestroyHandler({});
    m_pSurface = MakeSurface(old->parentWidget());
    ApplyChildGeometry();
    if (!IsFullScreen())
        Bind(m_pSurface);
    delete old;
}

void CVideoOutput::ApplyChildGeometry()
{
    if (!m_pSurface)
        return;
    // Shown only once it has its place: a surface shown at Qt's default size
    // would have the sink's scaler negotiate that size first, and some
    // streams (RealMedia) never take a new size while paused.
    if (!m_rcWindow.isNull())
        m_pSurface->setGeometry(m_rcWindow);
    m_pSurface->setVisible(m_bVisible && m_pSurface->parentWidget() && !IsFullScreen() && !m_rcWindow.isNull());
}

void CVideoOutput::SetVisible(bool visible)
{
    m_bVisible = visible;
    ApplyChildGeometry();
}

void CVideoOutput::SetPosition(const QRect& rect)
{
    m_rcWindow = rect;
    ApplyChildGeometry();
    if (!IsFullScreen() && m_expose)
        m_expose();
}

void CVideoOutput::SetDrain(QObject* drain)
{
    m_pDrain = drain;
    if (m_pFullScreen)
        m_pFullScreen->SetDrain(drain);
}

void CVideoOutput::SetFullScreen(bool fullScreen)
{
    Prepare();
    if (fullScreen == IsFullScreen())
        return;
    if (fullScreen) {
        m_pFullScreen = new CFullScreenVideoWindow(m_onUserClose, [this] { PlaceInFullScreen(); });
        m_pFullScreen->SetDrain(m_pDrain);
        m_pFullScreenSurface = MakeSurface(m_pFullScreen);
        // Sized to the screen here as well, for window managers (or none)
        // that ignore the full-screen request.
        QScreen* screen = m_pOwner ? m_pOwner->screen() : QGuiApplication::primaryScreen();
        if (screen)
            m_pFullScreen->setGeometry(screen->geometry());
        m_pFullScreen->showFullScreen();
        PlaceInFullScreen();
        m_pFullScreenSurface->show();
        Bind(m_pFullScreenSurface);
        m_pSurface->hide();
        m_pFullScreen->activateWindow();
        m_pFullScreen->setFocus();
    } else {
        // The sink moves back before the full-screen window's native window goes.
        CFullScreenVideoWindow* window = m_pFullScreen;
        m_pFullScreenSurface->SetDestroyHandler({});
        m_pFullScreen = nullptr;
        m_pFullScreenSurface = nullptr;
        ApplyChildGeometry();
        Bind(m_pSurface);
        delete window;
    }
}

void CVideoOutput::PlaceInFullScreen()
{
    if (!m_pFullScreen || !m_pFullScreenSurface)
        return;
    m_pFullScreenSurface->setGeometry(FitCentred(m_videoSize, m_pFullScreen->rect()));
    if (m_expose)
        m_expose();
}

void CVideoOutput::SetForeground()
{
    QWidget* window = m_pFullScreen ? m_pFullScreen.data() : (m_pOwner ? m_pOwner->window() : nullptr);
    if (window) {
        window->raise();
        window->activateWindow();
    }
}
