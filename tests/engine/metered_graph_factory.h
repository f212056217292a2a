// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/graph/gst_graph.h"
#include "tone_meter.h"

#include <memory>

// Makes real graphs and puts a tone meter on each one's audio sink.
class CMeteredFactory : public CMediaGraphFactory {
public:
    std::unique_ptr<CMediaGraph> CreateGraph() override
    {
        CGstGraphOptions options = CGstGraphOptions::FromEnvironment();
        options.videoSink = CGstGraphFactory::ChooseVideoSink();
        options.audioSink = QStringLiteral("fakeaudiosink");
        auto graph = std::make_unique<CGstGraph>(options, m_pTexts);
        GstElement* sink = nullptr;
        g_object_get(graph->Pipeline(), "audio-sink", &sink, nullptr);
        if (sink) {
            m_meter.Attach(sink);
            gst_object_unref(sink);
        }
        return graph;
    }
    QString GetErrorText(HRESULT hr) override { return m_pTexts->Lookup(hr); }

    CToneMeter m_meter;

private:
    std::shared_ptr<CGraphErrorTexts> m_pTexts = std::make_shared<CGraphErrorTexts>();
};
