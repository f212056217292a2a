// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/command_table.h"

#include "mainwnd/command_ids.h"
#include "mainwnd/command_target.h"
#include "engine/media_engine.h"
#include "settings/localized_strings.h"
#include "settings/player_settings.h"
#include "skin/skin_catalog.h"
#include "skin/skin_ids.h"

#include <algorithm>

namespace {

constexpr HotKeyAction kNoKey = HOTKEY_COUNT;
constexpr KeyPhase kUp = KeyPhase::Release;
constexpr KeyPhase kDown = KeyPhase::Press;

// When a menu item is shown, enabled or checked.
bool Loaded(const CMenuState& s) { return s.loaded; }
bool HasVideo(const CMenuState& s) { return s.hasVideo; }
bool CanPlay(const CMenuState& s) { return s.loaded && (s.paused || s.stopped); }
bool CanPause(const CMenuState& s) { return s.loaded && s.playing; }
bool CanStop(const CMenuState& s) { return s.loaded && (s.paused || s.playing); }
bool CanMute(const CMenuState& s) { return !s.loaded || s.hasAudio; }
bool Muted(const CMenuState& s) { return s.muted; }
bool Repeating(const CMenuState& s) { return s.repeat; }
bool FullScreen(const CMenuState& s) { return s.fullScreen; }
bool TopMost(const CMenuState& s) { return s.topMost; }
bool SubtitleFileShown(const CMenuState& s) { return s.hasVideo && s.subtitleFile; }
bool SubtitlesOff(const CMenuState& s) { return s.hasVideo && s.currentSubtitle < 0; }
bool MainWindowVisible(const CMenuState& s) { return s.mainWindowVisible; }
// The mark is on the look on screen.
bool MetalRedShown(const CMenuState& s) { return s.skin == SKIN_METAL_RED && s.userSkin.isEmpty(); }
bool BlueCurveShown(const CMenuState& s) { return s.skin == SKIN_BLUE_CURVE; }
bool NoSkinShown(const CMenuState& s) { return s.skin == SKIN_NONE; }
template <int Mode>
bool ShutdownModeIs(const CMenuState& s)
{
    return s.shutdownMode == Mode;
}

}  // namespace

QString CMenuLook::Text(const CMenuState& state) const
{
    if (fixedText)
        return QString::fromUtf8(fixedText);
    return LoadLocalizedString(otherTextWhen && otherTextWhen(state) ? otherText : text);
}

