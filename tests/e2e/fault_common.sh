# shellcheck shell=sh disable=SC1003,SC2034,SC2119,SC2120,SC2153
# (backslashes in single quotes are Windows paths; the variables set here are read by
# run_common.sh and the scenarios, and those of run_common.sh here)
# Shared steps of the fault scenarios (sourced after lib.sh and run_common.sh): the product's own
# error box, the mount namespace of a small disk, Program Files paths of a given length.

# The caption of the product's own boxes: the executable's name without its extension.
FAULT_APP_CAPTION=BIOSUpdate
FAULT_PAGE=$(getconf PAGESIZE)

# fault_pages FILE...: how many pages of a tmpfs the files take, each rounded up to whole pages.
fault_pages() {
    pages=0
    for file in "$@"; do
        size=$(stat -c %s "$file") || e2e_fail "no file $file"
        pages=$((pages + (size + FAULT_PAGE - 1) / FAULT_PAGE))
    done
    echo "$pages"
}

# fault_error_box WHAT CAUSE_REGEX FILE: the product's file-error box is up with a stop icon, the
# platform's text for the cause on its first line and FILE (a Windows path) on its second; it is
# answered OK. The whole text is in FAULT_BOX_TEXT.
fault_error_box() {
    e2e_ui shown "$FAULT_APP_CAPTION" 30000 || e2e_fail "$1: no error box: $E2E_UI"
    e2e_ui text "$FAULT_APP_CAPTION" || e2e_fail "$1: cannot read the error box"
    FAULT_BOX_TEXT=$(e2e_kv text "$E2E_UI")
    e2e_note "$1: box text '$FAULT_BOX_TEXT'"
    e2e_check_eq "$1: box icon" error "$(e2e_kv icon_kind "$E2E_UI")"
    e2e_check_eq "$1: box buttons" OK "$(printf '%s\n' "$E2E_UI" | sed -n 's/^button=//p' | tr '\n' ' ' | sed 's/ $//')"
    e2e_check_match "$1: box names the cause" "^$2\\\\n" "$FAULT_BOX_TEXT"
    e2e_check_eq "$1: box names the file" "$3" "${FAULT_BOX_TEXT#*\\n}"
    e2e_ui press "$FAULT_APP_CAPTION" ok || e2e_fail "$1: the error box took no answer: $E2E_UI"
}

# fault_server_pid: the host process id of the current prefix's wineserver (empty when none runs).
fault_server_pid() {
    for proc in /proc/[0-9]*; do
        case $(readlink "$proc/exe" 2>/dev/null) in
            */wineserver*) ;;
            *) continue ;;
        esac
        if tr '\0' '\n' <"$proc/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$E2E_PREFIX"; then
            echo "${proc#/proc/}"
            return 0
        fi
    done
}

# fault_wait_server: waits until the current prefix's wineserver runs. On a small disk the product
# must be the program that starts it: the server creates and removes the files in its own mount
# namespace, while each program looks names up in its own, so a server that a UI driver started
# in another namespace (with another tmpfs) would see files that the product cannot find again.
# Give it as RUN_ON_LAUNCH.
fault_wait_server() {
    tries=0
    while [ -z "$(fault_server_pid)" ]; do
        tries=$((tries + 1))
        [ "$tries" -lt 600 ] || e2e_fail "no wineserver started for $E2E_PREFIX"
        sleep 0.05
    done
}

# fault_hold_disk: keeps the running product's mount namespace, and the small disk in it, alive
# after the product and its server have ended, so that what the run left there can be listed
# (fault_disk_ls). Call it while the product runs. The holder ends with the script.
fault_hold_disk() {
    server=$(fault_server_pid)
    [ -n "$server" ] || e2e_fail "no wineserver runs for $E2E_PREFIX"
    nsenter -t "$server" -m sleep 600 &
    printf '%s\n' "$!" >"$E2E_WORK/disk-holder.pid"
    E2E_BG_TAGS="$E2E_BG_TAGS disk-holder"
    FAULT_DISK_HOLDER=$!
}

# fault_disk_ls HOST-PATH: the names in that folder as the product saw it (on its small disk),
# in the order of fault_sorted.
fault_disk_ls() {
    nsenter -t "$FAULT_DISK_HOLDER" -m ls -A "$1" | fault_sorted
}

