#!/usr/bin/env bash
# Renders the application icon from pixmint.svg into the PNGs and the Windows icon group
# committed beside it. Only needed after changing the SVG (Debian: librsvg2-bin, python3).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for size in 16 32 48 128; do
    rsvg-convert -w "$size" -h "$size" pixmint.svg -o "pixmint-$size.png"
done
# One icon group of four 32-bit images with alpha, each stored as PNG.
python3 - <<'PY'
import struct
sizes = [16, 32, 48, 128]
images = [open("pixmint-%d.png" % size, "rb").read() for size in sizes]
header = struct.pack("<HHH", 0, 1, len(images))
offset = len(header) + 16 * len(images)
entries = b""
for size, data in zip(sizes, images):
    entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
open("pixmint.ico", "wb").write(header + entries + b"".join(images))
PY
