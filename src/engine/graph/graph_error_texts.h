// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/graph/hresult.h"

#include <QHash>
#include <QString>

#include <mutex>

// The last text reported with each failure status. Written from GStreamer's
// streaming threads, read by the error report on the interface thread.
class CGraphErrorTexts {
public:
    void Remember(HRESULT hr, const QString& text);
    QString Lookup(HRESULT hr) const;

private:
    mutable std::mutex m_mutex;
    QHash<HRESULT, QString> m_texts;
};
