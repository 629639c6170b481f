#!/usr/bin/env bash
# How cmake/SourceDateEpoch.cmake chooses the time stamp of packaged files, on small projects
# made afresh (epoch_probe/CMakeLists.txt): SOURCE_DATE_EPOCH from the environment first, then
# the last commit of the source tree's own checkout, then the newest source file; and moving
# HEAD reconfigures the tree, while a rebuild without a new commit does not.
#
#   source_date_epoch_test.sh <cmake/SourceDateEpoch.cmake> <epoch_probe folder>
set -euo pipefail

MODULE=$1
PROBE=$2
WORK=$(mktemp -d "${TMPDIR:-/tmp}/zelmor-epoch.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
# A stopped test (a ctest time-out) leaves nothing behind either.
trap 'exit 1' INT TERM HUP

# git as on a machine without any configuration of its own.
export GIT_CONFIG_NOSYSTEM=1 GIT_CONFIG_GLOBAL=/dev/null
export GIT_AUTHOR_NAME=Builder GIT_AUTHOR_EMAIL=builder@example.invalid
export GIT_COMMITTER_NAME=Builder GIT_COMMITTER_EMAIL=builder@example.invalid
unset SOURCE_DATE_EPOCH

# Times of the files: the build folder is newer than every source, as after any build.
SOURCE_TIME=1100000000
NEWEST_SOURCE_TIME=1150000000
BUILD_FOLDER_TIME=1900000000

failures=0

check() { # what expected actual
    if [ "$2" = "$3" ]; then
        echo "ok: $1"
    else
        echo "FAILED: $1: expected $2, got $3"
        failures=$((failures + 1))
    fi
}

make_project() { # folder
    mkdir -p "$1/src" "$1/build"
    cp "$PROBE/CMakeLists.txt" "$1/"
    echo /build/ >"$1/.gitignore"
    echo 'int main() {}' >"$1/src/main.cpp"
    echo object >"$1/build/main.o"
    touch -d "@$SOURCE_TIME" "$1/CMakeLists.txt" "$1/.gitignore"
    touch -d "@$NEWEST_SOURCE_TIME" "$1/src/main.cpp"
    touch -d "@$BUILD_FOLDER_TIME" "$1/build/main.o"
}

make_checkout() { # folder
    git init -q "$1"
    make_project "$1"
}

commit_at() { # folder seconds
    git -C "$1" add -A
    GIT_AUTHOR_DATE="@$2 +0000" GIT_COMMITTER_DATE="@$2 +0000" git -C "$1" commit -q --allow-empty -m "At $2"
}

# Configures the project into the binary folder; prints the epoch it chose.
configure() { # project binary-folder [VARIABLE=value ...]
    local project=$1 tree=$2
    shift 2
    env "$@" cmake -S "$project" -B "$tree" -G Ninja -DSOURCE_DATE_EPOCH_MODULE="$MODULE" >"$WORK/configure.log" 2>&1 ||
        { cat "$WORK/configure.log" >&2; return 1; }
    cat "$tree/epoch"
}

# Builds the tree; prints the epoch it has then, and whether the build configured again.
rebuild() { # binary-folder
    local output
    output=$(cmake --build "$1" 2>&1) || { echo "$output" >&2; return 1; }
    if grep -q 'Re-running CMake' <<<"$output"; then echo "$(cat "$1/epoch") reconfigured"; else cat "$1/epoch"; fi
}

choosing() {
    make_project "$WORK/plain"
    # The binary folder inside the sources, written just before the choice, does not count either.
    check "without git: the newest source file" "$NEWEST_SOURCE_TIME" "$(configure "$WORK/plain" "$WORK/plain/out")"

    make_checkout "$WORK/checkout"
    commit_at "$WORK/checkout" 1200000000
    touch -d @1300000000 "$WORK/checkout/src/main.cpp"
    check "git checkout: the last commit, not a later edit" 1200000000 "$(configure "$WORK/checkout" "$WORK/checkout-tree")"
    check "the environment wins over the commit" 1234567890 \
        "$(configure "$WORK/checkout" "$WORK/checkout-env" SOURCE_DATE_EPOCH=1234567890)"
    check "the environment wins over the files" 1234567890 \
        "$(configure "$WORK/plain" "$WORK/plain-env" SOURCE_DATE_EPOCH=1234567890)"

    # A copy of the sources in the ignored build folder of another checkout has no commit.
    make_project "$WORK/checkout/build/copy"
    check "a copy inside another checkout: its newest file" "$NEWEST_SOURCE_TIME" \
        "$(configure "$WORK/checkout/build/copy" "$WORK/copy-tree")"

    if configure "$WORK/plain" "$WORK/plain-bad" SOURCE_DATE_EPOCH=yesterday 2>/dev/null; then
        check "a SOURCE_DATE_EPOCH that is no number is refused" refused accepted
    else
        check "a SOURCE_DATE_EPOCH that is no number is refused" 1 \
            "$(grep -c 'SOURCE_DATE_EPOCH must be a number of seconds since 1970, not "yesterday"' "$WORK/configure.log")"
    fi
}

following_head() {
    local checkout=$WORK/checkout tree=$WORK/checkout-tree
    check "a build without a new commit does not configure again" 1200000000 "$(rebuild "$tree")"
    commit_at "$checkout" 1250000000
    check "a new commit on the branch" "1250000000 reconfigured" "$(rebuild "$tree")"
    git -C "$checkout" pack-refs --all
    rebuild "$tree" >/dev/null
    commit_at "$checkout" 1260000000
    check "a new commit after the refs were packed" "1260000000 reconfigured" "$(rebuild "$tree")"
    git -C "$checkout" checkout -q --detach HEAD~2
    check "checking out an older commit" "1200000000 reconfigured" "$(rebuild "$tree")"
    commit_at "$checkout" 1270000000
    check "a new commit on a detached HEAD" "1270000000 reconfigured" "$(rebuild "$tree")"
}

choosing
following_head
if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
