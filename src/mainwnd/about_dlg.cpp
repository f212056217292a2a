// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/about_dlg.h"

#include "settings/localized_strings.h"
#include "platform/tray_icon.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A web address inside a right-to-left sentence keeps its left-to-right
// order (without the embedding its closing "/" moves to the front).
QString WithLinksLeftToRight(QString text)
{
    static const QRegularExpression link(QStringLiteral("(https?://\\S+)"));
    return text.replace(link, QStringLiteral("\u202A\\1\u202C"));
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent, std::function<void()> onAboutUs) : QDialog(parent)
{
    setWindowTitle(LoadLocalizedString(IDS_ABOUT_TITLE));

    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(CTrayIcon::IconResourcePath(IDI_APPLICATION_ICON)));
    m_pHomePage = new QLabel(WithLinksLeftToRight(LoadLocalizedString(IDS_ABOUT_HOME_PAGE_LINE)), this);
    m_pNotice = new QLabel(LoadLocalizedString(IDS_ABOUT_NOTICE), this);
    m_pNotice->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(LoadLocalizedString(IDS_BUTTON_OK));
    m_pAboutUs = buttons->addButton(LoadLocalizedString(IDS_ABOUT_US), QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_pAboutUs, &QPushButton::clicked, this, [onAboutUs = std::move(onAboutUs)] { onAboutUs(); });

    auto* texts = new QVBoxLayout;
    texts->addWidget(m_pHomePage);
    texts->addWidget(m_pNotice);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setMinimumWidth(360);
    // A fixed size: stretched or maximised, the texts scatter.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
