# Program Files paths that leave no room for the working folder's files, and a Program Files query
# that fails: deployment is refused with a file error (the stop box, then the run ends) and nothing
# is written anywhere, neither under a cut path nor at the root of the drive. At 235 characters the
# utility's path is 260 long, one more than the "A" functions take; 259 is the longest that the
# platform reports at all (a longer value gives its default folder, see fault_path_flash).
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/run_common.sh"
. "$(dirname "$0")/fault_common.sh"

run_prepare fault_path_refused

on_box() {
    fault_error_box "$case_name" "$case_cause" "$case_file"
}

refused_run() {
    run_reset
    before=$(fault_tree)
    fault_no_hooks
    RUN_AT_MS=0
    RUN_AT_ACTION=on_box
    run_update ZKRBTF10
    fault_check_no_run_traces 40
    e2e_check_eq "$case_name: nothing written under C:\\PF or at C:\\BIOSUPDATE" "$before" "$(fault_tree)"
}

# Wine's texts for ERROR_FILENAME_EXCED_RANGE and ERROR_PATH_NOT_FOUND.
too_long="File name is too long\\."
for length in 235 259; do
    case_name="Program Files of $length characters"
    pf=$(fault_program_files_of_length "$length")
    e2e_check_eq "$case_name: length" "$length" "${#pf}"
    fault_use_program_files "$pf"
    case_cause=$too_long
    case_file="$RUN_WORK_WIN\\SWinFlash.exe"
    refused_run
done

case_name="failed Program Files query"
host_root_before=$(ls -d /BIOSUPDATE 2>/dev/null)
e2e_program_files --no-folder 'C:\No Such Program Files'
case_cause="Path not found\\."
case_file='\BIOSUPDATE'
refused_run
e2e_check_no_file "$case_name: the folder it names" "$(e2e_host_path 'C:\No Such Program Files')"
e2e_check_eq "$case_name: the host's /BIOSUPDATE (Wine's Z:)" "$host_root_before" \
    "$(ls -d /BIOSUPDATE 2>/dev/null)"
