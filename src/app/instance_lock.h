// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The single-instance lock: an exclusive lock on a file in the runtime
// folder, held for the life of the process and released by the system when
// the process ends, however it ends.
class CInstanceLock {
public:
    enum class Result {
        Acquired,       // this is the first instance
        HeldByAnother,  // another instance runs
        Unavailable,    // the lock cannot be used; run as a first instance without it
        NotOurs,        // something other than this user's lock file is in its place
    };

    CInstanceLock() = default;
    ~CInstanceLock();
    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;

    Result Acquire(const QString& path);
    bool IsHeld() const { return m_nFd >= 0; }

private:
    int m_nFd = -1;
};
