// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/mpris_service.h"

#include "mainwnd/main_frame.h"
#include "engine/media_engine.h"
#include "mainwnd/mpris_adaptors.h"
#include "mainwnd/mpris_state.h"
#include "mainwnd/player_context.h"
#include "settings/player_settings.h"
#include "playlist/next_row.h"
#include "playlist/playlist.h"
#include "playlistwnd/playlist_frame.h"
#include "mainwnd/volume_scale.h"

#include <QDBusMessage>

#include <climits>
#include <cstdlib>

namespace {

const QString kServiceName = QStringLiteral("org.mpris.MediaPlayer2.velmora");
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

// A position further than this from where playback alone would have taken
// it counts as a seek.
constexpr qlonglong kSeekToleranceUs = 1500000;

}  // namespace

CMprisService::CMprisService(CMainFrame& frame, CPlayerContext& context)
    : m_frame(frame), m_context(context), m_bus(QString())
{
    new CMprisRootAdaptor(*this);
    auto* player = new CMprisPlayerAdaptor(*this);
    connect(this, &CMprisService::Seeked, player, &CMprisPlayerAdaptor::Seeked);
    // Changes come in bursts (a command redraws several controls): compare
    // once after the burst.
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(0);
    connect(&m_refresh, &QTimer::timeout, this, &CMprisService::Refresh);
    connect(&m_frame, &CMainFrame::stateChanged, this, &CMprisService::ScheduleRefresh);
    // The playlist window's repeat button changes the loop status.
    connect(m_context.playlistFrame, &CPlaylistFrame::stateChanged, this, &CMprisService::ScheduleRefresh);
}

CMprisService::~CMprisService()
{
    if (!m_bRegistered)
        return;
    m_bus.unregisterService(kServiceName);
    m_bus.unregisterObject(kObjectPath);
}

bool CMprisService::Register(QDBusConnection bus)
{
    if (!bus.isConnected() || !bus.registerObject(kObjectPath, this))
        return false;
    if (!bus.registerService(kServiceName)) {
        bus.unregisterObject(kObjectPath);
        return false;
    }
    m_bus = bus;
    m_bRegistered = true;
    m_lastProperties = PlayerProperties();
    m_llLastPosition = Position();
    m_sinceLastPosition.start();
    return true;
}

QVariantMap CMprisService::PlayerProperties() const
{
    const CMediaEngine& engine = *m_context.engine;
    const CPlaylist& playlist = m_context.playlist;
    const CPlayerSettings& settings = m_context.settings;
    const bool listed = playlist.GetCount() > 0;
    const bool shuffle = settings.Shuffle != 0;
    QVariantMap metadata;
    if (playlist.IsValidIndex(playlist.GetCurrent()))
        metadata = mpris::TrackMetadata(playlist.GetCurrent(), playlist.GetRow(playlist.GetCurrent()), Length());
    return {
        {QStringLiteral("PlaybackStatus"), mpris::PlaybackStatus(engine.IsPlaying(), engine.IsPaused())},
        {QStringLiteral("LoopStatus"), mpris::LoopStatus({engine.IsRepeat(), settings.PlaylistRepeat != 0})},
        {QStringLiteral("Rate"), engine.Rate()},
        {QStringLiteral("Shuffle"), shuffle},
        {QStringLiteral("Metadata"), metadata},
        {QStringLiteral("Volume"), VolumeFraction(engine)},
        {QStringLiteral("CanGoNext"),
         CanStep(PlaylistStep::Next, playlist.GetCount(), playlist.GetCurrent(), shuffle)},
        {QStringLiteral("CanGoPrevious"),
         CanStep(PlaylistStep::Previous, playlist.GetCount(), playlist.GetCurrent(), shuffle)},
        {QStringLiteral("CanPlay"), listed || engine.IsLoaded()},
        {QStringLiteral("CanPause"), engine.IsLoaded()},
        {QStringLiteral("CanSeek"), engine.CanSeek()},
    };
}

qlonglong CMprisService::Position() const { return m_context.engine->GetCurrentPosition() / 10; }

qlonglong CMprisService::Length() const
{
    const CMediaEngine& engine = *m_context.engine;
    const CPlaylist& playlist = m_context.playlist;
    if (engine.IsLoaded() && engine.Duration() > 0)
        return engine.Duration() / 10;
    if (playlist.IsValidIndex(playlist.GetCurrent()))
        return mpris::LengthFromText(playlist.GetRow(playlist.GetCurrent()).m_strDuration);
    return 0;
}

void CMprisService::SeekTo(qlonglong positionUs)
{
    CMediaEngine& engine = *m_context.engine;
    const qlonglong length = Length();
    if (!engine.IsLoaded() || length <= 0 || positionUs < 0 || positionUs > length)
        return;
    // The engine seeks to a fraction of the clip; milliseconds (or coarser
    // for clips of weeks) keep both parts in range.
    qlonglong unit = 1000;
    while (length / unit > INT_MAX)
        unit *= 10;
    // The engine redraws the time text and the seek bar itself.
    engine.Seek(static_cast<int>(positionUs / unit), static_cast<int>(length / unit));
    m_llLastPosition = Position();
    m_sinceLastPosition.restart();
    emit Seeked(m_llLastPosition);
}

void CMprisService::RefuseArgument(const QString& message)
{
    if (calledFromDBus())
        sendErrorReply(QDBusError::InvalidArgs, message);
}

void CMprisService::ScheduleRefresh()
{
    if (m_bRegistered && !m_refresh.isActive())
        m_refresh.start();
}

void CMprisService::Refresh()
{
    const QVariantMap properties = PlayerProperties();
    QVariantMap changed;
    for (auto it = properties.cbegin(); it != properties.cend(); ++it) {
        if (m_lastProperties.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    }
    const bool trackChanged = changed.contains(QStringLiteral("Metadata"));
    m_lastProperties = properties;
    if (!changed.isEmpty()) {
        QDBusMessage signal = QDBusMessage::createSignal(
            kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
        signal << kPlayerInterface << changed << QStringList();
        m_bus.send(signal);
    }

    const qlonglong position = Position();
    const bool playing = m_context.engine->IsPlaying();
    const qlonglong expected = m_llLastPosition + (playing ? qlonglong(double(m_sinceLastPosition.elapsed()) *
                                                                       1000 * m_context.engine->Rate())
                                                           : 0);
    if (!trackChanged && m_context.engine->IsLoaded() && std::llabs(position - expected) > kSeekToleranceUs)
        emit Seeked(position);
    m_llLastPosition = position;
    m_sinceLastPosition.restart();
}
