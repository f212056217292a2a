// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Every question the player puts to the user (message boxes and file or
// folder choosers) goes through the one installed CPrompt, so tests can
// answer instead of a person. The default answers with Qt's dialogs.
class CPrompt {
public:
    enum class Icon { Information, Warning, Critical, Question };
    enum class Answer { Ok, Cancel, Yes, No };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };

    virtual ~CPrompt() = default;

    virtual Answer MessageBox(QWidget* parent, const QString& title, const QString& text,
                              Icon icon = Icon::Information, Buttons buttons = Buttons::Ok) = 0;

    // Returns the chosen files, or an empty list when the user cancels.
    // Name filters use Qt's "Text (*.a *.b)" form; the dialog matches them
    // without regard to case.
    virtual QStringList GetOpenFileNames(QWidget* parent, const QString& title, const QString& dir,
                                         const QStringList& nameFilters) = 0;
    // Returns the chosen file, or an empty text when the user cancels. The
    // dialog itself asks before replacing an existing file.
    virtual QString GetSaveFileName(QWidget* parent, const QString& title, const QString& dir,
                                    const QStringList& nameFilters, const QString& defaultSuffix) = 0;
    virtual QString GetExistingDirectory(QWidget* parent, const QString& title, const QString& dir) = 0;

    // The installed prompt; Qt's dialogs until Install() replaces them.
    static CPrompt& Get();
    // Installs a prompt (not owned) or, with nullptr, restores Qt's dialogs.
    static void Install(CPrompt* prompt);
};
