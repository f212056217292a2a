// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/prompt.h"

#include "platform/path_codec.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

class CQtPrompt final : public CPrompt {
public:
    Answer MessageBox(QWidget* parent, const QString& title, const QString& text, Icon icon,
                      Buttons buttons) override
    {
        QMessageBox box(ToQtIcon(icon), title, text, ToQtButtons(buttons), parent);
        switch (box.exec()) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Ok: return Answer::Ok;
        default: return Answer::Cancel;
        }
    }

    QStringList GetOpenFileNames(QWidget* parent, const QString& title, const QString& dir,
                                 const QStringList& nameFilters) override
    {
        QFileDialog dialog(parent, title, dir);
        dialog.setFileMode(QFileDialog::ExistingFiles);
        dialog.setNameFilters(nameFilters);
        dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        QStringList files = dialog.selectedFiles();
        for (QString& file : files)
            file = RecoverLossyPath(file);
        return files;
    }

    QString GetSaveFileName(QWidget* parent, const QString& title, const QString& dir,
                            const QStringList& nameFilters, const QString& defaultSuffix) override
    {
        QFileDialog dialog(parent, title, dir);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters(nameFilters);
        dialog.setDefaultSuffix(defaultSuffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return RecoverLossyPath(dialog.selectedFiles().constFirst());
    }

    QString GetExistingDirectory(QWidget* parent, const QString& title, const QString& dir) override
    {
        return RecoverLossyPath(QFileDialog::getExistingDirectory(parent, title, dir));
    }

private:
    static QMessageBox::Icon ToQtIcon(Icon icon)
    {
        switch (icon) {
        case Icon::Warning: return QMessageBox::Warning;
        case Icon::Critical: return QMessageBox::Critical;
        case Icon::Question: return QMessageBox::Question;
        case Icon::Information: break;
        }
        return QMessageBox::Information;
    }

    static QMessageBox::StandardButtons ToQtButtons(Buttons buttons)
    {
        switch (buttons) {
        case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case Buttons::Ok: break;
        }
        return QMessageBox::Ok;
    }
};

CPrompt* g_installed = nullptr;

}  // namespace

CPrompt& CPrompt::Get()
{
    static CQtPrompt qtPrompt;
    return g_installed ? *g_installed : qtPrompt;
}

void CPrompt::Install(CPrompt* prompt) { g_installed = prompt; }
