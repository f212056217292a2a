// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (log-out, Ctrl+C, a closed terminal)
// into a signal on the event loop, so the player ends through its orderly
// exit and keeps its playlist and settings.
class CTerminationWatcher : public QObject {
    Q_OBJECT
public:
    explicit CTerminationWatcher(QObject* parent = nullptr);
    ~CTerminationWatcher() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier* m_pNotifier = nullptr;
};
