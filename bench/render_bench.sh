#!/bin/bash
# Times `pelmora-list render --size 256` of a 4000 x 3000 PNG through the shipped ifPNG.spi
# plug-in and of the first page of a 50-page PDF, against ImageMagick's
# `convert -thumbnail 256x256` of the same files (Debian's imagemagick; for the PDF also
# ghostscript). Prints the best of five runs of each in seconds, and the ratios.
#
# usage: bench/render_bench.sh BUILD_DIR [WORK_DIR]
#   WORK_DIR (default: a new temporary folder) holds the generated files.
set -euo pipefail

build=$(cd "${1:?usage: $0 BUILD_DIR [WORK_DIR]}" && pwd)
work=${2:-$(mktemp -d)}
mkdir -p "$work"
lister="$build/bin/pelmora-list"
for program in "$lister" "$build/bin/pelmora-render" "$build/bin/ifPNG.spi"; do
  [ -x "$program" ] || [ -f "$program" ] || { echo "missing $program (build it first)" >&2; exit 1; }
done
# Debian's ImageMagick itself, not whatever else is called convert on the PATH.
convert=$(command -v convert-im6.q16 || command -v convert)

picture="$work/picture.png"
[ -f "$picture" ] || "$convert" -size 4000x3000 gradient:red-blue -attenuate 0.4 +noise Gaussian "$picture"
pdf="$work/pages.pdf"
if [ ! -f "$pdf" ]; then
  # 50 pages of A4, each with a few hundred filled rectangles; no fonts needed.
  python3 - "$pdf" <<'PYTHON'
import sys
pages = 50
objects = []
def add(body):
    objects.append(body)
    return len(objects)
catalog = add(None)
tree = add(None)
kids = []
for page in range(pages):
    ops = []
    for i in range(300):
        x, y = (i * 37 + page * 11) % 560, (i * 53 + page * 7) % 800
        ops.append(f"{(i % 7) / 7:.2f} {(i % 5) / 5:.2f} {(page % 3) / 3:.2f} rg {x} {y} 30 20 re f")
    stream = "\n".join(ops).encode()
    content = add(b"<< /Length %d >>\nstream\n" % len(stream) + stream + b"\nendstream")
    kids.append(add(b"<< /Type /Page /Parent %d 0 R /MediaBox [0 0 595 842] /Contents %d 0 R >>" % (tree, content)))
objects[catalog - 1] = b"<< /Type /Catalog /Pages %d 0 R >>" % tree
objects[tree - 1] = b"<< /Type /Pages /Count %d /Kids [%s] >>" % (pages, b" ".join(b"%d 0 R" % k for k in kids))
out = bytearray(b"%PDF-1.4\n")
offsets = []
for number, body in enumerate(objects, 1):
    offsets.append(len(out))
    out += b"%d 0 obj\n" % number + body + b"\nendobj\n"
xref = len(out)
out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
for offset in offsets:
    out += b"%010d 00000 n \n" % offset
out += b"trailer\n<< /Size %d /Root %d 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, catalog, xref)
open(sys.argv[1], "wb").write(out)
PYTHON
fi
ini="$work/Pelmora.ini"
printf '[ChoiView]\r\nCV_Su_png=1\r\nCV_pdf=1\r\n' >"$ini"

best_of_five() {
  local best=""
  for _ in 1 2 3 4 5; do
    local start end elapsed
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; return 1; }
    end=$(date +%s.%N)
    elapsed=$(echo "$end - $start" | bc)
    if [ -z "$best" ] || [ "$(echo "$elapsed < $best" | bc)" = 1 ]; then best=$elapsed; fi
  done
  printf '%.3f' "$best"
}

ours_picture=$(best_of_five env -u DISPLAY "$lister" --ini "$ini" render --size 256 "$picture" "$work/ours.png")
theirs_picture=$(best_of_five "$convert" "$picture" -thumbnail 256x256 "$work/theirs.png")
ours_pdf=$(best_of_five env -u DISPLAY "$lister" --ini "$ini" render --size 256 "$pdf" "$work/ours_pdf.png")
# Debian's policy forbids ImageMagick to read PDF; convert then does what it would do
# through its Ghostscript delegate as two steps: gs draws the first page, convert thumbnails.
if "$convert" "$pdf[0]" -thumbnail 256x256 "$work/theirs_pdf.png" >/dev/null 2>&1; then
  pdf_way="convert -thumbnail"
  theirs_pdf=$(best_of_five "$convert" "$pdf[0]" -thumbnail 256x256 "$work/theirs_pdf.png")
else
  pdf_way="gs (72 dpi, first page) + convert -thumbnail (PDF refused by the ImageMagick policy)"
  theirs_pdf=$(best_of_five sh -c "gs -q -dSAFER -dBATCH -dNOPAUSE -dFirstPage=1 -dLastPage=1 -sDEVICE=png16m -r72 \
    -o '$work/gs.png' '$pdf' && '$convert' '$work/gs.png' -thumbnail 256x256 '$work/theirs_pdf.png'")
fi

echo "date: $(date -u '+%Y-%m-%d %H:%M UTC'), load: $(cut -d' ' -f1-3 /proc/loadavg), cores: $(nproc)"
echo "picture 4000x3000 PNG: render (ifPNG.spi) $ours_picture s, convert $theirs_picture s, ratio $(echo "scale=2; $ours_picture / $theirs_picture" | bc)"
echo "PDF 50 pages, first page: render $ours_pdf s, $pdf_way $theirs_pdf s, ratio $(echo "scale=2; $ours_pdf / $theirs_pdf" | bc)"
