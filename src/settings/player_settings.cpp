// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/player_settings.h"

#include "settings/autostart_entry.h"
#include "settings/language.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

const QString kGroup = QStringLiteral("Setting");
const QString kBackgroundSwitch = QStringLiteral("/background");

QString AutostartPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/velmora.desktop");
}

QString RunningExecutable()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

// Reads a 32-bit profile integer. Values are written signed, but an
// unsigned 32-bit form of the same bits reads back the same; anything else
// gives the default.
int ReadInt(const QSettings& profile, const char* key, int defaultValue)
{
    const QVariant stored = profile.value(QString::fromLatin1(key));
    if (!stored.isValid())
        return defaultValue;
    bool ok = false;
    const qlonglong value = stored.toString().trimmed().toLongLong(&ok, 0);
    if (!ok || value < std::numeric_limits<qint32>::min() ||
        value > qlonglong(std::numeric_limits<quint32>::max()))
        return defaultValue;
    return static_cast<qint32>(static_cast<quint32>(value));
}

// A language code as the settings file holds it; anything but a short run of
// ASCII letters (a hand-edited or damaged value) is no preference.
QString ReadLanguageCode(const QSettings& profile, const char* key)
{
    const QString code = profile.value(QString::fromLatin1(key)).toString();
    constexpr qsizetype kLongestCode = 8;
    const bool letters = std::all_of(code.begin(), code.end(), [](QChar c) {
        return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
               (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
    });
    return letters && code.size() <= kLongestCode ? code.toLower() : QString();
}

void WriteInt(QSettings& profile, const char* key, int value)
{
    profile.setValue(QString::fromLatin1(key), value);
}

}  // namespace

QString CPlayerSettings::DefaultProfilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Olvistra/Velmora.ini");
}

CPlayerSettings::CPlayerSettings(QString profilePath, QString executablePath)
    : m_strProfilePath(profilePath.isEmpty() ? DefaultProfilePath() : std::move(profilePath)),
      m_strExecutablePath(executablePath.isEmpty() ? RunningExecutable() : std::move(executablePath))
{
}

CPlayerSettings::~CPlayerSettings() { Save(); }

void CPlayerSettings::Load()
{
    QSettings profile(m_strProfilePath, QSettings::IniFormat);
    if (profile.status() != QSettings::NoError) {
        std::fprintf(stderr, "Velmora: the settings file %s could not be read; using defaults.\n",
                     qPrintable(m_strProfilePath));
        m_bProfileUnreadable = QFile::exists(m_strProfilePath);
    }
    profile.beginGroup(kGroup);

    Docked = ReadInt(profile, "Docked", 1);
    DockedSide = ReadInt(profile, "DockedSide", 10);
    Distance = ReadInt(profile, "Distance", 0);
    AutoSizeWin = ReadInt(profile, "AutoSizeWin", 0);
    AutoLoadSubtitles = ReadInt(profile, "AutoLoadSubtitles", 1);
    AudioLanguage = ReadLanguageCode(profile, "AudioLanguage");
    SubtitleLanguage = ReadLanguageCode(profile, "SubtitleLanguage");
    DisableScreenSaver = ReadInt(profile, "DisableScreenSaver", 1);
    DisablePowerSaver = ReadInt(profile, "DisablePowerSaver", 1);
    StartMinimizeToTray = ReadInt(profile, "StartMinimizeToTray", 0);
    TopMost = ReadInt(profile, "TopMost", 0);
    PLShow = ReadInt(profile, "PLShow", 0);
    Mute = ReadInt(profile, "Mute", 0);
    Repeat = ReadInt(profile, "Repeat", 0);
    PlaylistRepeat = ReadInt(profile, "PlaylistRepeat", 0);
    Shuffle = ReadInt(profile, "Shuffle", 0);
    ShowFP = ReadInt(profile, "ShowFP", 1);
    // A hand-edited volume outside the audio's range would fail every open.
    Volume = std::clamp(ReadInt(profile, "Volume", 0), -10000, 0);
    m_bRunAtStartup = ReadRunAtStartup();
    m_rcMain.top = ReadInt(profile, "top", 100);
    m_rcMain.left = ReadInt(profile, "left", 100);
    m_rcMain.bottom = ReadInt(profile, "bottom", 380);
    m_rcMain.right = ReadInt(profile, "right", 503);
    m_rcPlaylist.top = ReadInt(profile, "pltop", 100);
    m_rcPlaylist.left = ReadInt(profile, "plleft", 502);
    m_rcPlaylist.bottom = ReadInt(profile, "plbottom", 200);
    m_rcPlaylist.right = ReadInt(profile, "plright", 820);
    Skin = ReadInt(profile, "Skin", 0);
    m_nBitmapSkin = Skin == 1 ? 1 : 0;
    UserSkin = profile.value(QStringLiteral("UserSkin")).toString();
    languageID = ReadInt(profile, "languageID", UserDefaultLanguageId()) & 0xFFFF;
    const auto& entries = HotKeyEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        m_hotKeys[i] = static_cast<HotKeyCode>(
            ReadInt(profile, entries[i].profileKey, static_cast<int>(entries[i].defaultCode)));
    }
}

