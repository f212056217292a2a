// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preferences/check_list_box.h"

#include <QStringList>
#include <QWidget>

class QGroupBox;
class QLabel;
class QListWidgetItem;
class QPushButton;

// The "Association" page of the preferences sheet: the file types with a
// check box each, checked for the types that open with the player when the
// page opens. Nothing is written before OnApply; until then the check marks
// are the user's wish.
class CPpgFileAsso : public QWidget {
    Q_OBJECT

public:
    explicit CPpgFileAsso(QWidget* parent = nullptr);

    // Points the checked types at the player and gives the unchecked ones
    // back their previous owner, then clears the modified mark.
    bool OnApply();
    void OnSelectAll();
    // Takes the texts of the current interface language.
    void Relabel();

    bool IsModified() const { return m_bModified; }
    void SetModified(bool modified);

    QListWidget* TypeList() const { return m_lstTypes; }
    QPushButton* SelectAllButton() const { return m_btnSelectAll; }

signals:
    // A sheet enables its Apply button on true.
    void modifiedChanged(bool modified);

private:
    void OnItemChanged(QListWidgetItem* item);
    bool IsChecked(int row) const;

    QLabel* m_lblIntro = nullptr;
    QGroupBox* m_grpTypes = nullptr;
    CCheckListBox* m_lstTypes = nullptr;
    QPushButton* m_btnSelectAll = nullptr;
    bool m_bModified = false;
    // Each row's MIME type; rows of one type tick together.
    QStringList m_keys;
    bool m_bSyncingSiblings = false;
};
