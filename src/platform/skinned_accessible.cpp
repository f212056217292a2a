// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/skinned_accessible.h"

#include <QWidget>

namespace {

// One control of a skinned window.
class CSkinnedControlAccessible : public QAccessibleInterface,
                                  public QAccessibleActionInterface,
                                  public QAccessibleValueInterface {
public:
    CSkinnedControlAccessible(const CSkinnedWindowAccessible& window, int id) : m_window(window), m_nId(id) {}

    bool isValid() const override { return m_window.isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_window.window(); }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return const_cast<CSkinnedWindowAccessible*>(&m_window); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return Controls().AccessibleName(m_nId);
        if (t == QAccessible::Value && role() == QAccessible::Slider)
            return QString::number(Controls().SliderValue(m_nId));
        return {};
    }

    QRect rect() const override
    {
        const auto* widget = static_cast<const QWidget*>(m_window.object());
        const QRect local = Controls().AccessibleRect(m_nId);
        return QRect(widget->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::Role role() const override { return Controls().AccessibleRole(m_nId); }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        const auto* widget = static_cast<const QWidget*>(m_window.object());
        state.invisible = !widget->isVisible();
        state.offscreen = state.invisible;
        if (role() == QAccessible::PushButton) {
            state.pressed = Controls().PressedControl() == m_nId;
            state.checkable = Controls().IsToggle(m_nId);
            state.checked = state.checkable && Controls().IsOn(m_nId);
        } else if (role() == QAccessible::StaticText) {
            state.readOnly = true;
        }
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ActionInterface && role() == QAccessible::PushButton)
            return static_cast<QAccessibleActionInterface*>(this);
        if (type == QAccessible::ValueInterface && role() == QAccessible::Slider)
            return static_cast<QAccessibleValueInterface*>(this);
        return nullptr;
    }

    // QAccessibleActionInterface.
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction())
            Controls().PressControl(m_nId);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // QAccessibleValueInterface.
    QVariant currentValue() const override { return Controls().SliderValue(m_nId); }
    void setCurrentValue(const QVariant& value) override
    {
        bool ok = false;
        const int wanted = value.toInt(&ok);
        if (ok)
            Controls().SetSliderValue(m_nId, std::clamp(wanted, 0, Controls().SliderMaximum(m_nId)));
    }
    QVariant maximumValue() const override { return Controls().SliderMaximum(m_nId); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    CSkinnedControls& Controls() const { return m_window.Controls(); }

    const CSkinnedWindowAccessible& m_window;
    int m_nId;
};

CSkinnedWindowAccessible* WindowInterface(QWidget* window)
{
    return dynamic_cast<CSkinnedWindowAccessible*>(QAccessible::queryAccessibleInterface(window));
}

}  // namespace

CSkinnedWindowAccessible::CSkinnedWindowAccessible(QWidget* window, CSkinnedControls& controls)
    : QAccessibleWidget(window, QAccessible::Window), m_controls(controls)
{
}

CSkinnedWindowAccessible::~CSkinnedWindowAccessible()
{
    for (const auto& [id, child] : m_children)
        QAccessible::deleteAccessibleInterface(child);
}

QAccessibleInterface* CSkinnedWindowAccessible::Control(int id) const
{
    auto it = m_children.find(id);
    if (it == m_children.end()) {
        auto* created = new CSkinnedControlAccessible(*this, id);
        it = m_children.emplace(id, QAccessible::registerAccessibleInterface(created)).first;
    }
    return QAccessible::accessibleInterface(it->second);
}

int CSkinnedWindowAccessible::childCount() const
{
    return int(m_controls.AccessibleControls().size()) + ExtraChildCount();
}

QAccessibleInterface* CSkinnedWindowAccessible::child(int index) const
{
    const QList<int> ids = m_controls.AccessibleControls();
    if (index >= 0 && index < ids.size())
        return Control(ids[index]);
    return ExtraChild(int(index - ids.size()));
}

int CSkinnedWindowAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const int count = childCount();
    for (int i = 0; i < count; ++i) {
        if (this->child(i) == child)
            return i;
    }
    return -1;
}

QAccessibleInterface* CSkinnedWindowAccessible::childAt(int x, int y) const
{
    const int count = childCount();
    for (int i = 0; i < count; ++i) {
        QAccessibleInterface* candidate = child(i);
        if (candidate && candidate->rect().contains(x, y))
            return candidate;
    }
    return nullptr;
}

void NotifyControlChanged(QWidget* window, int id)
{
    if (!QAccessible::isActive())
        return;
    CSkinnedWindowAccessible* parent = WindowInterface(window);
    if (!parent || !parent->Controls().AccessibleControls().contains(id))
        return;
    QAccessibleInterface* control = parent->Control(id);
    switch (control->role()) {
    case QAccessible::Slider: {
        QAccessibleValueChangeEvent event(control, parent->Controls().SliderValue(id));
        QAccessible::updateAccessibility(&event);
        break;
    }
    case QAccessible::PushButton: {
        QAccessible::State changed;
        changed.pressed = true;
        changed.checked = parent->Controls().IsToggle(id);
        QAccessibleStateChangeEvent event(control, changed);
        QAccessible::updateAccessibility(&event);
        break;
    }
    default: {
        QAccessibleEvent event(control, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
        break;
    }
    }
}

void NotifyControlNamesChanged(QWidget* window)
{
    if (!QAccessible::isActive())
        return;
    CSkinnedWindowAccessible* parent = WindowInterface(window);
    if (!parent)
        return;
    for (int id : parent->Controls().AccessibleControls()) {
        QAccessibleEvent event(parent->Control(id), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}
