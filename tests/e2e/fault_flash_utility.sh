# The flash utility misbehaves, an installed BIOS older than the image each time:
# - it is deleted from the working folder after deployment, before the check of our files (the
#   folder no longer holds them: nothing is started, cannot-update status) and between that check
#   and its start (the start fails: the run ends as after a flash, on the not-started status);
# - it ends with a failure status, or crashes: the run ends as after a flash;
# - it runs long: a close request during the flash removes what it can, but the window stays up,
#   the run goes on and ends only when the utility ends.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/run_common.sh"
. "$(dirname "$0")/fault_common.sh"

run_prepare fault_flash_utility
title="BIOS Update Program"

delete_utility() {
    fault_after_image "$delete_ms"
    rm -f "$RUN_WORK/SWinFlash.exe" || e2e_fail "cannot delete the utility"
    e2e_note "SWinFlash.exe deleted $delete_ms ms after the image was written"
}

# --- Deleted after deployment ---------------------------------------------------------------------
# Counted from the image's writing, which the worker's start follows at once: it checks our files
# at about 7 s and starts the utility at about 12 s.
while read -r delete_ms status done_ms what <&3; do
    e2e_note "utility deleted $what"
    run_reset
    fault_no_hooks
    RUN_AT_MS=0
    RUN_AT_ACTION=delete_utility
    run_update ZKRBTF10
    e2e_check_eq "deleted $what: exit status" "$status" "$RUN_EXIT"
    fault_check_process_end "$done_ms"
    e2e_check_eq "deleted $what: stand-in runs" "" "$RUN_LOG"
    run_check_marker
    e2e_check_no_file "deleted $what: working folder after the run" "$RUN_WORK"
done 3<<EOF
3500 34 12500 before-the-check
9500 43 $RUN_FLASH_START_MS after-the-check
EOF

# --- A failure status and a crash -------------------------------------------------------------------
while read -r setting expect_exit expect_crash <&3; do
    e2e_note "utility run with $setting"
    run_reset
    fault_no_hooks
    run_update ZKRBTF10 --env "$setting"
    run_check_flash
    e2e_check_eq "$setting: the utility's exit status" "$expect_exit" "$(e2e_field "$RUN_LOG" exit)"
    e2e_check_eq "$setting: the utility crashed" "$expect_crash" "$(e2e_field "$RUN_LOG" crash)"
done 3<<EOF
BIOSUPDATE_STANDIN_EXIT=1 1 0
BIOSUPDATE_STANDIN_CRASH=1 0 1
EOF

# --- A long flash and a close request -----------------------------------------------------------------
long_ms=10000
# As the utility starts: the close request; halfway through the flash: the window is up, the
# utility still runs, the clean-up of the close request took the files it could.
close_during_flash() {
    halfway=$(($(run_now_ms) + long_ms / 2))
    e2e_ui send "$title" close || e2e_fail "WM_CLOSE: $E2E_UI"
    e2e_check_eq "WM_CLOSE during the flash answered" 0 "$(e2e_kv result "$E2E_UI")"
    while [ "$(run_now_ms)" -lt "$halfway" ]; do sleep 0.05; done
    e2e_ui info "$title" || e2e_fail "the window went during the flash: $E2E_UI"
    e2e_check_eq "window during the flash, after WM_CLOSE" "1 0,0,1024,768 1" \
        "$(e2e_kv visible "$E2E_UI") $(e2e_kv rect "$E2E_UI") $(e2e_kv topmost "$E2E_UI")"
    e2e_check_no_file "the utility has not ended" "$RUN_STANDIN_LOG"
    # The clean-up takes what is not held open (by the utility, or for it); whatever stays is
    # still our payload.
    e2e_check_ours_or_gone "after WM_CLOSE" "$RUN_WORK"
    e2e_check_file "the utility's backup stays" "$RUN_WORK/BIOS.bak"
}
run_reset
fault_no_hooks
RUN_FLASH_MS=$long_ms
RUN_ON_START=close_during_flash
run_update ZKRBTF10
e2e_check_eq "long flash: exit status" 3010 "$RUN_EXIT"
e2e_check_eq "long flash: stand-in runs" 1 "$(printf '%s\n' "$RUN_LOG" | grep -c .)"
e2e_check_eq "long flash: utility result" flashed "$(e2e_field "$RUN_LOG" result)"
run_check_between "long flash: the utility ran its whole time" $((long_ms - RUN_EARLY_MS)) \
    $((long_ms + RUN_LATE_MS)) $((RUN_T_UTILITY_END - RUN_T_START))
run_check_between "long flash: the process ended after the utility" 0 \
    $((RUN_LATE_MS + RUN_TEARDOWN_MS)) $((RUN_T_END - RUN_T_UTILITY_END))
run_check_marker
e2e_check_eq "long flash: working folder content" "" "$(ls -A "$RUN_WORK")"
