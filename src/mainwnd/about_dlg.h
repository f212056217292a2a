// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

// The About box: the title, the home-page line, the notice line and the
// "About us" button, all in the current interface language.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // onAboutUs runs when the "About us" button is pressed.
    CAboutDlg(QWidget* parent, std::function<void()> onAboutUs);

    QLabel* HomePageLine() const { return m_pHomePage; }
    QLabel* NoticeLine() const { return m_pNotice; }
    QPushButton* AboutUsButton() const { return m_pAboutUs; }

private:
    QLabel* m_pHomePage;
    QLabel* m_pNotice;
    QPushButton* m_pAboutUs;
};
