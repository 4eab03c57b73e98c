#!/usr/bin/env bash
# Mounts (or unmounts) a 64 KiB tmpfs for the tests of saving onto a full disk. Mounting needs
# root; without it the tests that need the disk skip themselves.
set -u
action=$1 directory=$2
case $action in
  mount)
    mkdir -p "$directory"
    if ! mountpoint -q "$directory" && ! mount -t tmpfs -o size=64k,mode=0777 vesk-small-disk "$directory" 2>/dev/null; then
      echo "cannot mount a small disk at $directory (not root?): the full-disk tests will skip"
      exit 0
    fi
    ;;
  unmount)
    umount "$directory" 2>/dev/null
    rmdir "$directory" 2>/dev/null
    ;;
esac
exit 0
