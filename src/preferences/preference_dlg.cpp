// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/preference_dlg.h"

#include "preferences/icon_list_box.h"
#include "settings/localized_strings.h"
#include "preferences/ppg_file_asso.h"
#include "preferences/ppg_general.h"
#include "preferences/ppg_key.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

// The page icons, in page order: General, Association, Keys.
constexpr std::array kPageIcons{154, 153, 155};

QIcon PageIcon(int iconId)
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/%1-16.png").arg(iconId));
    icon.addFile(QStringLiteral(":/icons/%1.png").arg(iconId));
    return icon;
}

}  // namespace

CPreferenceDlg::CPreferenceDlg(CPlayerSettings& settings, std::function<void()> showHelp, QWidget* parent)
    : QDialog(parent),
      m_lstPages(new CIconListBox),
      m_grpCaption(new QGroupBox),
      m_stkPages(new QStackedWidget),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply |
                                     QDialogButtonBox::Help)),
      m_showHelp(std::move(showHelp))
{
    m_lstPages->setObjectName(QStringLiteral("pages"));
    m_grpCaption->setObjectName(QStringLiteral("caption"));
    m_grpCaption->setFlat(true);
    QList<QIcon> icons;
    for (int id : kPageIcons)
        icons.append(PageIcon(id));
    m_lstPages->SetImageList(icons, QSize(16, 16));

    auto* captionLayout = new QVBoxLayout(m_grpCaption);
    captionLayout->addWidget(m_stkPages);
    auto* body = new QHBoxLayout;
    body->addWidget(m_lstPages);
    body->addWidget(m_grpCaption, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(m_buttons);

    auto* general = new CPpgGeneral(settings, this);
    AddPage(general, IDS_PAGE_GENERAL);
    AddPage(new CPpgFileAsso(this), IDS_PAGE_ASSOCIATION);
    AddPage(new CPpgKey(settings, this), IDS_PAGE_KEYS);
    connect(general, &CPpgGeneral::languageChanged, this, &CPreferenceDlg::Relabel);

    connect(m_lstPages, &QListWidget::currentRowChanged, this, &CPreferenceDlg::SetActivePage);
    connect(m_buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, this, &CPreferenceDlg::OnOK);
    connect(m_buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, &CPreferenceDlg::ApplyPages);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (m_showHelp)
            m_showHelp();
    });

    Relabel();
    m_lstPages->setCurrentRow(0);
    UpdateApplyButton();
    m_lstPages->setFocus();
}

void CPreferenceDlg::AddPageWidget(QWidget* page)
{
    m_stkPages->addWidget(page);
    m_lstPages->AddRow(QString(), int(m_pages.size()) - 1);
}

void CPreferenceDlg::Relabel()
{
    setWindowTitle(LoadLocalizedString(IDS_PREFERENCES_TITLE).remove(u'&'));
    RelabelButtons();

    int widest = 0;
    const QFontMetrics metrics = m_lstPages->fontMetrics();
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i].relabel)
            m_pages[i].relabel();
        const QString name = LoadLocalizedString(m_pages[i].nameStringId);
        m_lstPages->item(int(i))->setText(name);
        widest = std::max(widest, metrics.horizontalAdvance(name));
    }
    // Room for the icon cell, the frame and a margin beside the widest name.
    m_lstPages->setFixedWidth(widest + 50);
    if (const QListWidgetItem* current = m_lstPages->currentItem())
        m_grpCaption->setTitle(current->text());
}

void CPreferenceDlg::RelabelButtons()
{
    m_buttons->button(QDialogButtonBox::Ok)->setText(LoadLocalizedString(IDS_BUTTON_OK));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(LoadLocalizedString(IDS_BUTTON_CANCEL));
    m_buttons->button(QDialogButtonBox::Apply)->setText(LoadLocalizedString(IDS_BUTTON_APPLY));
    m_buttons->button(QDialogButtonBox::Help)->setText(LoadLocalizedString(IDS_HELP));
}

bool CPreferenceDlg::event(QEvent* event)
{
    // A language change reaches the button box after the sheet has been
    // relabelled, and the box then resets its standard buttons to Qt's own
    // texts: give them ours again once the children have had the event.
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::LanguageChange)
        RelabelButtons();
    return handled;
}

void CPreferenceDlg::showEvent(QShowEvent* event)
{
    // The sheet opens in the middle of the desktop's work area, wherever
    // the main window is.
    if (!event->spontaneous()) {
        if (const QScreen* desktop = screen()) {
            QRect rc = frameGeometry();
            rc.moveCenter(desktop->availableGeometry().center());
            move(rc.topLeft());
        }
    }
    QDialog::showEvent(event);
}

int CPreferenceDlg::ActivePage() const { return m_stkPages->currentIndex(); }

void CPreferenceDlg::SetActivePage(int index)
{
    if (index < 0 || index >= int(m_pages.size()))
        return;
    m_pages[std::size_t(index)].shown = true;
    m_stkPages->setCurrentIndex(index);
    m_grpCaption->setTitle(m_lstPages->item(index)->text());
}

void CPreferenceDlg::UpdateApplyButton()
{
    const bool modified = std::any_of(m_pages.begin(), m_pages.end(),
                                      [](const CSheetPage& page) { return page.isModified(); });
    m_buttons->button(QDialogButtonBox::Apply)->setEnabled(modified);
}

bool CPreferenceDlg::ApplyPages()
{
    // A page never shown holds nothing the user changed, so it is not
    // applied (the Association page would otherwise rewrite every type).
    for (CSheetPage& page : m_pages) {
        if (page.shown && !page.apply())
            return false;
    }
    return true;
}

void CPreferenceDlg::OnOK()
{
    if (ApplyPages())
        accept();
}
