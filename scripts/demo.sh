#!/bin/sh
# The product's main job, shown on a simulated notebook: builds BIOSUpdate.exe, runs one complete
# update run under Wine on a faked machine (installed BIOS, mains power and battery from a fake
# /sys/class), answers the prompt Yes and leaves what it saw in one folder: screenshots of the
# prompt and of the splash at several moments, the stand-in flash utility's record, the registry
# marker, the process exit status and a report of the timeline measured from the Yes.
#
#   scripts/demo.sh [--bios VERSION] [--ac 1|0|none] [--battery PERCENT|none] [--korean]
#                   [--flash-ms MS] [--out DIR] [--build DIR]
#
# The same settings as variables: DEMO_BIOS (default ZKRBTF10, older than the image ZKRBTF11),
# DEMO_AC (1), DEMO_BATTERY (80), DEMO_KOREAN (0 or 1), DEMO_FLASH_MS (the stand-in's flash time,
# 5000), DEMO_OUT (out/demo), DEMO_BUILD (build/windows). Run as root: the fake /sys/class is
# bound in a private mount namespace.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)

bios=${DEMO_BIOS-ZKRBTF10}
ac=${DEMO_AC:-1}
battery=${DEMO_BATTERY:-80}
korean=${DEMO_KOREAN:-0}
flash_ms=${DEMO_FLASH_MS:-5000}
out=${DEMO_OUT:-out/demo}
build=${DEMO_BUILD:-build/windows}

usage() {
    sed -n '8,9p' "$0" | sed 's/^# *//' >&2
    exit 2
}
while [ "$#" -gt 0 ]; do
    case $1 in
        --bios) bios=$2; shift ;;
        --ac) ac=$2; shift ;;
        --battery) battery=$2; shift ;;
        --korean) korean=1 ;;
        --flash-ms) flash_ms=$2; shift ;;
        --out) out=$2; shift ;;
        --build) build=$2; shift ;;
        *) usage ;;
    esac
    shift
done
case $out in /*) ;; *) out=$root/$out ;; esac
case $build in /*) ;; *) build=$root/$build ;; esac

scripts/setup.sh

echo "demo: building the product in $build"
cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" -j2 --target BIOSUpdate launcher ui_driver SWinFlash standin_image

# The end-to-end harness runs the product; it finds everything through these variables. It
# reports its own failures and ends the script on them, and tests results itself: no "set -e".
set +e
export BIOSUPDATE_E2E_ROOT="$build/demo-e2e"
export BIOSUPDATE_PRODUCT_EXE="$build/BIOSUpdate.exe"
export BIOSUPDATE_LAUNCHER_EXE="$build/tools/launcher/launcher.exe"
export BIOSUPDATE_UI_DRIVER_EXE="$build/tools/ui_driver/ui_driver.exe"
if [ "$korean" = 1 ]; then E2E_LOCALE=ko_KR.UTF-8; else E2E_LOCALE=en_US.UTF-8; fi
RUN_FLASH_MS=$flash_ms
RUN_AC=$ac
RUN_BATTERY=$battery
. "$root/tests/e2e/lib.sh"
. "$root/tests/e2e/run_common.sh"

rm -rf "$out"
mkdir -p "$out"

shot() {
    e2e_screenshot "$1"
    cp "$E2E_SHOT" "$out/$1.png"
    shots="$shots $1.png"
}
shots=""
on_prompt() { shot 1-prompt; }
# The splash while each status line is up (ms after the Yes): the first status (138), the
# second check-in line (132), then the decision's line (135 before a flash, else 133, 141 or 142).
RUN_AT_MS="4000 8500 11500"
at_moment() { shot "2-splash-at-${1}ms"; }
on_start() { shot 3-splash-flashing; }
RUN_ON_PROMPT=on_prompt
RUN_AT_ACTION=at_moment
RUN_ON_START=on_start

echo "demo: installed BIOS '$bios', mains $ac, battery $battery, $E2E_LOCALE"
run_prepare demo
run_reset
run_update "$bios"

# What the run left behind.
if [ -f "$RUN_STANDIN_LOG" ]; then
    cp "$RUN_STANDIN_LOG" "$out/standin-record.txt"
else
    echo "(the flash utility did not run)" >"$out/standin-record.txt"
fi
marker="(no marker)"
if e2e_reg_query "$RUN_MARKER_KEY" Version; then marker="$E2E_REG_DATA ($E2E_REG_TYPE)"; fi
printf '%s\\Version = %s\n' "$RUN_MARKER_KEY" "$marker" >"$out/registry-marker.txt"
echo "$RUN_EXIT" >"$out/exit-status.txt"

meaning() {
    case $1 in
        3010) echo "the flash utility ran to its end (reboot required)" ;;
        43) echo "the image was newer but the flash utility could not be started" ;;
        30) echo "no image in the working folder: nothing flashed" ;;
        31) echo "the image is not for this machine (or its BIOS could not be read): nothing flashed" ;;
        32) echo "the installed BIOS is newer: nothing flashed" ;;
        33) echo "the installed BIOS has the image's revision: nothing flashed" ;;
        34) echo "the working folder did not hold our files: nothing flashed" ;;
        20) echo "refused: not on mains power" ;;
        21) echo "refused: battery charge outside 20..100 %" ;;
        22) echo "refused: the power status could not be read" ;;
        40) echo "a payload or the image could not be written" ;;
        41) echo "the worker thread could not be started" ;;
        1602) echo "the user answered No" ;;
        *) echo "see the README's exit status table" ;;
    esac
}
ms() { if [ -n "$1" ]; then echo "$1 ms"; else echo "-"; fi; }
{
    echo "BIOS update demo run, $(date -u '+%Y-%m-%d %H:%M:%S UTC')"
    echo
    echo "Simulated notebook: installed BIOS '$bios', mains power $ac, battery $battery %, locale $E2E_LOCALE"
    echo "Image carried by the product: ZKRBTF11.IMC (family ZKRBT, revision 0xF11)"
    echo "Process exit status: $RUN_EXIT ($(meaning "$RUN_EXIT"))"
    echo "Version marker: $marker"
    echo
    case $RUN_EXIT in
        20 | 21 | 22)
            echo "The power gate refused the run: the first box (1-prompt.png) was its message, not the"
            echo "prompt; it was closed, and nothing was deployed, shown or written."
            echo
            ;;
    esac
    echo "Timeline, measured from the moment the prompt was answered Yes:"
    echo "  flash utility started (its backup appeared)   $(ms "$RUN_T_START")   (expected 14500 ms: 2.5 s opening, 1 s start pause, 11 s of status lines)"
    echo "  flash utility ended (its record written)      $(ms "$RUN_T_UTILITY_END")   (stand-in flash time $flash_ms ms)"
    echo "  working files removed (the done message)      $(ms "$RUN_T_CLEAN")"
    echo "  process ended                                 $(ms "$RUN_T_END")"
    echo
    echo "Screenshots:$shots"
    echo "Flash utility record: standin-record.txt"
} >"$out/report.txt"
cat "$out/report.txt"
echo "demo: everything is in $out"
