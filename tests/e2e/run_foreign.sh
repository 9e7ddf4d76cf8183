# An installed BIOS of another family, or none reported at all: the image is not for this
# machine, nothing is flashed, the run ends on the cannot-update status.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/run_common.sh"

run_prepare run_foreign
for version in Wine ABCDEF10 ''; do
    e2e_note "installed BIOS '$version'"
    run_reset
    run_update "$version"
    run_check_no_flash 31
done
