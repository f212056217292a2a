// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/main_frame_accessible.h"

#include "mainwnd/command_table.h"
#include "mainwnd/control_rules.h"
#include "settings/localized_strings.h"
#include "mainwnd/main_frame.h"
#include "engine/media_engine.h"
#include "mainwnd/player_context.h"
#include "skin/skin_ids.h"
#include "platform/skinned_accessible.h"
#include "mainwnd/volume_scale.h"

#include <cmath>

namespace {

// In reading order: the title bar, the transport, the modes.
constexpr int kControls[] = {
    MC_TITLE, MC_MINIMIZE, MC_MAXIMIZE, MC_CLOSE, MC_PLAYPAUSE, MC_STOP,       MC_LOAD,   MC_PREVIOUS,
    MC_NEXT,  MC_SEEK,     MC_TIME,     MC_SLOW,  MC_FAST,      MC_FULLSCREEN, MC_REPEAT, MC_SHUFFLE,
    MC_MUTE,  MC_VOLUME,   MC_TOPMOST,  MC_HIDE,  MC_PLAYLIST,  MC_OPTIONS,
};
constexpr int kVolumeSteps = 100;
constexpr LONGLONG kSecond = 10000000;

class CMainFrameControls final : public CSkinnedControls {
public:
    explicit CMainFrameControls(CMainFrame& frame) : m_frame(frame) {}

    QList<int> AccessibleControls() const override
    {
        QList<int> ids;
        for (int id : kControls) {
            if (!AccessibleRect(id).isEmpty())
                ids << id;
        }
        return ids;
    }

    QRect AccessibleRect(int id) const override
    {
        if (Engine() && Engine()->IsFullScreen())
            return QRect();
        return m_frame.ControlRect(id);
    }

    QAccessible::Role AccessibleRole(int id) const override
    {
        if (id == MC_SEEK || id == MC_VOLUME)
            return QAccessible::Slider;
        if (id == MC_TIME || id == MC_TITLE)
            return QAccessible::StaticText;
        return QAccessible::PushButton;
    }

    QString AccessibleName(int id) const override
    {
        if (id == MC_TIME)
            return m_frame.UpdateSkinState().m_strTime;
        if (id == MC_TITLE)
            return m_frame.UpdateSkinState().m_strClipFileName;
        return LoadLocalizedString(ToolTipStringId(id));
    }

    int PressedControl() const override { return m_frame.HotControl(); }

    bool IsToggle(int id) const override
    {
        return id == MC_REPEAT || id == MC_MUTE || id == MC_SHUFFLE || id == MC_TOPMOST || id == MC_PLAYLIST;
    }

    bool IsOn(int id) const override
    {
        const CSkinStateRecord& state = m_frame.UpdateSkinState();
        switch (id) {
        case MC_REPEAT: return state.m_bRepeat;
        case MC_MUTE: return state.m_bMuted;
        case MC_SHUFFLE: return state.m_bShuffle;
        case MC_TOPMOST: return state.m_bTopMost;
        case MC_PLAYLIST: return m_frame.IsPlaylistWindowVisible();
        default: return false;
        }
    }

    void PressControl(int id) override
    {
        if (const CCommand* command = FindCommandByControl(id))
            m_frame.RunCommand(command->name);
    }

    // The seek bar in seconds, the volume bar in hundredths.
    int SliderValue(int id) const override
    {
        if (!Engine())
            return 0;
        if (id == MC_VOLUME)
            return int(std::lround(VolumeFraction(*Engine()) * kVolumeSteps));
        return int(Engine()->GetCurrentPosition() / kSecond);
    }

    int SliderMaximum(int id) const override
    {
        if (id == MC_VOLUME)
            return kVolumeSteps;
        return Engine() ? int(Engine()->Duration() / kSecond) : 0;
    }

    void SetSliderValue(int id, int value) override
    {
        CMediaEngine* engine = Engine();
        if (!engine)
            return;
        if (id == MC_VOLUME) {
            SetVolumeFraction(m_frame, *engine, double(value) / kVolumeSteps);
        } else if (engine->IsLoaded() && SliderMaximum(id) > 0) {
            engine->Seek(value, SliderMaximum(id));
            engine->UpdateTimeText();
            m_frame.RedrawControl(MC_TIME);
            m_frame.RedrawControl(MC_SEEK);
        }
    }

private:
    CMediaEngine* Engine() const { return m_frame.Context().engine; }

    CMainFrame& m_frame;
};

class CMainFrameAccessible final : public CSkinnedWindowAccessible {
public:
    explicit CMainFrameAccessible(CMainFrame* frame)
        : CSkinnedWindowAccessible(frame, m_controls), m_controls(*frame)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? QStringLiteral("Velmora") : CSkinnedWindowAccessible::text(t);
    }

private:
    CMainFrameControls m_controls;
};

}  // namespace

QAccessibleInterface* MainFrameAccessibleFactory(const QString& /*className*/, QObject* object)
{
    if (auto* frame = qobject_cast<CMainFrame*>(object))
        return new CMainFrameAccessible(frame);
    return nullptr;
}
