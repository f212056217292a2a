#include "video_output.h"

#include <QCloseEvent>
#include <QResizeEvent>
#include <QCoreApplication>
#include <QPalette>

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
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

}  // namespace

CVideoSurface::CVideoSurface(bool native, std::function<void()> onExpose)
    : m_bNative(native), m_onExpose(std::move(onExpose))
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

QPaintEngine* CVideoSurface::paintEngine() const
{
    return m_bNative ? nullptr : QWidget::paintEngine();
}

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
                           std::function<void()> onUserClose)
    : m_bindHandle(std::move(bindHandle)), m_expose(std::move(expose)), m_onUserClose(std::move(onUserClose))
{
}

CVideoOutput::~CVideoOutput()
{
    delete m_pSurface.data();
    delete m_pFullScreen.data();
}

void CVideoOutput::Prepare()
{
    if (!m_pSurface) {
        m_pSurface = new CVideoSurface(bool(m_bindHandle), m_expose);
        m_pSurface->SetResizeHandler(m_onResize);
    }
    Rebind();
}

void CVideoOutput::SetResizeHandler(std::function<void(QSize)> onResize)
{
    m_onResize = std::move(onResize);
    if (m_pSurface)
        m_pSurface->SetResizeHandler(m_onResize);
}

void CVideoOutput::Rebind()
{
    if (!m_bindHandle || !m_pSurface)
        return;
    const auto handle = static_cast<std::uintptr_t>(m_pSurface->winId());
    if (handle != m_nBoundHandle) {
        m_nBoundHandle = handle;
        m_bindHandle(handle);
    }
    if (m_expose)
        m_expose();
}

void CVideoOutput::SetOwner(QWidget* owner)
{
    Prepare();
    m_pOwner = owner;
    if (IsFullScreen())
        return;
    m_pSurface->setParent(owner);
    ApplyChildGeometry();
    Rebind();
}

void CVideoOutput::ApplyChildGeometry()
{
    if (!m_pSurface)
        return;
    if (!m_rcWindow.isNull())
        m_pSurface->setGeometry(m_rcWindow);
    m_pSurface->setVisible(m_bVisible && m_pSurface->parentWidget());
}

void CVideoOutput::SetVisible(bool visible)
{
    m_bVisible = visible;
    if (!IsFullScreen())
        ApplyChildGeometry();
}

void CVideoOutput::SetPosition(const QRect& rect)
{
    m_rcWindow = rect;
    if (!IsFullScreen()) {
        ApplyChildGeometry();
        if (m_expose)
            m_expose();
    }
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
        m_pSurface->setParent(m_pFullScreen);
        m_pSurface->show();
        m_pFullScreen->showFullScreen();
        PlaceInFullScreen();
        m_pFullScreen->activateWindow();
        m_pFullScreen->setFocus();
    } else {
        m_pSurface->setParent(m_pOwner);
        ApplyChildGeometry();
        delete m_pFullScreen.data();
    }
    Rebind();
}

void CVideoOutput::PlaceInFullScreen()
{
    if (!m_pFullScreen || !m_pSurface)
        return;
    m_pSurface->setGeometry(FitCentred(m_videoSize, m_pFullScreen->rect()));
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