std::span<const CCommand> CommandTable()
{
    using F = CCommandTarget;
    // clang-format off
    static const CCommand table[] = {
        // name, menu id, skin control, hot key, key phase, menu item, what it does
        {Command::VolumeUp, 0, 0, HOTKEY_INCVOL, kDown, {}, [](F& f) { f.StepVolume(true); }},
        {Command::VolumeDown, 0, 0, HOTKEY_DECVOL, kDown, {}, [](F& f) { f.StepVolume(false); }},
        {Command::HideOrLeaveFullScreen, 0, 0, HOTKEY_HIDE, kDown, {}, [](F& f) { f.HideOrLeaveFullScreen(); }},

        {Command::RateDecrease, ID_RATE_DECREASE, 0, HOTKEY_DECPBRATE, kUp, {}, [](F& f) { f.ChangeRate(-0.1); }},
        {Command::FullScreen, ID_FULL_SCREEN, 0, HOTKEY_FULLSCREEN, kUp,
         {.text = IDS_MENU_FULL_SCREEN, .shown = Loaded, .enabled = HasVideo, .checked = FullScreen},
         [](F& f) { f.ToggleFullScreen(); }},
        {Command::RateIncrease, ID_RATE_INCREASE, 0, HOTKEY_INCPBRATE, kUp, {}, [](F& f) { f.ChangeRate(+0.1); }},
        {Command::RateNormal, ID_RATE_NORMAL, 0, HOTKEY_NORPBRATE, kUp, {}, [](F& f) { f.SetRate(1.0); }},
        {Command::OpenClip, ID_OPEN_CLIP, MC_LOAD, HOTKEY_LOADUNLOAD, kUp, {.text = IDS_MENU_OPEN_CLIP},
         [](F& f) { f.OpenClipAction(); }},
        {Command::Mute, ID_MUTE, MC_MUTE, HOTKEY_MUTE, kUp,
         {.text = IDS_MENU_MUTE, .enabled = CanMute, .checked = Muted},
         [](F& f) { f.ToggleMute(); }},
        {Command::PauseResume, 0, 0, HOTKEY_PAUSERESUME, kUp, {}, [](F& f) { f.PauseResumeAction(); }},
        {Command::PlayOrOpen, 0, 0, HOTKEY_PLAY, kUp, {}, [](F& f) { f.PlayAction(); }},
        {Command::Repeat, ID_REPEAT, MC_REPEAT, HOTKEY_REPEAT, kUp,
         {.text = IDS_MENU_REPEAT, .checked = Repeating},
         [](F& f) { f.ToggleRepeat(); }},
        {Command::Replay, 0, 0, HOTKEY_REPLAYMEDIA, kUp, {}, [](F& f) { f.ReplayAction(); }},
        {Command::StopOrClose, 0, MC_STOP, HOTKEY_STOP, kUp, {}, [](F& f) { f.StopOrCloseAction(); }},
        {Command::ZoomIn, 0, 0, HOTKEY_ZOOMIN, kUp, {}, [](F& f) { f.Engine().StepZoom(true); }},
        {Command::ZoomOut, 0, 0, HOTKEY_ZOOMOUT, kUp, {}, [](F& f) { f.Engine().StepZoom(false); }},
        {Command::ZoomNormal, ID_ZOOM_NORMAL, 0, HOTKEY_ZOOMTO, kUp,
         {.text = IDS_MENU_ZOOM_NORMAL, .shown = Loaded, .enabled = HasVideo},
         [](F& f) { f.Engine().SetZoom(1, 1); }},
        {Command::SkinSwitch, 0, 0, HOTKEY_SWITCHSKIN, kUp, {}, [](F& f) { f.ToggleSkinOff(); }},
        {Command::AlwaysOnTop, ID_ALWAYS_ON_TOP, MC_TOPMOST, HOTKEY_ALWAYSONTOP, kUp,
         {.text = IDS_MENU_ALWAYS_ON_TOP, .checked = TopMost},
         [](F& f) { f.ToggleAlwaysOnTop(); }},

        {Command::ResetWindowPosition, ID_RESET_WINDOW_POSITION, 0, kNoKey, kUp,
         {.text = IDS_RESET_WINDOW_POSITION},
         [](F& f) { f.ResetWindowPositions(); }},
        {Command::CloseClip, ID_CLOSE_CLIP, 0, kNoKey, kUp, {.text = IDS_MENU_CLOSE_CLIP, .enabled = Loaded},
         [](F& f) { f.Engine().Close(); }},
        {Command::ShowHide, ID_SHOW_HIDE, 0, kNoKey, kUp,
         {.text = IDS_MENU_SHOW, .otherText = IDS_MENU_HIDE, .otherTextWhen = MainWindowVisible},
         [](F& f) { f.ShowHideAction(); }},
        {Command::Play, ID_PLAY, 0, kNoKey, kUp, {.text = IDS_MENU_PLAY, .enabled = CanPlay},
         [](F& f) { f.Transport(&CMediaEngine::Play); }},
        {Command::Pause, ID_PAUSE, 0, kNoKey, kUp, {.text = IDS_MENU_PAUSE, .enabled = CanPause},
         [](F& f) { f.Transport(&CMediaEngine::Pause); }},
        {Command::Stop, ID_STOP, 0, kNoKey, kUp, {.text = IDS_MENU_STOP, .enabled = CanStop},
         [](F& f) { f.Transport(&CMediaEngine::Stop); }},
        {Command::RateDouble, ID_RATE_DOUBLE, 0, kNoKey, kUp, {}, [](F& f) { f.SetRate(2.0); }},
        {Command::RateHalf, ID_RATE_HALF, 0, kNoKey, kUp, {}, [](F& f) { f.SetRate(0.5); }},
        {Command::ZoomDouble, ID_ZOOM_DOUBLE, 0, kNoKey, kUp,
         {.text = IDS_MENU_ZOOM_DOUBLE, .shown = Loaded, .enabled = HasVideo},
         [](F& f) { f.Engine().SetZoom(2, 1); }},
        {Command::ZoomHalf, ID_ZOOM_HALF, 0, kNoKey, kUp,
         {.text = IDS_MENU_ZOOM_HALF, .shown = Loaded, .enabled = HasVideo},
         [](F& f) { f.Engine().SetZoom(1, 2); }},
        {Command::Exit, ID_EXIT, MC_CLOSE, kNoKey, kUp, {.text = IDS_MENU_EXIT}, [](F& f) { f.ExitAction(); }},
        {Command::About, ID_ABOUT, 0, kNoKey, kUp, {.text = IDS_MENU_ABOUT}, [](F& f) { f.ShowAbout(); }},
        {Command::Preferences, ID_PREFERENCES, MC_OPTIONS, kNoKey, kUp, {.text = IDS_MENU_PREFERENCES},
         [](F& f) { f.ShowPreferences(); }},
        {Command::SkinMetalRed, ID_SKIN_METAL_RED, 0, kNoKey, kUp,
         {.text = IDS_SKIN_METAL_RED, .checked = MetalRedShown, .radio = true},
         [](F& f) { f.ChooseSkin(SKIN_METAL_RED); }},
        {Command::SkinBlueCurve, ID_SKIN_BLUE_CURVE, 0, kNoKey, kUp,
         {.text = IDS_SKIN_BLUE_CURVE, .checked = BlueCurveShown, .radio = true},
         [](F& f) { f.ChooseSkin(SKIN_BLUE_CURVE); }},
        {Command::SkinNone, ID_SKIN_NONE, 0, kNoKey, kUp,
         {.text = IDS_SKIN_NONE, .checked = NoSkinShown, .radio = true},
         [](F& f) { f.ChooseSkin(SKIN_NONE); }},
        {Command::HomePage, ID_HOME_PAGE, 0, kNoKey, kUp, {.text = IDS_MENU_HOME_PAGE},
         [](F& f) { f.OpenDocPage(DocPage::Home); }},
        {Command::Donate, ID_DONATE, 0, kNoKey, kUp, {.text = IDS_MENU_DONATE},
         [](F& f) { f.OpenDocPage(DocPage::Donate); }},
        {Command::SupportForum, ID_SUPPORT_FORUM, 0, kNoKey, kUp, {.text = IDS_MENU_SUPPORT_FORUM},
         [](F& f) { f.OpenDocPage(DocPage::SupportForum); }},
        {Command::Faq, ID_FAQ, 0, kNoKey, kUp, {.text = IDS_MENU_FAQ}, [](F& f) { f.OpenDocPage(DocPage::Faq); }},
        {Command::Previous, ID_PREVIOUS, MC_PREVIOUS, kNoKey, kUp, {.text = IDS_MENU_PREVIOUS},
         [](F& f) { f.StepTrackAction(false); }},
        {Command::Next, ID_NEXT, MC_NEXT, kNoKey, kUp, {.text = IDS_MENU_NEXT},
         [](F& f) { f.StepTrackAction(true); }},
        {Command::ShutdownNone, ID_SHUTDOWN_NONE, 0, kNoKey, kUp,
         {.fixedText = "NULL", .checked = ShutdownModeIs<SHUTDOWN_NONE>},
         [](F& f) { f.SetShutdownMode(SHUTDOWN_NONE); }},
        {Command::ShutdownClipEnd, ID_SHUTDOWN_CLIP_END, 0, kNoKey, kUp,
         {.text = IDS_MENU_SHUTDOWN_CLIP_END, .checked = ShutdownModeIs<SHUTDOWN_CLIP_END>},
         [](F& f) { f.SetShutdownMode(SHUTDOWN_CLIP_END); }},
        {Command::ShutdownPlaylistEnd, ID_SHUTDOWN_PLAYLIST_END, 0, kNoKey, kUp,
         {.text = IDS_MENU_SHUTDOWN_PLAYLIST_END, .checked = ShutdownModeIs<SHUTDOWN_PLAYLIST_END>},
         [](F& f) { f.SetShutdownMode(SHUTDOWN_PLAYLIST_END); }},
        {Command::ShutdownMinutes, ID_SHUTDOWN_MINUTES, 0, kNoKey, kUp,
         {.text = IDS_MENU_SHUTDOWN_MINUTES, .checked = ShutdownModeIs<SHUTDOWN_MINUTES>},
         [](F& f) { f.ShowMinutesDialog(); }},

        {Command::Maximize, 0, MC_MAXIMIZE, kNoKey, kUp, {}, [](F& f) { f.ToggleMaximized(); }},
        {Command::Minimize, 0, MC_MINIMIZE, kNoKey, kUp, {}, [](F& f) { f.MinimizeGroup(); }},
        {Command::PlayPause, 0, MC_PLAYPAUSE, kNoKey, kUp, {}, [](F& f) { f.PlayPauseButton(); }},
        {Command::FullScreenButton, 0, MC_FULLSCREEN, kNoKey, kUp, {},
         [](F& f) { f.ToggleFullScreenWhilePlaying(); }},
        {Command::Faster, 0, MC_FAST, kNoKey, kUp, {}, [](F& f) { f.ChangeRateWhilePlaying(+0.1); }},
        {Command::Slower, 0, MC_SLOW, kNoKey, kUp, {}, [](F& f) { f.ChangeRateWhilePlaying(-0.1); }},
        {Command::Hide, 0, MC_HIDE, kNoKey, kUp, {}, [](F& f) { f.HideGroup(); }},
        {Command::PlaylistWindow, 0, MC_PLAYLIST, kNoKey, kUp, {}, [](F& f) { f.TogglePlaylistWindow(); }},
        {Command::Shuffle, 0, MC_SHUFFLE, kNoKey, kUp, {}, [](F& f) { f.ToggleShuffle(); }},

        {Command::PlayListed, 0, 0, kNoKey, kUp, {}, [](F& f) { f.PlayListedAction(); }},
        {Command::PlaylistRepeat, 0, 0, kNoKey, kUp, {}, [](F& f) { f.TogglePlaylistRepeat(); }},
        {Command::Raise, 0, 0, kNoKey, kUp, {}, [](F& f) { f.OnTrayNotify(TrayMouse::DoubleClick); }},

        {Command::LoadSubtitle, ID_LOAD_SUBTITLE, 0, kNoKey, kUp, {.text = IDS_MENU_LOAD_SUBTITLE, .enabled = HasVideo},
         [](F& f) { f.Engine().ShowSubtitleDialog(); }},
        {Command::UnloadSubtitle, ID_UNLOAD_SUBTITLE, 0, kNoKey, kUp,
         {.text = IDS_MENU_UNLOAD_SUBTITLE, .enabled = SubtitleFileShown},
         [](F& f) { f.Engine().UnloadSubtitle(); }},
        {Command::SubtitlesOff, ID_SUBTITLE_OFF, 0, kNoKey, kUp,
         {.text = IDS_MENU_TRACK_OFF, .enabled = HasVideo, .checked = SubtitlesOff},
         [](F& f) { f.Engine().SelectTrack(StreamKind::Text, -1); }},

        // The playlist window runs these: it owns the sort.
        {Command::SortByName, ID_SORT_BY_NAME, 0, kNoKey, kUp, {.text = IDS_MENU_SORT_BY_NAME}, nullptr},
        {Command::SortByFolder, ID_SORT_BY_FOLDER, 0, kNoKey, kUp, {.text = IDS_MENU_SORT_BY_FOLDER}, nullptr},
    };
    // clang-format on
    return table;
}

namespace {

template <class Predicate>
const CCommand* FindIf(Predicate matches)
{
    const std::span<const CCommand> table = CommandTable();
    const auto it = std::find_if(table.begin(), table.end(), matches);
    return it == table.end() ? nullptr : &*it;
}

}  // namespace

const CCommand* FindCommand(Command name)
{
    return FindIf([name](const CCommand& row) { return row.name == name; });
}

const CCommand* FindCommandById(int id)
{
    if (id == 0)
        return nullptr;
    return FindIf([id](const CCommand& row) { return row.id == id; });
}

const CCommand* FindCommandByControl(int control)
{
    if (control == 0)
        return nullptr;
    return FindIf([control](const CCommand& row) { return row.control == control; });
}

const CCommand* FindHotKeyCommand(HotKeyCode code, const HotKeyTable& keys, KeyPhase phase)
{
    if (code == 0)
        return nullptr;
    return FindIf([&](const CCommand& row) {
        return row.hotKey != HOTKEY_COUNT && row.phase == phase && keys[row.hotKey] == code;
    });
}
