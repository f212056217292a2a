// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/menu_presenter.h"

#include "mainwnd/context_menu.h"

#include <QAction>
#include <QMenu>

namespace {

void Fill(QMenu& target, const CMenuItem& menu)
{
    for (const CMenuItem& item : menu.children) {
        switch (item.kind) {
        case CMenuItem::Kind::Separator: target.addSeparator(); break;
        case CMenuItem::Kind::Popup: {
            QMenu* popup = target.addMenu(item.text);
            popup->setEnabled(item.enabled);
            Fill(*popup, item);
            break;
        }
        case CMenuItem::Kind::Command: {
            QAction* action = target.addAction(item.text);
            action->setData(item.id);
            action->setEnabled(item.enabled);
            action->setCheckable(item.checked || item.checkable);
            action->setChecked(item.checked);
            break;
        }
        }
    }
}

class CQtMenuPresenter final : public CMenuPresenter {
public:
    int Track(const CMenuItem& menu, const QPoint& at, QWidget* owner) override
    {
        QMenu popup(owner);
        Fill(popup, menu);
        const QAction* chosen = popup.exec(at);
        return chosen ? chosen->data().toInt() : 0;
    }
};

CMenuPresenter* g_pInstalled = nullptr;

}  // namespace

CMenuPresenter& CMenuPresenter::Get()
{
    static CQtMenuPresenter qtPresenter;
    return g_pInstalled ? *g_pInstalled : qtPresenter;
}

void CMenuPresenter::Install(CMenuPresenter* presenter) { g_pInstalled = presenter; }
