// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/mpris_adaptors.h"

#include "mainwnd/command_table.h"
#include "mainwnd/copy_data.h"
#include "mainwnd/main_frame.h"
#include "engine/media_engine.h"
#include "mainwnd/mpris_service.h"
#include "mainwnd/mpris_state.h"
#include "platform/path_codec.h"
#include "mainwnd/player_context.h"
#include "settings/player_settings.h"
#include "playlist/playlist.h"
#include "skin/skin_ids.h"
#include "mainwnd/volume_scale.h"

#include <QUrl>

#include <cmath>

CMprisRootAdaptor::CMprisRootAdaptor(CMprisService& service) : QDBusAbstractAdaptor(&service), m_service(service)
{
}

QStringList CMprisRootAdaptor::SupportedMimeTypes() const
{
    static const QStringList types = mpris::MediaMimeTypes();
    return types;
}

void CMprisRootAdaptor::Raise() { m_service.Frame().RunCommand(Command::Raise); }

void CMprisRootAdaptor::Quit() { m_service.Frame().RunCommand(Command::Exit); }

CMprisPlayerAdaptor::CMprisPlayerAdaptor(CMprisService& service)
    : QDBusAbstractAdaptor(&service), m_service(service)
{
}

QVariant CMprisPlayerAdaptor::Property(const char* name) const
{
    return m_service.PlayerProperties().value(QLatin1String(name));
}

void CMprisPlayerAdaptor::SetLoopStatus(const QString& status)
{
    const std::optional<mpris::LoopModes> wanted = mpris::ParseLoopStatus(status);
    if (!wanted) {
        m_service.RefuseArgument(QStringLiteral("Unknown loop status: %1").arg(status));
        return;
    }
    CMainFrame& frame = m_service.Frame();
    if (m_service.Context().engine->IsRepeat() != wanted->clipRepeat)
        frame.RunCommand(Command::Repeat);
    if ((m_service.Context().settings.PlaylistRepeat != 0) != wanted->playlistRepeat)
        frame.RunCommand(Command::PlaylistRepeat);
}

void CMprisPlayerAdaptor::SetRate(double rate)
{
    // A client should not ask for rate 0; the interface has it act as Pause.
    if (rate == 0.0) {
        Pause();
        return;
    }
    if (!std::isfinite(rate) || rate < mpris::kMinimumRate || rate > mpris::kMaximumRate) {
        m_service.RefuseArgument(QStringLiteral("Rate out of range: %1").arg(rate));
        return;
    }
    // The engine keeps its rate when the graph refuses the new one.
    m_service.Context().engine->SetRate(rate);
    m_service.Frame().RedrawControl(MC_PLAYPAUSE);
}

void CMprisPlayerAdaptor::SetShuffle(bool shuffle)
{
    if ((m_service.Context().settings.Shuffle != 0) != shuffle)
        m_service.Frame().RunCommand(Command::Shuffle);
}

void CMprisPlayerAdaptor::SetVolume(double volume)
{
    SetVolumeFraction(m_service.Frame(), *m_service.Context().engine, volume);
}

qlonglong CMprisPlayerAdaptor::Position() const { return m_service.Position(); }

double CMprisPlayerAdaptor::MinimumRate() const { return mpris::kMinimumRate; }

double CMprisPlayerAdaptor::MaximumRate() const { return mpris::kMaximumRate; }

void CMprisPlayerAdaptor::AfterReply(std::function<void()> action)
{
    // Opening a clip can show an error box, whose event loop would hold the
    // reply back until the user closes it and make the caller time out.
    // Every transport request is queued, so they still run in their order.
    QMetaObject::invokeMethod(this, std::move(action), Qt::QueuedConnection);
}

void CMprisPlayerAdaptor::Next()
{
    AfterReply([this] { m_service.Frame().RunCommand(Command::Next); });
}

void CMprisPlayerAdaptor::Previous()
{
    AfterReply([this] { m_service.Frame().RunCommand(Command::Previous); });
}

void CMprisPlayerAdaptor::Pause()
{
    AfterReply([this] {
        if (m_service.Context().engine->IsPlaying())
            m_service.Frame().RunCommand(Command::Pause);
    });
}

void CMprisPlayerAdaptor::PlayPause()
{
    // The skin's button opens a file dialog when there is nothing to play;
    // a media key must not.
    AfterReply([this] {
        if (CanPlay())
            m_service.Frame().RunCommand(Command::PlayPause);
    });
}

void CMprisPlayerAdaptor::Stop()
{
    AfterReply([this] {
        if (m_service.Context().engine->IsPlaying() || m_service.Context().engine->IsPaused())
            m_service.Frame().RunCommand(Command::StopOrClose);
    });
}

void CMprisPlayerAdaptor::Play()
{
    AfterReply([this] { m_service.Frame().RunCommand(Command::PlayListed); });
}

void CMprisPlayerAdaptor::Seek(qlonglong offset)
{
    if (!m_service.Context().engine->IsLoaded())
        return;
    const std::optional<qlonglong> target = mpris::SeekTarget(m_service.Position(), offset, m_service.Length());
    if (target)
        m_service.SeekTo(*target);
    else
        Next();
}

void CMprisPlayerAdaptor::SetPosition(const QDBusObjectPath& trackId, qlonglong position)
{
    const CPlaylist& playlist = m_service.Context().playlist;
    if (!playlist.IsValidIndex(playlist.GetCurrent()) || trackId != mpris::TrackId(playlist.GetCurrent()))
        return;
    m_service.SeekTo(position);
}

void CMprisPlayerAdaptor::OpenUri(const QString& uri)
{
    const QUrl url(uri);
    if (!mpris::IsLocalFileUri(url)) {
        m_service.RefuseArgument(QStringLiteral("Only file: URIs can be opened: %1").arg(uri));
        return;
    }
    // The open itself is posted, so the call is answered first.
    m_service.Frame().OnCopyData(COPYDATA_OPEN_FILE, PathFromLocalUrl(url));
}
