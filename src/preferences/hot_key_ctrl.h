// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/hot_keys.h"

#include <QLineEdit>

// Shows one key combination and captures a new one from the keyboard: the
// next key pressed, with the Ctrl, Shift and Alt held with it, becomes the
// combination (converted as the main window converts its key presses).
// While only modifiers are held it shows them and reports them without a
// key; releasing them brings the previous combination back. Backspace alone
// clears it; Tab moves the focus on.
class CHotKeyCtrl : public QLineEdit {
    Q_OBJECT
public:
    explicit CHotKeyCtrl(QWidget* parent = nullptr);

    // Shows `code` without reporting a change.
    void SetHotKey(HotKeyCode code);
    HotKeyCode HotKey() const { return m_code; }

signals:
    // A new combination, 0 when cleared, or modifiers without a key while
    // the user is still holding them.
    void hotKeyChanged(HotKeyCode code);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Show(HotKeyCode code) { setText(HotKeyText(code)); }

    HotKeyCode m_code = 0;
};
