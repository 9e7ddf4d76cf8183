# Installed BIOS version texts that read in a less obvious way (the cases that the run_*
# scenarios leave out): a "0X" prefix before the revision is skipped, so ZKRBT0XF11 is the image's
# own revision; a revision too large for 32 bits reads as the largest value, so ZKRBTFFFFFFFFF is
# newer than the image. Neither is flashed.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/run_common.sh"

run_prepare fault_version_texts
while read -r version status <&3; do
    e2e_note "installed BIOS '$version'"
    run_reset
    run_update "$version"
    run_check_no_flash "$status"
done 3<<TABLE
ZKRBT0XF11 33
ZKRBTFFFFFFFFF 32
TABLE
