// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/ppg_key.h"

#include "preferences/hot_key_ctrl.h"
#include "settings/localized_strings.h"
#include "settings/player_settings.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CPpgKey::CPpgKey(CPlayerSettings& settings, QWidget* parent)
    : CPropertyPage(parent),
      m_settings(settings),
      m_keys(settings.m_hotKeys),
      m_lblCaption(new QLabel),
      m_grpKeys(new QGroupBox),
      m_lstKeys(new QListWidget),
      m_hkcKey(new CHotKeyCtrl),
      m_btnReset(new QPushButton)
{
    m_lblCaption->setWordWrap(true);
    m_lstKeys->setObjectName(QStringLiteral("keys"));
    m_lstKeys->setSelectionMode(QAbstractItemView::SingleSelection);
    m_hkcKey->setObjectName(QStringLiteral("hotKey"));
    m_btnReset->setObjectName(QStringLiteral("resetToDefault"));

    auto* controls = new QHBoxLayout;
    controls->addWidget(m_hkcKey, 1);
    controls->addWidget(m_btnReset);
    auto* groupLayout = new QVBoxLayout(m_grpKeys);
    groupLayout->addWidget(m_lstKeys, 1);
    groupLayout->addLayout(controls);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblCaption);
    layout->addWidget(m_grpKeys, 1);

    Relabel();

    connect(m_lstKeys, &QListWidget::itemSelectionChanged, this, &CPpgKey::OnSelectionChanged);
    connect(m_hkcKey, &CHotKeyCtrl::hotKeyChanged, this, &CPpgKey::OnHotKeyChanged);
    connect(m_btnReset, &QPushButton::clicked, this, &CPpgKey::OnResetToDefault);
}

void CPpgKey::Relabel()
{
    m_lblCaption->setText(LoadLocalizedString(IDS_KEYS_CAPTION));
    m_grpKeys->setTitle(LoadLocalizedString(IDS_KEYS_HOT_KEYS));
    m_btnReset->setText(LoadLocalizedString(IDS_KEYS_RESET_TO_DEFAULT));
    m_hkcKey->SetHotKey(m_hkcKey->HotKey());  // its "None" is a localized text
    FillList();
}

void CPpgKey::FillList()
{
    // Lines are relabelled in place, so the selection stays where it was.
    const auto& entries = HotKeyEntries();
    for (int i = 0; i < HOTKEY_COUNT; ++i) {
        const QString line = LoadLocalizedString(entries[i].nameStringId) + QStringLiteral("  [ ") +
                             HotKeyText(m_keys[i]) + QStringLiteral(" ]");
        if (QListWidgetItem* item = m_lstKeys->item(i))
            item->setText(line);
        else
            m_lstKeys->addItem(line);
    }
}

int CPpgKey::SelectedLine() const
{
    const QList<QListWidgetItem*> selected = m_lstKeys->selectedItems();
    return selected.isEmpty() ? -1 : m_lstKeys->row(selected.first());
}

void CPpgKey::OnSelectionChanged()
{
    const int line = SelectedLine();
    if (line >= 0)
        m_hkcKey->SetHotKey(m_keys[line]);
}

void CPpgKey::OnHotKeyChanged(HotKeyCode code)
{
    if (!AssignHotKey(m_keys, SelectedLine(), code))
        return;
    SetModified(true);
    FillList();
}

void CPpgKey::OnResetToDefault()
{
    m_keys = DefaultHotKeys();
    FillList();
    OnSelectionChanged();
    SetModified(true);
}

bool CPpgKey::OnApply()
{
    m_settings.m_hotKeys = m_keys;
    SetModified(false);
    return true;
}
