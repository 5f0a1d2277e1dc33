#!/usr/bin/env bash
# Zips the files under FOLDER (paths relative to it) into ARCHIVE so that the same files give the
# same bytes: entries in byte order, each with the time SOURCE_DATE_EPOCH (UTC) and fixed
# permissions, no directory entries and no Unix extra fields (owner, times).
# usage: SOURCE_DATE_EPOCH=... release/zip.sh ARCHIVE FOLDER
set -euo pipefail
archive=$(realpath -m "$1") folder=$2
: "${SOURCE_DATE_EPOCH:?release/zip.sh needs SOURCE_DATE_EPOCH}"
find "$folder" -type d -exec chmod 0755 {} +
find "$folder" -type f -exec chmod 0644 {} +
find "$folder" -type f \( -name '*.dll' -o -name '*.exe' \) -exec chmod 0755 {} +
find "$folder" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
rm -f "$archive"
# -nw: names such as [Content_Types].xml are names, not patterns.
(cd "$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort |
    TZ=UTC zip -X -D -nw -q -9 "$archive" -@)
