// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/hot_keys.h"
#include "preferences/property_page.h"

class CHotKeyCtrl;
class CPlayerSettings;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

// The Keys page: the actions with their key combinations, a control that
// captures a new combination for the selected action, and Reset to
// Default. It works on a copy of the keys; OnApply puts the copy into the
// settings, where the main window reads it at its next key press.
class CPpgKey : public CPropertyPage {
    Q_OBJECT
public:
    explicit CPpgKey(CPlayerSettings& settings, QWidget* parent = nullptr);

    bool OnApply() override;
    void Relabel() override;

private:
    void FillList();
    // The selected line, -1 for none.
    int SelectedLine() const;
    void OnSelectionChanged();
    void OnHotKeyChanged(HotKeyCode code);
    void OnResetToDefault();

    CPlayerSettings& m_settings;
    HotKeyTable m_keys;
    QLabel* m_lblCaption;
    QGroupBox* m_grpKeys;
    QListWidget* m_lstKeys;
    CHotKeyCtrl* m_hkcKey;
    QPushButton* m_btnReset;
};
