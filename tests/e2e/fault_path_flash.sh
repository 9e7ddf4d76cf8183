# Long Program Files paths that still leave room for every file: a whole flash run at 178 and 179
# characters (where a command line of 254 characters would no longer hold the utility's) and at
# 234 (the longest with which the utility's path fits the "A" functions). The utility's command
# line arrives whole each time. A value of 300 characters is more than the platform reports: it
# answers with its default folder, so the run flashes in C:\Program Files and nothing is written
# under the long path.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/run_common.sh"
. "$(dirname "$0")/fault_common.sh"

run_prepare fault_path_flash

for length in 178 179 234; do
    pf=$(fault_program_files_of_length "$length")
    e2e_check_eq "Program Files length" "$length" "${#pf}"
    fault_use_program_files "$pf"
    e2e_note "Program Files of $length characters; the utility's command line has ${#RUN_FLASH_CMDLINE}"
    run_reset
    run_update ZKRBTF10
    run_check_flash
done

pf=$(fault_program_files_of_length 300)
e2e_program_files "$pf"
e2e_wine "$BIOSUPDATE_WIN_PROBE_EXE" folder >"$E2E_WORK/folder.out" </dev/null
e2e_check_eq "Program Files of 300 characters: what the platform reports" 'C:\Program Files' \
    "$(e2e_kv program_files "$(cat "$E2E_WORK/folder.out")")"
RUN_WORK_WIN='C:\Program Files\BIOSUPDATE'
RUN_WORK=$(e2e_host_path "$RUN_WORK_WIN")
RUN_FLASH_CMDLINE="\"$RUN_WORK_WIN\\SWinFlash.exe\" /BU=BIOS.bak /C /MFG /P /S /V /mode=2 ZKRBTF11.IMC"
run_reset
before=$(fault_tree)
run_update ZKRBTF10
run_check_flash
e2e_check_eq "nothing written under the 300-character path or a cut of it" "$before" "$(fault_tree)"
