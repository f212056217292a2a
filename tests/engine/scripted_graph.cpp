// SPDX-License-Identifier: GPL-3.0-or-later
#include "scripted_graph.h"

namespace {

class CScriptedGraph final : public CMediaGraph {
public:
    explicit CScriptedGraph(CGraphScript& script) : m_s(script)
    {
        ++m_s.graphsCreated;
        ++m_s.graphsAlive;
    }
    ~CScriptedGraph() override { --m_s.graphsAlive; }

    CScriptedGraph(const CScriptedGraph&) = delete;
    CScriptedGraph& operator=(const CScriptedGraph&) = delete;

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

    std::optional<CGraphEvent> TakeEvent() override
    {
        if (m_s.events.empty())
            return std::nullopt;
        const CGraphEvent event{m_s.events.front(), S_OK};
        m_s.events.pop_front();
        return event;
    }
    void SetNotifyTarget(QObject* target, int) override
    {
        m_s.notifyTarget = target;
        m_s.calls << (target ? QStringLiteral("SetNotifyTarget") : QStringLiteral("SetNotifyTarget null"));
    }

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
    HRESULT SetPosition(LONGLONG position) override
    {
        if (SUCCEEDED(m_s.setPositionResult))
            m_s.position = position;
        return Record(QStringLiteral("SetPosition %1").arg(position), m_s.setPositionResult);
    }

    HRESULT GetRate(double* rate) override
    {
        *rate = m_s.rate;
        return S_OK;
    }
    HRESULT SetRate(double rate) override
    {
        if (rate <= 0)
            return E_INVALIDARG;
        m_s.rate = rate;
        return S_OK;
    }

    HRESULT GetVolume(long* volume) override
    {
        if (!m_s.hasAudio)
            return E_NOTIMPL;
        *volume = m_s.volume;
        return m_s.volumeResult;
    }
    HRESULT SetVolume(long volume) override
    {
        if (!m_s.hasAudio)
            return E_NOTIMPL;
        if (SUCCEEDED(m_s.setVolumeResult))
            m_s.volume = volume;
        return Record(QStringLiteral("SetVolume %1").arg(volume), m_s.setVolumeResult);
    }

    HRESULT GetVideoSize(long* width, long* height) override
    {
        if (!m_s.hasVideo)
            return E_NOINTERFACE;
        *width = m_s.videoWidth;
        *height = m_s.videoHeight;
        return m_s.videoSizeResult;
    }
    HRESULT GetVideoVisible(bool* visible) override
    {
        *visible = true;
        return m_s.hasVideo ? m_s.visibleResult : E_NOINTERFACE;
    }
    HRESULT SetVideoVisible(bool visible) override
    {
        return Record(QStringLiteral("SetVideoVisible %1").arg(visible), m_s.hasVideo ? S_OK : E_NOINTERFACE);
    }
    HRESULT SetVideoOwner(QWidget* owner) override
    {
        return Record(owner ? QStringLiteral("SetVideoOwner") : QStringLiteral("SetVideoOwner null"),
                      !m_s.hasVideo ? E_NOINTERFACE
                      : owner       ? m_s.ownerResult
                                    : S_OK);
    }
    HRESULT SetVideoPosition(const QRect& rect) override
    {
        m_s.windowPosition = rect;
        return Record(QStringLiteral("SetVideoPosition"), S_OK);
    }
    HRESULT SetMessageDrain(QObject*) override { return m_s.hasVideo ? S_OK : E_NOINTERFACE; }
    HRESULT GetFullScreen(bool* fullScreen) override
    {
        *fullScreen = m_s.fullScreen;
        return m_s.hasVideo ? S_OK : E_NOINTERFACE;
    }
    HRESULT SetFullScreen(bool fullScreen) override
    {
        m_s.fullScreen = fullScreen;
        return Record(QStringLiteral("SetFullScreen %1").arg(fullScreen), S_OK);
    }
    HRESULT BringVideoToFront() override { return Record(QStringLiteral("BringVideoToFront"), S_OK); }
    QStringList MissingDecoders() override { return m_s.missingDecoders; }
    std::vector<CStreamInfo> Streams(StreamKind kind) override
    {
        return kind == StreamKind::Audio ? m_s.audioStreams : m_s.textStreams;
    }
    int CurrentStream(StreamKind kind) override
    {
        return kind == StreamKind::Audio ? m_s.currentAudio : m_s.currentText;
    }
    HRESULT SelectStream(StreamKind kind, int index) override
    {
        (kind == StreamKind::Audio ? m_s.currentAudio : m_s.currentText) = index;
        return Record(QStringLiteral("SelectStream"), S_OK);
    }
    HRESULT SetSubtitleFile(const QString& path, const QByteArray& encoding) override
    {
        if (SUCCEEDED(m_s.subtitleFileResult))
            m_s.subtitleFile = path.isEmpty() ? QString() : path + u'|' + QString::fromLatin1(encoding);
        return Record(QStringLiteral("SetSubtitleFile"), m_s.subtitleFileResult);
    }

private:
    HRESULT Record(const QString& call, HRESULT result)
    {
        m_s.calls << call;
        return result;
    }

    CGraphScript& m_s;
};

}  // namespace

std::unique_ptr<CMediaGraph> CScriptedGraphFactory::CreateGraph()
{
    if (m_script.createFails)
        return nullptr;
    return std::make_unique<CScriptedGraph>(m_script);
}
