// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/graph/media_graph.h"

#include <QHash>
#include <QRect>
#include <QString>
#include <QStringList>

#include <deque>

// What the scripted graphs do, set by a test, and what they were asked,
// recorded for it. One script serves every graph its factory makes.
struct CGraphScript {
    // Behaviour.
    bool createFails = false;
    int renderFailures = 0;  // the first n RenderFile calls fail
    HRESULT renderError = VFW_E_NOT_FOUND;
    bool hasVideo = true;
    bool hasAudio = true;
    long videoWidth = 320;
    long videoHeight = 240;
    LONGLONG duration = 2 * kUnitsPerSecond;
    LONGLONG position = 0;
    HRESULT positionResult = S_OK;
    std::uint32_t capabilities = AM_SEEKING_CanSeekAbsolute | AM_SEEKING_CanGetCurrentPos |
                                 AM_SEEKING_CanGetDuration;
    HRESULT runResult = S_OK;
    HRESULT pauseResult = S_OK;
    HRESULT stopResult = S_OK;
    HRESULT setPositionResult = S_OK;
    HRESULT volumeResult = S_OK;  // when the clip has audio
    HRESULT setVolumeResult = S_OK;
    HRESULT visibleResult = S_OK;  // when the clip has video
    HRESULT ownerResult = S_OK;
    HRESULT videoSizeResult = S_OK;  // when the clip has video
    QHash<HRESULT, QString> errorTexts;
    QStringList missingDecoders;
    std::vector<CStreamInfo> audioStreams;
    std::vector<CStreamInfo> textStreams;
    HRESULT subtitleFileResult = S_OK;

    // Record.
    QStringList calls;
    QStringList renderedPaths;
    int graphsCreated = 0;
    int graphsAlive = 0;
    double rate = 1.0;
    long volume = 0;
    QRect windowPosition;
    QObject* notifyTarget = nullptr;
    bool fullScreen = false;
    std::deque<long> events;  // queued event codes, status S_OK
    int currentAudio = 0;
    int currentText = -1;
    QString subtitleFile;  // with its encoding after a '|'

    int Count(const QString& call) const { return int(calls.count(call)); }
};

class CScriptedGraphFactory : public CMediaGraphFactory {
public:
    explicit CScriptedGraphFactory(CGraphScript& script) : m_script(script) {}
    std::unique_ptr<CMediaGraph> CreateGraph() override;
    QString GetErrorText(HRESULT hr) override { return m_script.errorTexts.value(hr); }

private:
    CGraphScript& m_script;
};
