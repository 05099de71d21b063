#!/usr/bin/env bash
# A folder in which no file can be created, not even by root (CI runs as root):
# the immutable attribute where the file system has it, else no write permission.
# Usage: read_only_folder.sh make|remove <folder>
set -euo pipefail
action=$1
folder=$2
release() {
  chattr -i "$folder" 2>/dev/null || true
  chmod u+w "$folder" 2>/dev/null || true
}
case "$action" in
  make)
    mkdir -p "$folder"
    release
    rm -rf "${folder:?}"/*
    chattr +i "$folder" 2>/dev/null || chmod a-w "$folder"
    if touch "$folder/probe" 2>/dev/null; then
      rm -f "$folder/probe"
      release
      echo "cannot make $folder read-only for this user" >&2
      exit 1
    fi
    ;;
  remove)
    [ -d "$folder" ] && release
    ;;
esac
