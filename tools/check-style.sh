#!/bin/sh
# Checks the house style of every C++ file under src, tests, bench and tools:
# the file is as clang-format (with the top-level .clang-format) would write
# it, and its first line is the licence line. Lists each file that fails and
# exits non-zero when there is one.
set -eu
cd "$(dirname "$0")/.."

CLANG_FORMAT=${CLANG_FORMAT:-clang-format}
SPDX_LINE='// SPDX-License-Identifier: GPL-3.0-or-later'

files=$(find src tests bench tools -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
failed=0
for f in $files; do
    if [ "$(head -n 1 "$f")" != "$SPDX_LINE" ]; then
        echo "$f: first line is not '$SPDX_LINE'"
        failed=1
    fi
    if ! "$CLANG_FORMAT" --style=file --dry-run -Werror "$f" >/dev/null 2>&1; then
        echo "$f: not clang-format clean (run: $CLANG_FORMAT -i $f)"
        failed=1
    fi
done

[ "$failed" -eq 0 ] && echo "Style: $(echo "$files" | wc -l) files clean."
exit "$failed"
