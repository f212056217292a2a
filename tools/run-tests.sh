#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Velmora with its tests and runs them all.
set -eu
cd "$(dirname "$0")/.."

sh tools/install-deps.sh
cmake -S . -B build -G Ninja -DVELMORA_BUILD_TESTS=ON -DVELMORA_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure --timeout 600 -j2
