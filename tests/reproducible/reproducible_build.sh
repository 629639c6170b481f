#!/usr/bin/env bash
# Two clean builds of the same sources in two folders of different names must give the same
# shipped files byte for byte: setup.exe, the bare setup image, zeltax.exe and uninstall.exe.
# Each copy builds its own host package builder, then the 32-bit tree as ./dev does, without
# tests. Every file packed into setup.exe must carry SOURCE_DATE_EPOCH as its time stamp.
#
#   SOURCE_DATE_EPOCH=<seconds> reproducible_build.sh <source tree>
#
# The copies are no git checkouts, so each would stamp the package with its own copied files'
# times: both get the source tree's SOURCE_DATE_EPOCH from the environment instead.
set -euo pipefail

SOURCE=$(cd "$1" && pwd -P)
: "${SOURCE_DATE_EPOCH:?the time stamp of the packaged files, e.g. the last commit}"
export SOURCE_DATE_EPOCH
JOBS=$(nproc)
SHIPPED=(setup.exe setup/setup_stub.exe estimator/zeltax.exe uninstall/uninstall.exe)

# Names of different lengths, so that a path that reaches an output also moves what follows it.
FIRST=$(mktemp -d "${TMPDIR:-/tmp}/zelmor-build.XXXXXX")
SECOND=$(mktemp -d "${TMPDIR:-/tmp}/zelmor-second-build.XXXXXX")
trap 'rm -rf "$FIRST" "$SECOND"' EXIT
# A stopped test (a ctest time-out) leaves nothing behind either.
trap 'exit 1' INT TERM HUP

# git in the source tree, trusted as it is being built even when another user owns it.
source_git() {
    git -c safe.directory="$SOURCE" -C "$SOURCE" "$@"
}

# The files to copy, NUL-separated and relative to the source tree: what git tracks or would
# track in the working tree (files not added yet included, deleted ones left out) when the
# tree is a checkout of its own; otherwise every file but the build folders.
source_files() {
    local file
    if [ "$(source_git rev-parse --show-toplevel 2>/dev/null)" = "$SOURCE" ]; then
        source_git ls-files -z --cached --others --exclude-standard |
            while IFS= read -r -d '' file; do
                if [ -e "$SOURCE/$file" ] || [ -L "$SOURCE/$file" ]; then printf '%s\0' "$file"; fi
            done
    else
        (cd "$SOURCE" && find . \( -path ./build -o -path ./.git \) -prune -o \( -type f -o -type l \) -print0)
    fi
}

copy_sources() { # destination
    mkdir -p "$1"
    source_files | tar -C "$SOURCE" --null --no-recursion -T - -cf - | tar -C "$1" -xf -
}

# Builds the sources in <folder>/src there; the build's output goes to <folder>/build.log,
# whose end is shown when the build fails.
build_copy() { # folder
    local src=$1/src builder=$1/host/tools/setup_builder/setup_builder
    echo "building in $1"
    if ! {
        cmake -S "$src" -B "$1/host" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELMOR_TESTS=OFF &&
            cmake --build "$1/host" --target setup_builder -j "$JOBS" &&
            cmake -S "$src" -B "$1/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELMOR_TESTS=OFF \
                -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" -DZELMOR_SETUP_BUILDER="$builder" &&
            cmake --build "$1/win32" --target setup_package -j "$JOBS"
    } >"$1/build.log" 2>&1; then
        tail -n 60 "$1/build.log"
        echo "FAILED: the build in $1 failed"
        return 1
    fi
}

# Prints every shipped file that is not the same in both builds; fails if there is one.
compare_shipped() {
    local file differing=0
    for file in "${SHIPPED[@]}"; do
        if cmp "$FIRST/win32/$file" "$SECOND/win32/$file"; then
            echo "same: $file"
        else
            echo "DIFFERS: $file"
            differing=$((differing + 1))
        fi
    done
    [ "$differing" -eq 0 ]
}

# Every file in the package carries SOURCE_DATE_EPOCH, as the builder's listing shows it.
check_package_stamps() {
    local expected stamps
    expected="time: $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S') UTC"
    stamps=$("$FIRST/host/tools/setup_builder/setup_builder" list "$FIRST/win32/setup.exe" | grep -E '^ +time: ' |
        sed 's/^ *//')
    if [ -z "$stamps" ] || grep -vxF "$expected" <<<"$stamps"; then
        echo "FAILED: the packed files' time stamps are not all \"$expected\""
        return 1
    fi
    echo "every packed file has $expected"
}

# Both copies are taken before either is built, so that a source edited meanwhile is in
# neither; the second one's files are as new as the copy, the first one's keep their times.
copy_sources "$FIRST/src"
cp -R "$FIRST/src" "$SECOND/src"
build_copy "$FIRST"
build_copy "$SECOND"
status=0
compare_shipped || status=1
check_package_stamps || status=1
exit "$status"
