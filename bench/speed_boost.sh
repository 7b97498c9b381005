#!/usr/bin/env bash
# Times linkmoor-check --no-internet --json alone on the Boost HTML manual (fetched by
# fetch_boost_doc.sh) with hyperfine, and counts its system calls with strace -c:
# the figures the speed work on the scanner, the extraction, the disk check and the
# folder walk is judged by. With two binaries it times both in alternation, so that
# the load of the machine falls on both alike:
#   bench/speed_boost.sh NEW_CHECK [OLD_CHECK]
# Needs hyperfine, strace and perf (Debian packages hyperfine, strace, linux-perf).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
site=$("$top/bench/fetch_boost_doc.sh")
checks=("$@")
[ ${#checks[@]} -gt 0 ] || checks=("${LINKMOOR_BUILD:-$top/build}/bin/linkmoor-check")
echo "load: $(cut -d' ' -f1-3 /proc/loadavg), cores: $(nproc)"

commands=()
for check in "${checks[@]}"; do commands+=("$check --no-internet --json $site"); done
hyperfine -N -i --warmup 3 --runs "${RUNS:-40}" --export-json /tmp/linkmoor-speed.json \
  "${commands[@]}" >/dev/null 2>&1
/usr/bin/python3 - /tmp/linkmoor-speed.json <<'PY'
import json, sys
for r in json.load(open(sys.argv[1]))["results"]:
    print(f"{r['command'].split()[0]}\n  median {r['median']:.4f} s  min {r['min']:.4f} s  "
          f"user {r['user']:.3f} s  system {r['system']:.3f} s")
PY
for check in "${checks[@]}"; do
  echo "$check"
  # linkmoor-check ends with status 1 here (the manual has broken links).
  { perf stat -r 15 -x, -e task-clock "$check" --no-internet --json "$site" 2>&1 >/dev/null || true; } |
    awk -F, '/task-clock/ {printf "  CPU %.1f ms per run (perf stat, 15 runs)\n", $1}'
  strace -f -c -o /tmp/linkmoor-speed.strace "$check" --no-internet --json "$site" >/dev/null || true
  awk '$NF ~ /^(newfstatat|openat|faccessat2|close|getdents64|read|futex)$/ {
         printf "  %-12s %7d calls\n", $NF, ($4 ~ /^[0-9]+$/ ? $4 : $3) }' /tmp/linkmoor-speed.strace
done
