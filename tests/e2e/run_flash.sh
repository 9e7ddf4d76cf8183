# An installed BIOS older than the image, in either letter case: the stand-in utility runs once
# and the run ends as after a flash.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/run_common.sh"

run_prepare run_flash
for version in ZKRBTF10 zkrbtf10; do
    e2e_note "installed BIOS $version"
    run_reset
    run_update "$version"
    run_check_flash
done
