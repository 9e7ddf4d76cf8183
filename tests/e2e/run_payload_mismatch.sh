# A read-only PHLASH.INI of other content, left from an earlier run, cannot be replaced by the
# deployment: the working folder does not hold our files, so nothing is flashed although the
# image is newer; the run ends as for a machine the image is not for.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/run_common.sh"

run_prepare run_payload_mismatch
run_reset
mkdir -p "$RUN_WORK" || e2e_fail "cannot create the working folder"
printf '[Main]\r\nUpdateMode=0\r\n' >"$RUN_WORK/PHLASH.INI"
cp "$RUN_WORK/PHLASH.INI" "$E2E_WORK/old.ini"
chmod a-w "$RUN_WORK/PHLASH.INI"
run_update ZKRBTF10
e2e_check_eq "exit status" 34 "$RUN_EXIT"
run_check_end "$(run_done_ms 34)"
e2e_check_eq "stand-in runs" "" "$RUN_LOG"
run_check_marker
# The clean-up cannot take the read-only file either, so it and the folder stay.
e2e_check_eq "working folder content" PHLASH.INI "$(ls -A "$RUN_WORK")"
e2e_check_same_file "the old settings file" "$E2E_WORK/old.ini" "$RUN_WORK/PHLASH.INI"
