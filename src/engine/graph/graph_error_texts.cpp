// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/graph/graph_error_texts.h"

void CGraphErrorTexts::Remember(HRESULT hr, const QString& text)
{
    std::lock_guard lock(m_mutex);
    m_texts.insert(hr, text);
}

QString CGraphErrorTexts::Lookup(HRESULT hr) const
{
    std::lock_guard lock(m_mutex);
    return m_texts.value(hr);
}
