#!/usr/bin/env bash
# Times the link checks of the windowed program's analysis job (job 100) on a
# generated site: 300 pages, each with 50 links to 1,000 distinct URLs on a local
# server (127.0.0.1) that answers every request after 50 ms. The ideal is
# 1,000 x 50 ms / 16 = 3.1 s; one at a time it was 15,000 x 50 ms = 750 s (measured
# here on the first 4 pages and scaled). Then the same site with every URL on hosts
# under .invalid: the name look-ups made (one per host).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${LINKMOOR_BUILD:-$top/build}
work=$(mktemp -d /tmp/linkmoor-job-XXXXXX)
trap 'kill $server 2>/dev/null || true; [ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target linkmoor-job-bench >/dev/null
bench=$build/bin/linkmoor-job-bench

/usr/bin/python3 "$top/bench/slow_server.py" "$work/port" &
server=$!
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
port=$(cat "$work/port")

make_site() { # folder kind: pages whose links are placeholders URL<n>
  mkdir -p "$1"
  /usr/bin/python3 - "$1" "$2" <<'PY'
import sys
folder, kind = sys.argv[1], sys.argv[2]
for p in range(300):
    with open(f"{folder}/p{p:03d}.htm", "w") as f:
        f.write("<html><body>\n")
        for l in range(50):
            u = (p * 50 + l * 7) % 1000
            f.write(f'<a href="URL{u}">link</a>\n')
        f.write("</body></html>\n")
PY
}
make_site "$work/local" local
sed -i "s|URL\([0-9]*\)|http://127.0.0.1:$port/u\1|g" "$work/local"/*.htm
make_site "$work/invalid" invalid
# Ten hosts under .invalid, 100 URLs each.
sed -i 's|URL\([0-9]*\)\([0-9]\)"|http://host\2.linkmoor-bench.invalid/u\1\2"|g' "$work/invalid"/*.htm

echo "job 100, 300 pages x 50 links, 1000 distinct URLs, 50 ms each:"
"$bench" "$work/local"
echo "one at a time, the first 4 pages (200 links):"
"$bench" "$work/local" --one-at-a-time --pages 4
echo "the same site with every URL on one of 10 hosts under .invalid:"
"$bench" "$work/invalid"
