// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preferences/property_page.h"

class CPlayerSettings;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

// The General page: the interface language and five player options.
class CPpgGeneral : public CPropertyPage {
    Q_OBJECT
public:
    explicit CPpgGeneral(CPlayerSettings& settings, QWidget* parent = nullptr);

    // Applies a changed language at once (languageChanged tells the sheet
    // to relabel itself), stores the options and saves every setting, which
    // also writes or deletes the autostart entry.
    bool OnApply() override;
    void Relabel() override;

signals:
    void languageChanged();

private:
    void FillLanguages();

    CPlayerSettings& m_settings;
    QLabel* m_lblCaption;
    QGroupBox* m_grpLanguage;
    QComboBox* m_cboLanguage;
    QGroupBox* m_grpPlayer;
    QCheckBox* m_chkStartMinimizeToTray;
    QCheckBox* m_chkRunAtStartup;
    QCheckBox* m_chkDisableScreenSaver;
    QCheckBox* m_chkDisablePowerSaver;
    QCheckBox* m_chkAutoSizeWin;
    QCheckBox* m_chkAutoLoadSubtitles;
};
