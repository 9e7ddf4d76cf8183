# The installed BIOS holds the image's revision (the reading of the revision skips a leading
# blank): nothing is flashed, the run ends on the same-version status.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/run_common.sh"

run_prepare run_same_revision
for version in ZKRBTF11 'ZKRBT F11'; do
    e2e_note "installed BIOS '$version'"
    run_reset
    run_update "$version"
    run_check_no_flash 33
done
