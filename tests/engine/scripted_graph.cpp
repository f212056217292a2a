#include "scripted_graph.h"

namespace {

class CScriptedGraph final : public IGraphBuilder,
                             public IMediaControl,
                             public IMediaEventEx,
                             public IMediaSeeking,
                             public IMediaPosition,
                             public IBasicAudio,
                             public IBasicVideo,
                             public IVideoWindow {
public:
    explicit CScriptedGraph(CGraphScript& script) : m_s(script)
    {
        ++m_s.graphsCreated;
        ++m_s.graphsAlive;
    }

    unsigned long AddRef() override { return ++m_nRefs; }
    unsigned long Release() override
    {
        const unsigned long refs = --m_nRefs;
        if (refs == 0) {
            --m_s.graphsAlive;
            delete this;
        }
        return refs;
    }

    HRESULT QueryInterface(GraphIid iid, void** object) override
    {
        *object = nullptr;
        if (m_s.missingInterface == iid)
            return E_NOINTERFACE;
        switch (iid) {
        case GraphIid::MediaControl: *object = static_cast<IMediaControl*>(this); break;
        case GraphIid::MediaEventEx: *object = static_cast<IMediaEventEx*>(this); break;
        case GraphIid::MediaSeeking: *object = static_cast<IMediaSeeking*>(this); break;
        case GraphIid::MediaPosition: *object = static_cast<IMediaPosition*>(this); break;
        case GraphIid::VideoWindow: *object = static_cast<IVideoWindow*>(this); break;
        case GraphIid::BasicVideo: *object = static_cast<IBasicVideo*>(this); break;
        case GraphIid::BasicAudio: *object = static_cast<IBasicAudio*>(this); break;
        }
        AddRef();
        return S_OK;
    }
    HRESULT RenderFile(const QString& path) override
    {
        m_s.calls << QStringLiteral("RenderFile");
        m_s.renderedPaths << path;
        if (m_s.renderFailures > 0) {
            --m_s.renderFailures;
            return m_s.renderError;
        }
        m_s.rate = 1.0;
        return S_OK;
    }

    HRESULT Run() override { return Record(QStringLiteral("Run"), m_s.runResult); }
    HRESULT Pause() override { return Record(QStringLiteral("Pause"), m_s.pauseResult); }
    HRESULT Stop() override { return Record(QStringLiteral("Stop"), m_s.stopResult); }

    HRESULT GetEvent(long* code, std::intptr_t* param1, std::intptr_t* param2, long) override
    {
        if (m_s.events.empty())
            return E_ABORT;
        *code = m_s.events.front();
        *param1 = *param2 = 0;
        m_s.events.pop_front();
        return S_OK;
    }
    HRESULT FreeEventParams(long, std::intptr_t, std::intptr_t) override { return S_OK; }
    HRESULT SetNotifyWindow(QObject* target, int, std::intptr_t) override
    {
        m_s.notifyTarget = target;
        return Record(target ? QStringLiteral("SetNotifyWindow") : QStringLiteral("SetNotifyWindow null"),
                      target ? m_s.notifyResult : S_OK);
    }
    HRESULT CancelDefaultHandling(long) override { return Record(QStringLiteral("CancelDefaultHandling"), S_OK); }
    HRESULT RestoreDefaultHandling(long) override { return Record(QStringLiteral("RestoreDefaultHandling"), S_OK); }

    HRESULT GetCapabilities(std::uint32_t* capabilities) override
    {
        *capabilities = m_s.capabilities;
        return S_OK;
    }
    HRESULT GetDuration(LONGLONG* duration) override
    {
        *duration = m_s.duration;
        return S_OK;
    }
    HRESULT GetCurrentPosition(LONGLONG* position) override
    {
        *position = m_s.position;
        return m_s.positionResult;
    }
    HRESULT SetPositions(LONGLONG* current, std::uint32_t flags, LONGLONG*, std::uint32_t) override
    {
        if (SUCCEEDED(m_s.setPositionsResult) && flags == AM_SEEKING_AbsolutePositioning)
            m_s.position = *current;
        return Record(QStringLiteral("SetPositions %1").arg(*current), m_s.setPositionsResult);
    }

    HRESULT get_Rate(double* rate) override
    {
        *rate = m_s.rate;
        return S_OK;
    }
    HRESULT put_Rate(double rate) override
    {
        if (rate <= 0)
            return E_INVALIDARG;
        m_s.rate = rate;
        return S_OK;
    }

    HRESULT get_Volume(long* volume) override
    {
        if (!m_s.hasAudio)
            return E_NOTIMPL;
        *volume = m_s.volume;
        return m_s.getVolumeResult;
    }
    HRESULT put_Volume(long volume) override
    {
        if (!m_s.hasAudio)
            return E_NOTIMPL;
        if (SUCCEEDED(m_s.putVolumeResult))
            m_s.volume = volume;
        return Record(QStringLiteral("put_Volume %1").arg(volume), m_s.putVolumeResult);
    }

    HRESULT GetVideoSize(long* width, long* height) override
    {
        if (!m_s.hasVideo)
            return E_NOINTERFACE;
        *width = m_s.videoWidth;
        *height = m_s.videoHeight;
        return m_s.videoSizeResult;
    }

    HRESULT get_Visible(long* visible) override
    {
        *visible = OATRUE;
        return m_s.hasVideo ? m_s.visibleResult : E_NOINTERFACE;
    }
    HRESULT put_Visible(long visible) override
    {
        return Record(QStringLiteral("put_Visible %1").arg(visible), m_s.hasVideo ? S_OK : E_NOINTERFACE);
    }
    HRESULT put_Owner(QWidget* owner) override
    {
        return Record(owner ? QStringLiteral("put_Owner") : QStringLiteral("put_Owner null"),
                      !m_s.hasVideo ? E_NOINTERFACE : owner ? m_s.ownerResult : S_OK);
    }
    HRESULT put_WindowStyle(long style) override
    {
        return Record(QStringLiteral("put_WindowStyle %1").arg(style, 0, 16), m_s.hasVideo ? S_OK : E_NOINTERFACE);
    }
    HRESULT SetWindowPosition(long left, long top, long width, long height) override
    {
        m_s.windowPosition = QRect(int(left), int(top), int(width), int(height));
        return Record(QStringLiteral("SetWindowPosition"), S_OK);
    }
    HRESULT get_MessageDrain(QObject** drain) override
    {
        *drain = nullptr;
        return m_s.hasVideo ? S_OK : E_NOINTERFACE;
    }
    HRESULT put_MessageDrain(QObject*) override { return m_s.hasVideo ? S_OK : E_NOINTERFACE; }
    HRESULT get_FullScreenMode(long* mode) override
    {
        *mode = m_s.fullScreen ? OATRUE : OAFALSE;
        return m_s.hasVideo ? S_OK : E_NOINTERFACE;
    }
    HRESULT put_FullScreenMode(long mode) override
    {
        m_s.fullScreen = mode != OAFALSE;
        return Record(QStringLiteral("put_FullScreenMode %1").arg(mode), S_OK);
    }
    HRESULT SetWindowForeground(long) override { return Record(QStringLiteral("SetWindowForeground"), S_OK); }

private:
    ~CScriptedGraph() = default;

    HRESULT Record(const QString& call, HRESULT result)
    {
        m_s.calls << call;
        return result;
    }

    CGraphScript& m_s;
    unsigned long m_nRefs = 1;
};

}  // namespace

HRESULT CScriptedGraphFactory::CreateGraph(IGraphBuilder** graph)
{
    *graph = nullptr;
    if (FAILED(m_script.createResult))
        return m_script.createResult;
    *graph = new CScriptedGraph(m_script);
    return S_OK;
}
