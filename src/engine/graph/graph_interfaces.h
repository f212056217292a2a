#pragma once

#include "hresult.h"

#include <QString>

#include <cstdint>

class QObject;
class QWidget;

// The media graph as the engine sees it: one object built from a file that
// answers for several small interfaces. Each interface is reference counted
// on the one object behind it; QueryInterface hands out a counted reference.

// Graph event codes.
constexpr long EC_COMPLETE = 0x01;    // the clip played to its end
constexpr long EC_USERABORT = 0x02;   // the user closed the video window
constexpr long EC_ERRORABORT = 0x03;  // playback failed; param1 is the status
constexpr long EC_ACTIVATE = 0x13;    // the video window was (de)activated

// Seeking capabilities and positioning flags.
constexpr std::uint32_t AM_SEEKING_CanSeekAbsolute = 0x01;
constexpr std::uint32_t AM_SEEKING_CanSeekForwards = 0x02;
constexpr std::uint32_t AM_SEEKING_CanSeekBackwards = 0x04;
constexpr std::uint32_t AM_SEEKING_CanGetCurrentPos = 0x08;
constexpr std::uint32_t AM_SEEKING_CanGetStopPos = 0x10;
constexpr std::uint32_t AM_SEEKING_CanGetDuration = 0x20;
constexpr std::uint32_t AM_SEEKING_NoPositioning = 0x00;
constexpr std::uint32_t AM_SEEKING_AbsolutePositioning = 0x01;
constexpr std::uint32_t AM_SEEKING_PositioningBitsMask = 0x03;

// Boolean values of the video-window calls.
constexpr long OATRUE = -1;
constexpr long OAFALSE = 0;

// Window style of a video window embedded as a child.
constexpr long WS_CHILD = 0x40000000;
constexpr long WS_CLIPSIBLINGS = 0x04000000;
constexpr long WS_CLIPCHILDREN = 0x02000000;

// Media times are counts of 100 ns.
constexpr LONGLONG kUnitsPerSecond = 10'000'000;

enum class GraphIid {
    MediaControl,
    MediaEventEx,
    MediaSeeking,
    MediaPosition,
    VideoWindow,
    BasicVideo,
    BasicAudio,
};

class IGraphUnknown {
public:
    virtual unsigned long AddRef() = 0;
    virtual unsigned long Release() = 0;

protected:
    ~IGraphUnknown() = default;
};

class IMediaControl : public IGraphUnknown {
public:
    static constexpr GraphIid kIid = GraphIid::MediaControl;
    virtual HRESULT Run() = 0;
    virtual HRESULT Pause() = 0;
    // Halts playback; the clip stays open and can be positioned.
    virtual HRESULT Stop() = 0;

protected:
    ~IMediaControl() = default;
};

class IMediaEventEx : public IGraphUnknown {
public:
    static constexpr GraphIid kIid = GraphIid::MediaEventEx;
    // Takes the oldest queued event; E_ABORT when the queue is empty.
    virtual HRESULT GetEvent(long* code, std::intptr_t* param1, std::intptr_t* param2, long msTimeout) = 0;
    virtual HRESULT FreeEventParams(long code, std::intptr_t param1, std::intptr_t param2) = 0;
    // Events are announced by posting one QEvent of eventType to target; a
    // null target stops the announcements.
    virtual HRESULT SetNotifyWindow(QObject* target, int eventType, std::intptr_t instanceData) = 0;
    virtual HRESULT CancelDefaultHandling(long code) = 0;
    virtual HRESULT RestoreDefaultHandling(long code) = 0;

protected:
    ~IMediaEventEx() = default;
};

class IMediaSeeking : public IGraphUnknown {
public:
    static constexpr GraphIid kIid = GraphIid::MediaSeeking;
    virtual HRESULT GetCapabilities(std::uint32_t* capabilities) = 0;
    virtual HRESULT GetDuration(LONGLONG* duration) = 0;
    virtual HRESULT GetCurrentPosition(LONGLONG* position) = 0;
    virtual HRESULT SetPositions(LONGLONG* current, std::uint32_t currentFlags, LONGLONG* stop,
                                 std::uint32_t stopFlags) = 0;

protected:
    ~IMediaSeeking() = default;
};

class IMediaPosition : public IGraphUnknown {
public:
    static constexpr GraphIid kIid = GraphIid::MediaPosition;
    virtual HRESULT get_Rate(double* rate) = 0;
    virtual HRESULT put_Rate(double rate) = 0;

protected:
    ~IMediaPosition() = default;
};

class IBasicAudio : public IGraphUnknown {
public:
    static constexpr GraphIid kIid = GraphIid::BasicAudio;
    // Hundredths of a decibel, -10000 (silence) ... 0.
    virtual HRESULT get_Volume(long* volume) = 0;
    virtual HRESULT put_Volume(long volume) = 0;

protected:
    ~IBasicAudio() = default;
};

class IBasicVideo : public IGraphUnknown {
public:
    static constexpr GraphIid kIid = GraphIid::BasicVideo;
    virtual HRESULT GetVideoSize(long* width, long* height) = 0;

protected:
    ~IBasicVideo() = default;
};

class IVideoWindow : public IGraphUnknown {
public:
    static constexpr GraphIid kIid = GraphIid::VideoWindow;
    virtual HRESULT get_Visible(long* visible) = 0;
    virtual HRESULT put_Visible(long visible) = 0;
    virtual HRESULT put_Owner(QWidget* owner) = 0;
    virtual HRESULT put_WindowStyle(long style) = 0;
    // Client coordinates of the owner.
    virtual HRESULT SetWindowPosition(long left, long top, long width, long height) = 0;
    virtual HRESULT get_MessageDrain(QObject** drain) = 0;
    // Keyboard and mouse input on the video is passed to drain.
    virtual HRESULT put_MessageDrain(QObject* drain) = 0;
    virtual HRESULT get_FullScreenMode(long* mode) = 0;
    virtual HRESULT put_FullScreenMode(long mode) = 0;
    virtual HRESULT SetWindowForeground(long focus) = 0;

protected:
    ~IVideoWindow() = default;
};

class IGraphBuilder : public IGraphUnknown {
public:
    virtual HRESULT QueryInterface(GraphIid iid, void** object) = 0;
    virtual HRESULT RenderFile(const QString& path) = 0;

    template <class T>
    HRESULT Query(T** object)
    {
        return QueryInterface(T::kIid, reinterpret_cast<void**>(object));
    }

protected:
    ~IGraphBuilder() = default;
};

// Creates graphs and knows the texts of the failures they report.
class IGraphFactory {
public:
    virtual ~IGraphFactory() = default;
    virtual HRESULT CreateGraph(IGraphBuilder** graph) = 0;
    // The text of the last failure reported with hr; empty when unknown.
    virtual QString GetErrorText(HRESULT hr) = 0;
};
