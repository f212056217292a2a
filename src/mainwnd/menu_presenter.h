// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

class QWidget;
struct CMenuItem;

// Shows a context menu and reports the chosen command. The installed
// presenter is Qt's menus; tests install one that chooses for the user.
class CMenuPresenter {
public:
    virtual ~CMenuPresenter() = default;

    // Shows `menu` at the screen point `at` and returns the chosen command
    // id, or 0 when the menu was dismissed.
    virtual int Track(const CMenuItem& menu, const QPoint& at, QWidget* owner) = 0;

    static CMenuPresenter& Get();
    // Installs a presenter (not owned); nullptr restores Qt's menus.
    static void Install(CMenuPresenter* presenter);
};
