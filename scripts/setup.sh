#!/bin/sh
# Installs what the build and the tests need on a Debian machine (run as root).
# Idempotent: when everything is present it only checks and returns.
set -eu

PACKAGES="cmake make g++ clang libclang-rt-14-dev libgtest-dev googletest clang-format
g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64 xvfb xauth imagemagick
locales fonts-nanum util-linux python3"

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "setup: installing$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq || true
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

# The Korean and English locales that the Wine runs select with LC_ALL.
for loc in ko_KR en_US; do
    if ! locale -a 2>/dev/null | grep -qi "^${loc}\.utf-\?8$"; then
        echo "setup: generating locale $loc.UTF-8"
        localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
    fi
done
echo "setup: ready"
