// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/prompt.h"

#include <QStringList>

// Answers the playlist's questions in place of a person and keeps every
// message box text.
class CRecordingPrompt final : public CPrompt {
public:
    CRecordingPrompt() { CPrompt::Install(this); }
    ~CRecordingPrompt() override { CPrompt::Install(nullptr); }

    Answer MessageBox(QWidget*, const QString&, const QString& text, Icon, Buttons) override
    {
        m_messages << text;
        return Answer::Ok;
    }
    QStringList GetOpenFileNames(QWidget*, const QString&, const QString&, const QStringList& nameFilters) override
    {
        m_lastFilters = nameFilters;
        return m_openAnswer;
    }
    QString GetSaveFileName(QWidget*, const QString&, const QString&, const QStringList& nameFilters,
                            const QString& defaultSuffix) override
    {
        m_lastFilters = nameFilters;
        m_lastSuffix = defaultSuffix;
        return m_saveAnswer;
    }
    QString GetExistingDirectory(QWidget*, const QString& title, const QString&) override
    {
        m_lastTitle = title;
        return m_folderAnswer;
    }

    QStringList m_messages;
    QStringList m_openAnswer;  // empty: the user cancels
    QString m_saveAnswer;
    QString m_folderAnswer;  // empty: the user cancels
    QStringList m_lastFilters;
    QString m_lastSuffix;
    QString m_lastTitle;
};
