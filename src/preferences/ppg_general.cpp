// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/ppg_general.h"

#include "settings/language.h"
#include "settings/localized_strings.h"
#include "settings/player_settings.h"

#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QCheckBox* AddCheckBox(QVBoxLayout* layout, const char* name, bool checked)
{
    auto* box = new QCheckBox;
    box->setObjectName(QLatin1String(name));
    box->setChecked(checked);
    layout->addWidget(box);
    return box;
}

}  // namespace

CPpgGeneral::CPpgGeneral(CPlayerSettings& settings, QWidget* parent)
    : CPropertyPage(parent),
      m_settings(settings),
      m_lblCaption(new QLabel),
      m_grpLanguage(new QGroupBox),
      m_cboLanguage(new QComboBox),
      m_grpPlayer(new QGroupBox)
{
    m_lblCaption->setWordWrap(true);
    m_cboLanguage->setObjectName(QStringLiteral("language"));
    auto* languageLayout = new QVBoxLayout(m_grpLanguage);
    languageLayout->addWidget(m_cboLanguage);

    auto* playerLayout = new QVBoxLayout(m_grpPlayer);
    m_chkStartMinimizeToTray = AddCheckBox(playerLayout, "startMinimizeToTray", settings.StartMinimizeToTray);
    m_chkRunAtStartup = AddCheckBox(playerLayout, "runAtStartup", settings.m_bRunAtStartup);
    m_chkDisableScreenSaver = AddCheckBox(playerLayout, "disableScreenSaver", settings.DisableScreenSaver);
    m_chkDisablePowerSaver = AddCheckBox(playerLayout, "disablePowerSaver", settings.DisablePowerSaver);
    m_chkAutoSizeWin = AddCheckBox(playerLayout, "autoSizeWin", settings.AutoSizeWin);
    m_chkAutoLoadSubtitles = AddCheckBox(playerLayout, "autoLoadSubtitles", settings.AutoLoadSubtitles);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblCaption);
    layout->addWidget(m_grpLanguage);
    layout->addWidget(m_grpPlayer);
    layout->addStretch();

    FillLanguages();
    Relabel();

    for (QCheckBox* box : {m_chkStartMinimizeToTray, m_chkRunAtStartup, m_chkDisableScreenSaver,
                           m_chkDisablePowerSaver, m_chkAutoSizeWin, m_chkAutoLoadSubtitles})
        connect(box, &QCheckBox::clicked, this, [this] { SetModified(true); });
    connect(m_cboLanguage, &QComboBox::currentIndexChanged, this, [this] { SetModified(true); });
}

void CPpgGeneral::FillLanguages()
{
    // Each language by its own name, in the order of the current locale.
    struct Entry {
        QString name;
        int id;
    };
    std::vector<Entry> entries;
    for (int id : SupportedLanguages())
        entries.push_back({QLocaleForLanguage(id).nativeLanguageName(), id});
    const QCollator collator;
    std::sort(entries.begin(), entries.end(),
              [&collator](const Entry& a, const Entry& b) { return collator.compare(a.name, b.name) < 0; });
    for (const Entry& entry : entries)
        m_cboLanguage->addItem(entry.name, entry.id);
    // An identifier not in the list selects nothing.
    m_cboLanguage->setCurrentIndex(m_cboLanguage->findData(m_settings.languageID));
}

void CPpgGeneral::Relabel()
{
    m_lblCaption->setText(LoadLocalizedString(IDS_GENERAL_CAPTION));
    m_grpLanguage->setTitle(LoadLocalizedString(IDS_GENERAL_LANGUAGE));
    m_grpPlayer->setTitle(LoadLocalizedString(IDS_GENERAL_PLAYER_SETTINGS));
    m_chkStartMinimizeToTray->setText(LoadLocalizedString(IDS_GENERAL_START_MINIMIZED));
    m_chkRunAtStartup->setText(LoadLocalizedString(IDS_GENERAL_RUN_AT_STARTUP));
    m_chkDisableScreenSaver->setText(LoadLocalizedString(IDS_GENERAL_NO_SCREEN_SAVER));
    m_chkDisablePowerSaver->setText(LoadLocalizedString(IDS_GENERAL_NO_POWER_SAVER));
    m_chkAutoSizeWin->setText(LoadLocalizedString(IDS_GENERAL_AUTO_SIZE));
    m_chkAutoLoadSubtitles->setText(LoadLocalizedString(IDS_GENERAL_AUTO_SUBTITLES));
}

bool CPpgGeneral::OnApply()
{
    if (m_cboLanguage->currentIndex() >= 0) {
        const int language = m_cboLanguage->currentData().toInt();
        if (language != m_settings.languageID) {
            m_settings.languageID = language;
            m_settings.ApplyLanguage();
            emit languageChanged();
        }
    }
    m_settings.StartMinimizeToTray = m_chkStartMinimizeToTray->isChecked();
    m_settings.m_bRunAtStartup = m_chkRunAtStartup->isChecked();
    m_settings.DisableScreenSaver = m_chkDisableScreenSaver->isChecked();
    m_settings.DisablePowerSaver = m_chkDisablePowerSaver->isChecked();
    m_settings.AutoSizeWin = m_chkAutoSizeWin->isChecked();
    m_settings.AutoLoadSubtitles = m_chkAutoLoadSubtitles->isChecked();
    m_settings.Save();
    SetModified(false);
    return true;
}
