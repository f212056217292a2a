// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/graph/hresult.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QObject;
class QRect;
class QWidget;

// Graph event codes.
constexpr long EC_COMPLETE = 0x01;        // the clip played to its end
constexpr long EC_USERABORT = 0x02;       // the user closed the video window
constexpr long EC_ERRORABORT = 0x03;      // playback failed; the event's status says why
constexpr long EC_LENGTH_CHANGED = 0x1F;  // the clip's length became known or changed

// Seeking capabilities.
constexpr std::uint32_t AM_SEEKING_CanSeekAbsolute = 0x01;
constexpr std::uint32_t AM_SEEKING_CanSeekForwards = 0x02;
constexpr std::uint32_t AM_SEEKING_CanSeekBackwards = 0x04;
constexpr std::uint32_t AM_SEEKING_CanGetCurrentPos = 0x08;
constexpr std::uint32_t AM_SEEKING_CanGetStopPos = 0x10;
constexpr std::uint32_t AM_SEEKING_CanGetDuration = 0x20;

// Media times are counts of 100 ns.
constexpr LONGLONG kUnitsPerSecond = 10'000'000;

// The kinds of stream a clip may offer a choice of.
enum class StreamKind { Audio, Text };

// One audio or subtitle stream as its tags describe it.
struct CStreamInfo {
    QString language;       // ISO 639 code from the stream's tags; may be empty
    QString title;          // the stream's title tag; may be empty
    bool external = false;  // the subtitle file loaded beside the clip
};

struct CGraphEvent {
    long code = 0;
    HRESULT status = S_OK;
};

// One clip's media graph as the engine sees it. Calls answer with a status
// code; the factory knows the texts of the failures.
class CMediaGraph {
public:
    virtual ~CMediaGraph() = default;

    // Builds the graph for the file; may be called again after a failure.
    virtual HRESULT RenderFile(const QString& path) = 0;

    virtual HRESULT Run() = 0;
    virtual HRESULT Pause() = 0;
    // Halts playback; the clip stays open and can be positioned.
    virtual HRESULT Stop() = 0;

    // The oldest queued event; none when the queue is empty.
    virtual std::optional<CGraphEvent> TakeEvent() = 0;
    // Events are announced by posting one QEvent of eventType to target; a
    // null target stops the announcements.
    virtual void SetNotifyTarget(QObject* target, int eventType) = 0;

    virtual HRESULT GetCapabilities(std::uint32_t* capabilities) = 0;
    virtual HRESULT GetDuration(LONGLONG* duration) = 0;
    virtual HRESULT GetCurrentPosition(LONGLONG* position) = 0;
    // Moves to an absolute position; the move is done when the call returns.
    virtual HRESULT SetPosition(LONGLONG position) = 0;

    virtual HRESULT GetRate(double* rate) = 0;
    virtual HRESULT SetRate(double rate) = 0;

    // Hundredths of a decibel, -10000 (silence) ... 0; E_NOTIMPL for a clip
    // without audio.
    virtual HRESULT GetVolume(long* volume) = 0;
    virtual HRESULT SetVolume(long volume) = 0;

    // The video calls answer E_NOINTERFACE for a clip without video.
    virtual HRESULT GetVideoSize(long* width, long* height) = 0;
    virtual HRESULT GetVideoVisible(bool* visible) = 0;
    virtual HRESULT SetVideoVisible(bool visible) = 0;
    // The video is drawn in a child of owner; null detaches it.
    virtual HRESULT SetVideoOwner(QWidget* owner) = 0;
    // In the owner's client coordinates.
    virtual HRESULT SetVideoPosition(const QRect& rect) = 0;
    // Keyboard and mouse input on the video is passed to drain.
    virtual HRESULT SetMessageDrain(QObject* drain) = 0;
    virtual HRESULT GetFullScreen(bool* fullScreen) = 0;
    virtual HRESULT SetFullScreen(bool fullScreen) = 0;
    // Raises the video's window and gives it the keyboard.
    virtual HRESULT BringVideoToFront() = 0;
    // What RenderFile found no decoder for, one sentence each ("No decoder
    // for Vorbis is installed."); the clip plays without those streams.
    virtual QStringList MissingDecoders() = 0;

    // The clip's audio or subtitle streams, in the graph's order.
    virtual std::vector<CStreamInfo> Streams(StreamKind /*kind*/) { return {}; }
    // The index of the stream playing; -1 for none (subtitles off).
    virtual int CurrentStream(StreamKind /*kind*/) { return -1; }
    // Switches streams without restarting the clip; -1 turns subtitles off.
    virtual HRESULT SelectStream(StreamKind /*kind*/, int /*index*/) { return E_NOTIMPL; }
    // Shows the subtitle file at path (read in the iconv encoding given)
    // over the clip, or with an empty path removes it. The position, rate
    // and play state stay as they were.
    virtual HRESULT SetSubtitleFile(const QString& /*path*/, const QByteArray& /*encoding*/) { return E_NOTIMPL; }
};

// Makes graphs and knows the texts of the failures they report.
class CMediaGraphFactory {
public:
    virtual ~CMediaGraphFactory() = default;
    // A new graph, or null when none can be made; the text of that failure
    // is then known under E_FAIL.
    virtual std::unique_ptr<CMediaGraph> CreateGraph() = 0;
    // The text of the last failure reported with hr; empty when unknown.
    virtual QString GetErrorText(HRESULT hr) = 0;
};
