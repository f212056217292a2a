// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

// The "Minutes" dialog of the shutdown countdown: a number of minutes,
// 1 to 21600 (15 days), typed or stepped with the spinner. It always opens
// with 0; OK refuses anything else than a whole number in range, says why
// and keeps the dialog open.
class CDlgMinute : public QDialog {
    Q_OBJECT
public:
    static constexpr unsigned kMinMinutes = 1;
    static constexpr unsigned kMaxMinutes = 21600;

    // A top-level dialog with no parent window.
    CDlgMinute();

    // The minutes confirmed with OK; 0 until then.
    unsigned Minutes() const { return m_nMinutes; }
    QLineEdit* MinutesEdit() const { return m_pEdit; }

    void accept() override;

private:
    unsigned m_nMinutes = 0;
    QLineEdit* m_pEdit = nullptr;
};
