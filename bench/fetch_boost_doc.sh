#!/usr/bin/env bash
# Fetches the Boost HTML documentation that Debian's libboost1.81-doc ships into a
# folder (default /tmp/linkmoor-boost) without installing it, and prints the folder
# that holds the pages. Nothing is fetched when the folder is already filled.
set -euo pipefail
work=${LINKMOOR_BOOST_DIR:-/tmp/linkmoor-boost}
mkdir -p "$work"
cd "$work"
if [ ! -d root/usr/share/doc/libboost1.81-doc/doc/html ]; then
  apt-get download libboost1.81-doc >/dev/null 2>&1
  dpkg-deb -x libboost1.81-doc_*.deb root
fi
echo "$work/root/usr/share/doc/libboost1.81-doc/doc/html"
