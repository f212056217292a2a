// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/check_list_box.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleWidget>
#include <QPointer>

#include <map>

namespace {

// One row, as a check box: Qt 6.4's AT-SPI bridge does not pass the
// checkable state on, so the role is what tells a screen reader that the
// row can be ticked.
class CCheckRowAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    CCheckRowAccessible(CCheckListBox* list, int row) : m_pList(list), m_nRow(row) {}

    bool isValid() const override { return m_pList && m_nRow < m_pList->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_pList->window()->windowHandle(); }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_pList); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::CheckBox; }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? Item()->text() : QString();
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect local = m_pList->visualItemRect(Item());
        return QRect(m_pList->viewport()->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid())
            return state;
        state.invisible = !m_pList->isVisible();
        state.offscreen = state.invisible ||
                          !m_pList->viewport()->rect().intersects(m_pList->visualItemRect(Item()));
        state.selectable = true;
        state.selected = Item()->isSelected();
        state.focusable = true;
        state.focused = m_pList->hasFocus() && m_pList->currentRow() == m_nRow;
        state.checkable = true;
        state.checked = Item()->checkState() == Qt::Checked;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {toggleAction(), setFocusAction()}; }
    void doAction(const QString& name) override
    {
        if (!isValid())
            return;
        if (name == toggleAction())
            Item()->setCheckState(Item()->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        else if (name == setFocusAction())
            m_pList->setCurrentRow(m_nRow);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QListWidgetItem* Item() const { return m_pList->item(m_nRow); }

    QPointer<CCheckListBox> m_pList;
    int m_nRow;
};

class CCheckListBoxAccessible : public QAccessibleWidget {
public:
    explicit CCheckListBoxAccessible(CCheckListBox* list) : QAccessibleWidget(list, QAccessible::List) {}
    ~CCheckListBoxAccessible() override
    {
        for (const auto& [row, id] : m_rows)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return List()->count(); }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= List()->count())
            return nullptr;
        auto it = m_rows.find(index);
        if (it == m_rows.end())
            it = m_rows
                     .emplace(index,
                              QAccessible::registerAccessibleInterface(new CCheckRowAccessible(List(), index)))
                     .first;
        return QAccessible::accessibleInterface(it->second);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (const auto& [row, id] : m_rows)
            if (QAccessible::accessibleInterface(id) == child)
                return row < List()->count() ? row : -1;
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QListWidgetItem* item = List()->itemAt(List()->viewport()->mapFromGlobal(QPoint(x, y)));
        return item ? child(List()->row(item)) : nullptr;
    }

    QAccessibleInterface* focusChild() const override
    {
        return List()->hasFocus() ? child(List()->currentRow()) : nullptr;
    }

private:
    CCheckListBox* List() const { return static_cast<CCheckListBox*>(widget()); }

    mutable std::map<int, QAccessible::Id> m_rows;
};

}  // namespace

CCheckListBox::CCheckListBox(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!QAccessible::isActive())
            return;
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        event.setChild(row(item));
        QAccessible::updateAccessibility(&event);
    });
}

QAccessibleInterface* CheckListBoxAccessibleFactory(const QString& /*className*/, QObject* object)
{
    if (auto* list = qobject_cast<CCheckListBox*>(object))
        return new CCheckListBoxAccessible(list);
    return nullptr;
}
