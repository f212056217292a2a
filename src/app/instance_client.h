// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/instance_protocol.h"

#include <QString>

// The second instance's end of the protocol: finds the running instance on
// its socket (waiting for it to start listening if it is still starting),
// checks its answer to the query and hands over one record. Everything is
// bounded by the query time limit; the result only says whether the record
// was delivered.
bool ForwardToRunningInstance(const QString& socketPath, const CopyDataRecord& record,
                              int timeoutMs = kInstanceQueryTimeoutMs);
