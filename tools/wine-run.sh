#!/bin/sh
# Runs a Windows test executable under Wine in the build's own prefix, quietly.
# Used as CMAKE_CROSSCOMPILING_EMULATOR, so ctest runs Windows tests like native ones.
: "${WINEPREFIX:=${BIOSUPDATE_WINEPREFIX:-$HOME/.wine-biosupdate-tests}}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
