#include "about_dlg.h"

#include "localized_strings.h"
#include "tray_icon.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent, std::function<void()> onAboutUs) : QDialog(parent)
{
    setWindowTitle(LoadLocalizedString(101));

    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(CTrayIcon::IconResourcePath(IDI_APPLICATION_ICON)));
    m_pHomePage = new QLabel(LoadLocalizedString(112), this);
    m_pNotice = new QLabel(LoadLocalizedString(113), this);
    m_pNotice->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    m_pAboutUs = buttons->addButton(QStringLiteral("About us"), QDialogButtonBox::ActionRole);
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
}
