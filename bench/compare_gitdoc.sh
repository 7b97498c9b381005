#!/usr/bin/env bash
# Compares the broken local links linkmoor-check --no-internet finds in the HTML
# manual of Debian's git-doc (fetched with apt-get download and unpacked, not
# installed) with those checklink (Debian's w3c-linkchecker) finds on the same
# tree through file:// URLs, every page given, recursion on, every other scheme
# skipped. Both are normalised to "page -> target file" (relative to the manual's
# folder); checklink's broken fragments are listed apart, since linkmoor-check
# does not check fragments. Prints the counts of each side, the pairs found by
# both, and the pairs only one side found.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${LINKMOOR_BUILD:-$top/build}
work=${LINKMOOR_GITDOC_DIR:-/tmp/linkmoor-gitdoc}
mkdir -p "$work/out"
cd "$work"

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
command -v checklink >/dev/null || {
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends w3c-linkchecker
}
if [ ! -d root/usr/share/doc/git-doc ]; then
  apt-get download git-doc >/dev/null 2>&1
  dpkg-deb -x git-doc_*.deb root
fi
site=$work/root/usr/share/doc/git-doc

[ -x "$build/bin/linkmoor-check" ] || {
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target linkmoor-check >/dev/null
}
"$build/bin/linkmoor-check" --json --no-internet "$site" >out/ours.json || true

# Every page as a start (index.html is a symbolic link to git.html: the link's name
# is given too, as linkmoor-check lists it), recursion inside the folder.
if [ ! -s out/checklink.txt ]; then
  find "$site" -name '*.html' | sort | sed 's|^|file://|' >out/checklink.urls
  start=$(date +%s.%N)
  xargs -a out/checklink.urls checklink --follow-file-links -r -q -b \
    -X '^(https?|ftp|mailto|news|irc|git|ssh|rsync):' >out/checklink.txt 2>out/checklink.err || true
  echo "checklink seconds: $(awk "BEGIN {print $(date +%s.%N) - $start}")" >out/checklink.time
fi

/usr/bin/python3 - "$site" out/ours.json out/checklink.txt <<'PY'
import json, re, sys, urllib.parse
site, ours_path, checklink_path = sys.argv[1:]
prefix = "file://" + site + "/"

def relative(url_or_path):
    t = url_or_path
    if t.startswith("file://"):
        t = urllib.parse.unquote(t[len("file://"):])
    return t[len(site) + 1:] if t.startswith(site + "/") else t

ours = set()
pages = 0
for line in open(ours_path):
    j = json.loads(line)
    pages += 1
    for r in j["rows"]:
        if r["type"] in ("Local link", "Site link"):
            target = r["target"].split("#")[0].split("?")[0]
            ours.add((j["file"], relative(target)))

theirs, fragments, page = set(), set(), None
lines = open(checklink_path, encoding="utf-8", errors="replace").read().split("\n")
i = 0
while i < len(lines):
    line = lines[i]
    if line.startswith("Processing\t"):
        page = relative(line.split("\t", 1)[1].strip())
    elif page and re.match(r"^[a-z]+:", line) and "\t" in line:
        url = line.split("\t")[0]
        block = []
        i += 1
        while i < len(lines) and lines[i].strip() and not re.match(r"^[a-z]+:", lines[i]):
            block.append(lines[i])
            i += 1
        code = next((b for b in block if b.strip().startswith("Code:")), "")
        if not url.startswith("file:"):
            continue
        if "Code: 200" in code:
            for b in block:
                m = re.match(r"^\t(\S+)\tLines?: ", b)
                if m:
                    fragments.add((page, relative(url) + "#" + urllib.parse.unquote(m.group(1))))
        else:
            theirs.add((page, relative(url)))
        continue
    i += 1

print(f"pages checked by linkmoor-check: {pages}")
print(f"broken local links (page -> file): linkmoor-check {len(ours)}, checklink {len(theirs)}, both {len(ours & theirs)}")
for name, pairs in (("only linkmoor-check", ours - theirs), ("only checklink", theirs - ours)):
    print(f"{name}: {len(pairs)}")
    for p, t in sorted(pairs):
        print(f"  {p} -> {t}")
script_like = {f for f in fragments if re.search(r"[\"+ ]", f[1])}
print(f"checklink broken fragments (not checked by linkmoor-check): {len(fragments)} "
      f"on {len({p for p, _ in fragments})} pages, {len(script_like)} of them read from script text")
for p, t in sorted(fragments - script_like):
    print(f"  {p} -> {t}")
PY
