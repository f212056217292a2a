#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs clang-tidy (checks in the top-level .clang-tidy) over every C++ source
# of the player, its tests, benchmarks and tools. Only a configured build
# folder is needed for the compile commands, nothing is built. Exits non-zero
# when clang-tidy reports anything. Arguments are passed to run-clang-tidy,
# e.g. -fix; VELMORA_TIDY_FOLDERS narrows the folders, e.g. to src.
set -eu
cd "$(dirname "$0")/.."

build=build-tidy
cmake -S . -B "$build" -G Ninja -DVELMORA_BUILD_TESTS=ON -DVELMORA_BUILD_BENCH=ON \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# Our sources only: not the code moc and rcc generate into the build folder.
folders=${VELMORA_TIDY_FOLDERS:-src|tests|bench|tools}
run-clang-tidy -p "$build" -j "$(nproc)" -quiet "$@" "^$(pwd)/($folders)/"
