# The installed BIOS is newer than the image (F11A reads as the hexadecimal 0xF11A): nothing is
# flashed, the run ends on the installed-newer status.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/run_common.sh"

run_prepare run_installed_newer
for version in ZKRBTF12 ZKRBTF11A; do
    e2e_note "installed BIOS '$version'"
    run_reset
    run_update "$version"
    run_check_no_flash 32
done
