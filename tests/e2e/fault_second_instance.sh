# A second start of the product while the first one's flash runs, without and with the argument
# 1: each ends at once as already running, deletes nothing (neither a working file nor the Run
# value), and the flash goes on and ends as usual.
# shellcheck shell=sh disable=SC1003,SC2012
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/run_common.sh"
. "$(dirname "$0")/fault_common.sh"

run_prepare fault_second_instance
run_reset
run_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
e2e_wine reg add "$run_key" /v BIOSUpdate /t REG_SZ /d 'C:\bin\BIOSUpdate.exe 1' /f >/dev/null ||
    e2e_fail "cannot set the Run value"

second_starts() {
    before=$(ls -A "$RUN_WORK" | fault_sorted)
    # shellcheck disable=SC2086 # one name per word
    e2e_check_eq "working folder while the utility runs" \
        "$(fault_sorted $RUN_DEPLOYED ZKRBTF11.IMC BIOS.bak)" "$before"
    for text in "$E2E_PRODUCT" "$E2E_PRODUCT 1"; do
        e2e_launch -- "$text"
        e2e_check_eq "'$text' during the flash: exit status (already running)" 1618 "$E2E_EXIT"
        e2e_check_eq "'$text' during the flash: working folder" "$before" \
            "$(ls -A "$RUN_WORK" | fault_sorted)"
        e2e_reg_query "$run_key" BIOSUpdate || e2e_fail "'$text' deleted the Run value"
        e2e_pass "'$text' during the flash: the Run value stays"
    done
    e2e_check_no_file "the first instance's utility still runs" "$RUN_STANDIN_LOG"
}

# Long enough for both starts to come and go while it runs.
RUN_FLASH_MS=8000
RUN_ON_START=second_starts
run_update ZKRBTF10
run_check_flash
e2e_reg_query "$run_key" BIOSUpdate || e2e_fail "the Run value went"
e2e_pass "the Run value stays after the run"
