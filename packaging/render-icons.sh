#!/usr/bin/env bash
# Renders the PNG sizes of the icon from icons/fixture-editor.svg (needs rsvg-convert, Debian
# librsvg2-bin). Run it after changing the SVG and commit the PNGs; the build does not render.
set -euo pipefail
cd "$(dirname "$0")/icons"
for size in 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" fixture-editor.svg -o "fixture-editor-$size.png"
done