# fault_sorted [NAME...]: the names (or the lines of stdin) sorted bytewise, on one line.
fault_sorted() {
    if [ "$#" -gt 0 ]; then printf '%s\n' "$@" | fault_sorted; return; fi
    LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//'
}

# fault_release_disk: ends the holder (and so the small disk) before the next run.
fault_release_disk() {
    kill "$FAULT_DISK_HOLDER" 2>/dev/null
    wait "$FAULT_DISK_HOLDER" 2>/dev/null
    # Gone: the script's end must not signal whatever process gets that id later.
    rm -f "$E2E_WORK/disk-holder.pid"
    return 0
}

# fault_program_files_of_length N: a Windows path of exactly N characters under C:\, in folders
# of at most 100 characters made of blank-separated words, as real folder names are (a box can
# then wrap the path to the screen's width).
fault_program_files_of_length() {
    path='C:\PF'
    while [ "${#path}" -lt "$1" ]; do
        room=$(($1 - ${#path} - 1))
        if [ "$room" -le 0 ]; then
            path="${path}p"
            break
        fi
        if [ "$room" -gt 100 ]; then room=100; fi
        # Words of nine letters; a folder name never ends in a blank.
        folder=$(awk -v n="$room" 'BEGIN {
            for (i = 1; i <= n; i++) printf "%s", (i % 10 == 0 && i < n) ? " " : "p" }')
        path="$path\\$folder"
    done
    printf '%s\n' "$path"
}

# fault_use_program_files 'C:\path': Program Files for the next runs, with the working folder,
# the host path and the utility's expected command line that go with it.
fault_use_program_files() {
    e2e_program_files "$1"
    RUN_WORK_WIN="$1\\BIOSUPDATE"
    RUN_WORK=$(e2e_host_path "$RUN_WORK_WIN")
    RUN_FLASH_CMDLINE="\"$RUN_WORK_WIN\\SWinFlash.exe\" /BU=BIOS.bak /C /MFG /P /S /V /mode=2 ZKRBTF11.IMC"
}

# fault_tree: every path under C:\PF (the long Program Files folders) and C:\BIOSUPDATE (the root
# of the drive), one a line: a run that writes nowhere else leaves it as it was.
fault_tree() {
    (cd "$E2E_DRIVE_C" && find PF BIOSUPDATE 2>/dev/null | LC_ALL=C sort)
}

# fault_check_no_run_traces STATUS: the run ended with STATUS, ran no utility and wrote no marker.
fault_check_no_run_traces() {
    e2e_check_eq "exit status" "$1" "$RUN_EXIT"
    e2e_check_eq "stand-in runs" "" "$RUN_LOG"
    if e2e_reg_query "$RUN_MARKER_KEY" Version; then
        e2e_fail "a version marker was written: $E2E_REG_TYPE $E2E_REG_DATA"
    fi
    e2e_pass "no version marker"
}

# fault_check_process_end DONE_MS: the process ended after the done message due DONE_MS after the
# Yes and the window's teardown. For runs where the utility's going does not mark the clean-up.
fault_check_process_end() {
    run_check_between "end of the process after the Yes" $(($1 - RUN_EARLY_MS)) \
        $(($1 + RUN_LATE_MS + RUN_TEARDOWN_MS)) "$RUN_T_END"
}

# fault_after_image MS: waits until the image has appeared in the working folder, then until MS
# ms after that. Called from a run_update hook at moment 0, it places an action on the worker's
# own timeline: the image is written right before the worker starts, and the worker then checks
# our files at about 7 s and starts the utility at about 12 s of its run, however long the
# preparation took.
fault_after_image() {
    e2e_wait_file "$RUN_WORK/ZKRBTF11.IMC" 30000 "the image was never written"
    fault_t_due=$(($(run_now_ms) + $1))
    while [ "$(run_now_ms)" -lt "$fault_t_due" ]; do sleep 0.02; done
}

# fault_no_hooks: none of run_update's hooks from an earlier run.
fault_no_hooks() {
    RUN_ON_LAUNCH=""
    RUN_ON_PROMPT=""
    RUN_ON_START=""
    RUN_AT_MS=""
    RUN_AT_ACTION=""
    RUN_ON_END=""
}
