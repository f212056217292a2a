// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwnd/copy_data.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// The protocol between a second start of the player and the running one.
// The second instance connects to the running instance's local socket, asks
// the query (a record with kInstanceQueryMessage and no bytes), expects the
// same value back as four bytes, then sends one copy-data record and waits
// for a four-byte acknowledgement. A record is its 32-bit code, its 32-bit
// byte count and the bytes, all little-endian.

// Longest record body accepted; an open-file path is far smaller.
inline constexpr std::uint32_t kMaxRecordBytes = 64 * 1024;
inline constexpr int kRecordHeaderBytes = 8;
// How long a second instance waits for the running one to answer.
inline constexpr int kInstanceQueryTimeoutMs = 10000;

struct CopyDataRecord {
    std::uint32_t code = 0;
    QByteArray bytes;
};

QByteArray EncodeRecordHeader(std::uint32_t code, std::uint32_t byteCount);
QByteArray EncodeRecord(const CopyDataRecord& record);
QByteArray EncodeUint32(std::uint32_t value);
std::uint32_t DecodeUint32(const char* fourBytes);

// The open-file record of a path: UTF-16 with its terminating zero.
CopyDataRecord MakeOpenFileRecord(const QString& path);
// The path of an open-file record body: an even count of bytes of UTF-16
// that ends in a zero unit; the text stops at the first zero and must be an
// absolute path. Nothing for anything else.
std::optional<QString> PathFromOpenFileBody(const QByteArray& bytes);

// Where the lock and the socket live: $XDG_RUNTIME_DIR, or a private folder
// of this user's in the temporary folder when it is not set.
QString InstanceRuntimeDir();
QString InstanceSocketPath();
QString InstanceLockPath();
