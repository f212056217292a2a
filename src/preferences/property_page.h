// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// A page of the preferences sheet. It edits its own copy of what it shows;
// nothing reaches the settings before OnApply. A modified page enables the
// sheet's Apply button.
class CPropertyPage : public QWidget {
    Q_OBJECT
public:
    explicit CPropertyPage(QWidget* parent = nullptr) : QWidget(parent) {}

    // Puts the page's values into effect; false keeps the sheet open.
    virtual bool OnApply()
    {
        SetModified(false);
        return true;
    }
    // Sets every text again in the current interface language.
    virtual void Relabel() {}

    bool IsModified() const { return m_bModified; }
    void SetModified(bool modified)
    {
        if (modified == m_bModified)
            return;
        m_bModified = modified;
        emit modifiedChanged(modified);
    }

signals:
    void modifiedChanged(bool modified);

private:
    bool m_bModified = false;
};