void CPlayerSettings::Save()
{
    // Keep an unreadable profile for the user to inspect rather than
    // overwriting it with what was read from it (the defaults).
    if (m_bProfileUnreadable) {
        const QString kept = m_strProfilePath + QStringLiteral(".unreadable");
        QFile::remove(kept);
        QFile::rename(m_strProfilePath, kept);
        m_bProfileUnreadable = false;
    }

    QSettings profile(m_strProfilePath, QSettings::IniFormat);
    profile.beginGroup(kGroup);
    WriteInt(profile, "Docked", Docked);
    WriteInt(profile, "DockedSide", DockedSide);
    WriteInt(profile, "Distance", Distance);
    WriteInt(profile, "AutoSizeWin", AutoSizeWin);
    WriteInt(profile, "AutoLoadSubtitles", AutoLoadSubtitles);
    profile.setValue(QStringLiteral("AudioLanguage"), AudioLanguage);
    profile.setValue(QStringLiteral("SubtitleLanguage"), SubtitleLanguage);
    WriteInt(profile, "DisableScreenSaver", DisableScreenSaver);
    WriteInt(profile, "DisablePowerSaver", DisablePowerSaver);
    WriteInt(profile, "StartMinimizeToTray", StartMinimizeToTray);
    WriteInt(profile, "TopMost", TopMost);
    WriteInt(profile, "PLShow", PLShow);
    WriteInt(profile, "Shuffle", Shuffle);
    WriteInt(profile, "Mute", Mute);
    WriteInt(profile, "Repeat", Repeat);
    WriteInt(profile, "ShowFP", ShowFP);
    WriteInt(profile, "PlaylistRepeat", PlaylistRepeat);
    WriteInt(profile, "Volume", Volume);
    WriteInt(profile, "Skin", Skin);
    profile.setValue(QStringLiteral("UserSkin"), UserSkin);
    WriteInt(profile, "top", m_rcMain.top);
    WriteInt(profile, "left", m_rcMain.left);
    WriteInt(profile, "bottom", m_rcMain.bottom);
    WriteInt(profile, "right", m_rcMain.right);
    WriteInt(profile, "pltop", m_rcPlaylist.top);
    WriteInt(profile, "plleft", m_rcPlaylist.left);
    WriteInt(profile, "plbottom", m_rcPlaylist.bottom);
    WriteInt(profile, "plright", m_rcPlaylist.right);
    WriteInt(profile, "languageID", languageID & 0xFFFF);
    const auto& entries = HotKeyEntries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        WriteInt(profile, entries[i].profileKey, static_cast<int>(m_hotKeys[i]));
    profile.endGroup();
    profile.sync();
    if (profile.status() != QSettings::NoError) {
        std::fprintf(stderr, "Velmora: the settings could not be written to %s.\n", qPrintable(m_strProfilePath));
    }

    WriteRunAtStartup();
}

void CPlayerSettings::ApplyLanguage() const { ApplyInterfaceLanguage(languageID); }

bool CPlayerSettings::ReadRunAtStartup() const
{
    return CAutostartEntry(AutostartPath()).Matches(m_strExecutablePath, kBackgroundSwitch);
}

bool CPlayerSettings::WriteRunAtStartup() const
{
    CAutostartEntry entry(AutostartPath());
    return m_bRunAtStartup ? entry.Write(m_strExecutablePath, kBackgroundSwitch) : entry.Remove();
}

CWindowRect CWindowRect::FittedInto(const QList<QRect>& areas) const
{
    if (areas.isEmpty())
        return *this;
    // In 64 bits: stored numbers may be anything a 32-bit value holds.
    const qint64 width = std::max<qint64>(0, qint64(right) - left);
    const qint64 height = std::max<qint64>(0, qint64(bottom) - top);
    QRect area = areas.first();
    qint64 bestOverlap = 0;
    for (const QRect& candidate : areas) {
        const qint64 overlapWidth = std::min<qint64>(qint64(candidate.x()) + candidate.width(), left + width) -
                                    std::max(candidate.x(), left);
        const qint64 overlapHeight = std::min<qint64>(qint64(candidate.y()) + candidate.height(), top + height) -
                                     std::max(candidate.y(), top);
        if (overlapWidth > 0 && overlapHeight > 0 && overlapWidth * overlapHeight > bestOverlap) {
            bestOverlap = overlapWidth * overlapHeight;
            area = candidate;
        }
    }
    const int fittedWidth = int(std::min<qint64>(width, area.width()));
    const int fittedHeight = int(std::min<qint64>(height, area.height()));
    const int x = std::clamp(left, area.x(), area.x() + area.width() - fittedWidth);
    const int y = std::clamp(top, area.y(), area.y() + area.height() - fittedHeight);
    return {x, y, x + fittedWidth, y + fittedHeight};
}
