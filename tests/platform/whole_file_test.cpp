// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/whole_file.h"

#include <file_size_limit.h>
#include <temp_home.h>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

TEST(WholeFile, AWriteThatDoesNotFitLeavesTheOldFileWhole)
{
    const QByteArray old = "old contents\n";
    struct Case {
        const char* name;
        qsizetype size;
        rlim_t limit;  // bytes any file may hold
        bool written;
    };
    // A small write stays in a buffer until the file is closed, a large one
    // fails on the way; both must be caught.
    const Case cases[] = {
        {"small", 160, 0, false},
        {"large", 100 * 1024, 4096, false},
        {"fits", 160, 4096, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString dir = testsupport::MakeScratchDir(QStringLiteral("whole-file-") + QLatin1String(c.name));
        const QString path = dir + QStringLiteral("/list");
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        const QByteArray bytes(c.size, 'x');
        WholeFileResult result;
        {
            testsupport::CFileSizeLimit limit(c.limit);
            result = WriteWholeFile(path, bytes);
        }
        EXPECT_EQ(result == WholeFileResult::Written, c.written);
        EXPECT_EQ(ReadFile(path), c.written ? bytes : old);
        EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{"list"});
    }
}

}  // namespace
