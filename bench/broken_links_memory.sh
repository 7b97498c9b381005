#!/bin/sh
# Peak memory of linkmoor-check on one page of 10 MB made of broken links only:
# 833 333 links per 10 MB of the form <a href="x">, none of whose targets exist.
# Usage: bench/broken_links_memory.sh [path/to/linkmoor-check] [megabytes]
# Prints the link count, the report size and the peak resident set (kB and
# bytes per link) as /usr/bin/time -v measures it. KEEP=1 keeps the folder.
#
# Figures (Debian 12, 2 cores, RelWithDebInfo), peak RSS of the whole process:
#   rows gathered per page, one allocation per link record:
#     10 MB (833 333 links)  779 MB, 957 bytes a link
#     40 MB (3 333 333 links) 2996 MB, 920 bytes a link
#   rows written as made, link records in slabs, segments let go after extraction:
#     10 MB  158 MB, 194 bytes a link
#     40 MB  581 MB, 178 bytes a link
set -eu
CHECK=${1:-build-mem/bin/linkmoor-check}
MB=${2:-10}
DIR=$(mktemp -d)
[ "${KEEP:-0}" = 1 ] || trap 'rm -rf "$DIR"' EXIT
mkdir "$DIR/site"
# Twelve bytes per link, <a href="x">, repeated to fill MB megabytes; the target x
# does not exist, so every link is a row of the report.
python3 - "$DIR/site/broken.htm" "$MB" <<'PY'
import sys
path, mb = sys.argv[1], int(sys.argv[2])
size = mb * 1000 * 1000
unit = b'<a href="x">'
with open(path, "wb") as f:
    f.write(unit * (size // len(unit)))
PY
LINKS=$(( MB * 1000 * 1000 / 12 ))
/usr/bin/time -v "$CHECK" --json --no-internet "$DIR/site" >"$DIR/report.json" 2>"$DIR/time.txt" || true
PEAK=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$DIR/time.txt")
echo "links: $LINKS"
echo "report bytes: $(wc -c <"$DIR/report.json")"
echo "peak RSS kB: $PEAK"
echo "bytes per link: $(( PEAK * 1024 / LINKS ))"
