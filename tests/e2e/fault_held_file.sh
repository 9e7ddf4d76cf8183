# Another program holds SWinFlash.exe of an earlier run open, without sharing, for the whole run.
# Deployment cannot replace it and writes the other seven; the working folder then does not hold
# our files, so the run flashes nothing although the image is newer: it ends on the cannot-update
# status with the marker written. The clean-up leaves the held file, with its old content, and
# the folder.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/run_common.sh"
. "$(dirname "$0")/fault_common.sh"

run_prepare fault_held_file
run_reset
held_win="$RUN_WORK_WIN\\SWinFlash.exe"
release_win='C:\release-hold'
release=$(e2e_host_path "$release_win")
rm -f "$release"
mkdir -p "$RUN_WORK" || e2e_fail "cannot create the working folder"
printf 'MZ an older flash utility, not this system'"'"'s\r\n' >"$RUN_WORK/SWinFlash.exe"
cp "$RUN_WORK/SWinFlash.exe" "$E2E_WORK/old.exe"

e2e_wine "$BIOSUPDATE_WIN_PROBE_EXE" hold "$held_win" 300000 "$release_win" \
    >"$E2E_WORK/holder.out" 2>&1 </dev/null &
printf '%s\n' "$!" >"$E2E_WORK/holder.pid"
E2E_BG_TAGS="$E2E_BG_TAGS holder"
tries=0
until grep -q '^held=' "$E2E_WORK/holder.out"; do
    tries=$((tries + 1))
    [ "$tries" -lt 600 ] || e2e_fail "the holder did not open $held_win"
    sleep 0.05
done
e2e_check_eq "the other program holds the old utility" 1 "$(e2e_kv held "$(cat "$E2E_WORK/holder.out")")"

# Once the image is written (and the worker started, so it is complete): the held file is the
# old one, every other deployed file and the image are ours.
after_deployment() {
    fault_after_image 1000
    e2e_check_same_file "held file kept by the deployment" "$E2E_WORK/old.exe" "$RUN_WORK/SWinFlash.exe"
    for id_name in 154:mfc42.dll 156:msvcp60.dll 157:msvcrt.dll 158:PHLASH.INI 160:PhlashLc.dll \
        159:Phlash9X.vxd 161:PhlashNT.sys 168:ZKRBTF11.IMC; do
        payload=""
        eval "payload=\$BIOSUPDATE_PAYLOAD_${id_name%%:*}"
        e2e_check_same_file "deployed beside it" "$payload" "$RUN_WORK/${id_name#*:}"
    done
}

# The run is over and the file still held: what the clean-up could not take stays.
at_end() {
    e2e_check_eq "working folder after the run" SWinFlash.exe "$(ls -A "$RUN_WORK")"
    e2e_check_same_file "held file after the clean-up" "$E2E_WORK/old.exe" "$RUN_WORK/SWinFlash.exe"
    touch "$release"
}

RUN_AT_MS=0
RUN_AT_ACTION=after_deployment
RUN_ON_END=at_end
run_update ZKRBTF10
e2e_check_eq "the holder held to the end" "released=file" \
    "$(grep '^released=' "$E2E_WORK/holder.out" | tr -d '\r')"

e2e_check_eq "exit status (not our files)" 34 "$RUN_EXIT"
# The utility's going cannot mark the done message's clean-up here: it is the held file.
fault_check_process_end "$(run_done_ms 34)"
e2e_check_eq "stand-in runs" "" "$RUN_LOG"
run_check_marker
