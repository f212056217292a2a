// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>

class QAccessibleInterface;

// A list whose rows carry check boxes, as the Association page shows its
// file types. Assistive technology sees each row as a check box (checkable,
// checked) and can tick it with the row's Toggle action; Qt's own list rows
// offer neither.
class CCheckListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CCheckListBox(QWidget* parent = nullptr);
};

// Makes the interface of a CCheckListBox; install it before the first one
// is shown.
QAccessibleInterface* CheckListBoxAccessibleFactory(const QString& className, QObject* object);
