// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QList>
#include <QRect>
#include <QString>

#include <map>

// What a window that draws its own controls tells assistive technology
// about them. Ids are the window's control ids; rectangles are in its
// client coordinates.
class CSkinnedControls {
public:
    virtual ~CSkinnedControls() = default;

    // The controls the window shows now, in reading order.
    virtual QList<int> AccessibleControls() const = 0;
    virtual QRect AccessibleRect(int id) const = 0;
    // Push buttons, sliders and static texts.
    virtual QAccessible::Role AccessibleRole(int id) const = 0;
    virtual QString AccessibleName(int id) const = 0;
    // The control drawn pressed, 0 for none.
    virtual int PressedControl() const = 0;
    // Whether a button is an on/off switch, and whether it is on.
    virtual bool IsToggle(int /*id*/) const { return false; }
    virtual bool IsOn(int /*id*/) const { return false; }
    // Runs what releasing the mouse over the control runs.
    virtual void PressControl(int id) = 0;
    // Sliders.
    virtual int SliderValue(int /*id*/) const { return 0; }
    virtual int SliderMaximum(int /*id*/) const { return 0; }
    virtual void SetSliderValue(int /*id*/, int /*value*/) {}
};

// A skinned window with its controls as children: each control is an
// accessible object of its own, created when first asked for and deleted
// with the window's interface.
class CSkinnedWindowAccessible : public QAccessibleWidget {
public:
    CSkinnedWindowAccessible(QWidget* window, CSkinnedControls& controls);
    ~CSkinnedWindowAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    CSkinnedControls& Controls() const { return m_controls; }
    // The interface of control `id`.
    QAccessibleInterface* Control(int id) const;

protected:
    // Children after the controls (the playlist's rows).
    virtual int ExtraChildCount() const { return 0; }
    virtual QAccessibleInterface* ExtraChild(int /*index*/) const { return nullptr; }

private:
    CSkinnedControls& m_controls;
    mutable std::map<int, QAccessible::Id> m_children;
};

// Tells assistive technology that control `id` of `window` changed: its
// pressed or on state, its value or its text.
void NotifyControlChanged(QWidget* window, int id);
// Every control's name changed (a new interface language).
void NotifyControlNamesChanged(QWidget* window);
