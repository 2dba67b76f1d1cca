#!/usr/bin/env bash
# Writes the review screenshots into the given folder: the artwork preview (background with
# controls at several values) and the editor as it opens, at 1x and at 2x.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-dist/screenshots}
mkdir -p "$out"
/usr/bin/python3 tools/artwork/preview.py "$out/artwork-preview.png"
build/linux/editor/qx71-editor-screenshot "$out"
build/linux/editor/qx71-editor-screenshot "$out" 2
