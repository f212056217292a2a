// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/hot_key_ctrl.h"

#include <QKeyEvent>

namespace {

// The modifiers held after this press or release, counting the modifier key
// of the event itself, whose state the event may not carry yet.
std::uint32_t HeldModifiers(const QKeyEvent& event, bool pressed)
{
    const Qt::KeyboardModifiers mods = event.modifiers();
    std::uint32_t held = 0;
    if (mods & Qt::ShiftModifier)
        held |= HOTKEYF_SHIFT;
    if (mods & Qt::ControlModifier)
        held |= HOTKEYF_CONTROL;
    if (mods & Qt::AltModifier)
        held |= HOTKEYF_ALT;
    std::uint32_t own = 0;
    switch (event.key()) {
    case Qt::Key_Shift: own = HOTKEYF_SHIFT; break;
    case Qt::Key_Control: own = HOTKEYF_CONTROL; break;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: own = HOTKEYF_ALT; break;
    default: break;
    }
    return pressed ? held | own : held & ~own;
}

bool IsModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_AltGr;
}

}  // namespace

CHotKeyCtrl::CHotKeyCtrl(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    // Keys are positions, not characters: keep input methods out of the way.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    Show(m_code);
}

void CHotKeyCtrl::SetHotKey(HotKeyCode code)
{
    m_code = code;
    Show(code);
}

bool CHotKeyCtrl::event(QEvent* event)
{
    // Every key belongs to the control, not to the dialog's shortcuts and
    // default button; only Tab still moves the focus (QWidget::event).
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void CHotKeyCtrl::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    if (IsModifierKey(event->key())) {
        const std::uint32_t held = HeldModifiers(*event, true);
        setText(HotKeyModifiersText(held));
        emit hotKeyChanged(MakeHotKey(held, 0));
        return;
    }
    HotKeyCode code = HotKeyFromEvent(*event);
    if (event->key() == Qt::Key_Backspace && HotKeyModifiers(code) == 0)
        code = 0;
    else if (code == 0)
        return;  // a key without a virtual-key code
    SetHotKey(code);
    emit hotKeyChanged(code);
}

void CHotKeyCtrl::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
    if (!IsModifierKey(event->key()))
        return;
    const std::uint32_t held = HeldModifiers(*event, false);
    setText(held ? HotKeyModifiersText(held) : HotKeyText(m_code));
}

void CHotKeyCtrl::focusOutEvent(QFocusEvent* event)
{
    Show(m_code);
    QLineEdit::focusOutEvent(event);
}
