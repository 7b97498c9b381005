#!/usr/bin/env bash
# Times linkmoor-check on 1000 distinct links to a local web server that answers
# each request after 50 ms, for several --jobs values. The ideal time is
# 1000 x 50 ms / N; the figure above it is the overhead.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/linkmoor-slow-XXXXXX)
trap 'kill $server 2>/dev/null || true; rm -rf "$work"' EXIT

build=${LINKMOOR_BUILD:-$top/build}
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target linkmoor-check >/dev/null

/usr/bin/python3 "$top/bench/slow_server.py" "$work/port" &
server=$!
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
port=$(cat "$work/port")

mkdir -p "$work/site"
for p in $(seq 0 9); do
  {
    echo "<html><body>"
    for l in $(seq 0 99); do echo "<a href=\"http://127.0.0.1:$port/p$p/l$l\">link</a>"; done
    echo "</body></html>"
  } >"$work/site/page$p.htm"
done

for jobs in 1 16 32 64; do
  [ "$jobs" -eq 1 ] && [ -z "${SLOW_WITH_ONE:-}" ] && continue
  start=$(date +%s.%N)
  "$build/bin/linkmoor-check" --jobs "$jobs" "$work/site" >/dev/null || true
  end=$(date +%s.%N)
  awk -v j="$jobs" -v s="$start" -v e="$end" \
    'BEGIN {t = e - s; ideal = 1000 * 0.05 / j; printf "--jobs %-3d %6.2f s (ideal %.2f s, overhead %.2f s)\n", j, t, ideal, t - ideal}'
done
