#!/bin/sh
# run_unprivileged.sh SETPRIV TEST-PROGRAM GTEST-FILTER
# Runs one case of a test program as an unprivileged user when the tests run as root (permission
# bits do not hold the root user back). The build folder may sit in a folder that user cannot
# enter (a clone under /root), so the program runs from a copy in a fresh folder of its own.
# Exit status 77 (a skipped test) when the unprivileged user cannot run even that copy.
set -eu
setpriv=$1 program=$2 filter=$3
if [ "$(id -u)" != 0 ]; then
  exec env HOME=/tmp TMPDIR=/tmp XDG_RUNTIME_DIR=/tmp QT_QPA_PLATFORM=offscreen "$program" --gtest_filter="$filter"
fi
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
chmod 755 "$folder"
cp "$program" "$folder/"
copy=$folder/$(basename "$program")
drop="$setpriv --reuid=65534 --regid=65534 --clear-groups"
if ! $drop test -x "$copy"; then
  echo "skipped: the unprivileged user cannot reach $folder" >&2
  exit 77
fi
scratch=$(mktemp -d)
trap 'rm -rf "$folder" "$scratch"' EXIT
chown 65534:65534 "$scratch"
$drop env HOME="$scratch" TMPDIR="$scratch" XDG_RUNTIME_DIR="$scratch" QT_QPA_PLATFORM=offscreen \
  "$copy" --gtest_filter="$filter"
