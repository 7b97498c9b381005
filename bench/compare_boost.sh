#!/usr/bin/env bash
# Times linkmoor-check --no-internet beside checklink (Debian's w3c-linkchecker) and
# linkinator (npm), all three on local files only, on the Boost HTML manual that
# Debian's libboost1.81-doc ships (3,904 pages, 60 MB; fetched by fetch_boost_doc.sh,
# not installed). Prints our median of nine runs, our peak memory beside the largest
# page, the peers' times (one run each) and the ratios.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${LINKMOOR_BUILD:-$top/build}
work=${LINKMOOR_PEER_DIR:-/tmp/linkmoor-peers-boost}
mkdir -p "$work/out"
site=$("$top/bench/fetch_boost_doc.sh")

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
command -v checklink >/dev/null || {
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends w3c-linkchecker
}
linkinator=$work/npm/node_modules/.bin/linkinator
httpserver=$work/npm/node_modules/.bin/http-server
[ -x "$linkinator" ] && [ -x "$httpserver" ] || (mkdir -p "$work/npm" && cd "$work/npm" &&
  npm install --silent --no-audit --no-fund linkinator http-server >/dev/null)

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target linkmoor-check >/dev/null
check=$build/bin/linkmoor-check

pages=$(find "$site" \( -name '*.html' -o -name '*.htm' \) | wc -l)
bytes=$(find "$site" \( -name '*.html' -o -name '*.htm' \) -printf '%s\n' | awk '{s+=$1} END {print s}')
largest=$(find "$site" \( -name '*.html' -o -name '*.htm' \) -printf '%s\n' | sort -n | tail -1)
echo "site: $site ($pages pages, $bytes bytes of HTML, largest page $largest bytes)"

seconds() { # command... -> elapsed seconds
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || true
  end=$(date +%s.%N)
  awk "BEGIN {print $end - $start}"
}

"$check" --no-internet --json "$site" >"$work/out/ours.json" || true # warm the page cache
runs=()
for _ in $(seq 9); do
  runs+=("$(seconds "$check" --no-internet --json "$site")")
done
ours=$(printf '%s\n' "${runs[@]}" | sort -n | sed -n 5p)
echo "linkmoor-check runs: ${runs[*]}"
peak=$(/usr/bin/python3 -c 'import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)' "$check" --no-internet --json "$site")

cl=$(seconds sh -c "checklink --follow-file-links -r -q -X '^(https?|ftp|mailto|news|irc):' 'file://$site/index.html' >'$work/out/checklink.txt' 2>&1")
# linkinator checks a folder through a web server. Its own stops at the first
# malformed %-escape in these pages (URIError), and Python's http.server refuses
# connections under linkinator's 100 at once (status 0 for pages that exist), so
# the folder is served by http-server (npm) on 127.0.0.1, which keeps up with it.
# The crawl starts at the folder: linkinator recurses only below its start URL.
# Every other host is skipped.
port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$httpserver" "$site" -a 127.0.0.1 -p "$port" -s -c-1 >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
for _ in $(seq 50); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break; sleep 0.1; done
li=$(seconds sh -c "'$linkinator' 'http://127.0.0.1:$port/' --recurse --skip '^(?!http://127\\.0\\.0\\.1)' --format csv >'$work/out/linkinator.csv' 2>'$work/out/linkinator.err'")
fetched=$(awk -F, 'NR > 1 && $2 == 200' "$work/out/linkinator.csv" | wc -l)
failed=$(awk -F, 'NR > 1 && $2 == 0' "$work/out/linkinator.csv" | wc -l)
echo "linkinator: $(($(wc -l <"$work/out/linkinator.csv") - 1)) links, $fetched answered 200, $failed without an answer"

printf '\n%-16s %12s %10s\n' "checker" "seconds" "ratio"
printf '%-16s %12.3f %10s\n' "linkmoor-check" "$ours" "1"
printf '%-16s %12.3f %10.0f\n' "checklink" "$cl" "$(awk "BEGIN {print $cl / $ours}")"
printf '%-16s %12.3f %10.0f\n' "linkinator" "$li" "$(awk "BEGIN {print $li / $ours}")"
echo "linkmoor-check peak memory: ${peak} KiB; largest page: $((largest / 1024)) KiB"
echo "outputs: $work/out/"
