// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/ppg_file_asso.h"

#include "assoc/file_assoc.h"
#include "preferences/check_list_box.h"
#include "settings/localized_strings.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CPpgFileAsso::CPpgFileAsso(QWidget* parent)
    : QWidget(parent),
      m_lblIntro(new QLabel(this)),
      m_grpTypes(new QGroupBox(this)),
      m_lstTypes(new CCheckListBox(m_grpTypes)),
      m_btnSelectAll(new QPushButton(m_grpTypes))
{
    Relabel();
    m_lblIntro->setWordWrap(true);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_btnSelectAll);
    auto* groupLayout = new QVBoxLayout(m_grpTypes);
    groupLayout->addWidget(m_lstTypes);
    groupLayout->addLayout(buttonRow);
    auto* pageLayout = new QVBoxLayout(this);
    pageLayout->addWidget(m_lblIntro);
    pageLayout->addWidget(m_grpTypes, 1);

    for (int i = 0; i < FILE_TYPE_COUNT; ++i) {
        m_keys.append(CFileAssoc::Key(i));
        auto* item = new QListWidgetItem(CFileAssoc::GetDescription(i), m_lstTypes);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(CFileAssoc::IsAssociated(i) ? Qt::Checked : Qt::Unchecked);
    }

    connect(m_lstTypes, &QListWidget::itemChanged, this, &CPpgFileAsso::OnItemChanged);
    connect(m_btnSelectAll, &QPushButton::clicked, this, &CPpgFileAsso::OnSelectAll);
}

void CPpgFileAsso::Relabel()
{
    m_lblIntro->setText(LoadLocalizedString(IDS_ASSOC_INTRO));
    m_grpTypes->setTitle(LoadLocalizedString(IDS_ASSOC_FILE_TYPES));
    m_btnSelectAll->setText(LoadLocalizedString(IDS_ASSOC_SELECT_ALL));
}

void CPpgFileAsso::SetModified(bool modified)
{
    if (modified == m_bModified)
        return;
    m_bModified = modified;
    emit modifiedChanged(modified);
}

void CPpgFileAsso::OnItemChanged(QListWidgetItem* item)
{
    // Types sharing one MIME type (".avi" and ".divx", ".mpg" and ".mpeg")
    // are one association on the desktop: their rows tick together, so the
    // page never shows one of them apart from what the desktop opens.
    const int row = m_lstTypes->row(item);
    const QString key = m_keys.value(row);
    if (!m_bSyncingSiblings && !key.isEmpty()) {
        m_bSyncingSiblings = true;
        for (int other = 0; other < m_lstTypes->count(); ++other)
            if (other != row && m_keys.value(other) == key)
                m_lstTypes->item(other)->setCheckState(item->checkState());
        m_bSyncingSiblings = false;
    }
    SetModified(true);
}

void CPpgFileAsso::OnSelectAll()
{
    for (int row = 0; row < m_lstTypes->count(); ++row)
        if (!IsChecked(row))
            m_lstTypes->item(row)->setCheckState(Qt::Checked);
}

bool CPpgFileAsso::IsChecked(int row) const { return m_lstTypes->item(row)->checkState() == Qt::Checked; }

bool CPpgFileAsso::OnApply()
{
    for (int i = 0; i < m_lstTypes->count(); ++i) {
        // Rows of one MIME type tick together, so the first of them does the
        // work and the others find it done.
        const bool wanted = IsChecked(i);
        const bool associated = CFileAssoc::IsAssociated(i);
        if (wanted && !associated) {
            // Never point a type at the player without its previous owner saved.
            if (CFileAssoc::BackupType(i))
                CFileAssoc::Associate(i);
        } else if (!wanted && associated) {
            CFileAssoc::RestoreType(i);
        }
    }
    // mimeapps.list is read afresh by every program that opens a file, so
    // there is no one to tell that the associations changed.
    SetModified(false);
    return true;
}
