# shellcheck shell=sh disable=SC1003
# Shared steps of the update-run scenarios (sourced after lib.sh): one whole run of the product on
# a faked notebook, the prompt answered Yes, with the moments that matter measured from the Yes.

# The stand-in's flash time: short, so the scenarios stay quick.
RUN_FLASH_MS=${RUN_FLASH_MS:-1500}
RUN_WORK_WIN='C:\Program Files\BIOSUPDATE'
RUN_MARKER_KEY='HKU\.DEFAULT\Software\Tavren\BIOSUPDATE\Parameters'
RUN_MARKER_TEXT='1.1509.0114.02'
RUN_STANDIN_LOG_WIN='C:\standin.log'
# The utility's command line when Program Files is C:\Program Files.
RUN_FLASH_CMDLINE='"C:\Program Files\BIOSUPDATE\SWinFlash.exe" /BU=BIOS.bak /C /MFG /P /S /V /mode=2 ZKRBTF11.IMC'
RUN_DEPLOYED="SWinFlash.exe mfc42.dll msvcp60.dll msvcrt.dll PHLASH.INI PhlashLc.dll Phlash9X.vxd PhlashNT.sys"

run_now_ms() { date +%s%3N; }

# The timeline from the Yes, in ms: 2000 of the opening pause and 500 to the start tick, then the
# worker's own 1000 of start pause and the pauses of its decision. Tolerance: the Yes is stamped
# when the driver's answer has returned, a little after the prompt took it, hence the small
# allowance for earlier moments; later ones may add the work between the pauses (the WMI query,
# the deployment, the image write) and, for the end of the process, the window's teardown, which
# takes about 2 s under Wine with Xvfb.
RUN_EARLY_MS=300
RUN_LATE_MS=1500
RUN_TEARDOWN_MS=3500
RUN_FLASH_START_MS=14500  # 131 at 3 s, 132 at 5 s, 135 at 7 s, 137 at 11 s, the utility at 12 s

# run_prepare NAME: the scenario, its prefix, a display and the installed product.
run_prepare() {
    e2e_begin "$1"
    e2e_prefix_new main
    e2e_xvfb_start
    e2e_install_product
    RUN_WORK=$(e2e_host_path "$RUN_WORK_WIN")
    RUN_STANDIN_LOG=$(e2e_host_path "$RUN_STANDIN_LOG_WIN")
}

# run_reset: nothing left of an earlier run (marker, working folder, the stand-in's record).
run_reset() {
    e2e_wine reg delete 'HKU\.DEFAULT\Software\Tavren' /f >/dev/null 2>&1 || true
    if [ -d "$RUN_WORK" ]; then chmod -R u+w "$RUN_WORK"; fi
    rm -rf "$RUN_WORK" "$RUN_STANDIN_LOG"
}

# run_update BIOS_VERSION [e2e_product_start options...]: one run answered Yes, on mains power
# with the battery at 80 % unless RUN_AC (1, 0 or none) and RUN_BATTERY (a per cent or none) say
# otherwise. Sets RUN_EXIT, RUN_T_START (ms from the Yes to the utility's start, as its backup
# appears; empty when it never ran), RUN_T_UTILITY_END (as its record is written), RUN_T_CLEAN
# (ms from the Yes to the clean-up of the done message), RUN_T_END (ms from the Yes to the end of
# the process) and RUN_LOG (the stand-in's record).
# Hooks for a caller that watches the run, all optional: RUN_ON_LAUNCH runs right after the
# product was started, before any other Windows program (the UI driver) is; RUN_ON_PROMPT runs
# while the prompt is up, RUN_ON_START when the utility is seen started, and RUN_AT_ACTION, with
# the moment as its argument, at each moment of RUN_AT_MS (ms after the Yes, blank-separated,
# ascending); RUN_ON_END once the product has ended, before the prefix's other programs are
# waited for (RUN_EXIT is set then).
run_update() {
    run_version=$1
    shift
    e2e_fake_sys "$run_version" "${RUN_AC:-1}" "${RUN_BATTERY:-80}"
    e2e_product_start --env "BIOSUPDATE_STANDIN_LOG=$RUN_STANDIN_LOG_WIN" \
        --env "BIOSUPDATE_STANDIN_FLASH_MS=$RUN_FLASH_MS" "$@"
    if [ -n "${RUN_ON_LAUNCH:-}" ]; then $RUN_ON_LAUNCH; fi
    e2e_ui wait "BIOS update" 60000 || e2e_fail "no prompt: $E2E_UI"
    if [ -n "${RUN_ON_PROMPT:-}" ]; then $RUN_ON_PROMPT; fi
    e2e_ui press "BIOS update" yes || e2e_fail "the prompt took no answer: $E2E_UI"
    run_t_yes=$(run_now_ms)
    run_pid=$(cat "$E2E_WORK/product.pid")
    RUN_T_START=""
    RUN_T_CLEAN=""
    run_deployed=0
    while kill -0 "$run_pid" 2>/dev/null; do
        run_t=$(run_now_ms)
        if [ -z "$RUN_T_START" ] && [ -e "$RUN_WORK/BIOS.bak" ]; then
            RUN_T_START=$((run_t - run_t_yes))
            if [ -n "${RUN_ON_START:-}" ]; then $RUN_ON_START; fi
        fi
        # The done message's handler takes the deployed files away: the moment the worker's
        # run ended, seen apart from the window's teardown.
        if [ -e "$RUN_WORK/SWinFlash.exe" ]; then
            run_deployed=1
        elif [ "$run_deployed" = 1 ] && [ -z "$RUN_T_CLEAN" ]; then
            RUN_T_CLEAN=$((run_t - run_t_yes))
        fi
        if [ -n "${RUN_AT_MS:-}" ] && [ $((run_t - run_t_yes)) -ge "${RUN_AT_MS%% *}" ]; then
            $RUN_AT_ACTION "${RUN_AT_MS%% *}"
            case $RUN_AT_MS in *" "*) RUN_AT_MS=${RUN_AT_MS#* } ;; *) RUN_AT_MS="" ;; esac
        fi
        [ $((run_t - run_t_yes)) -lt 120000 ] || e2e_fail "the run did not end within 120 s"
        sleep 0.02
    done
    RUN_T_END=$(($(run_now_ms) - run_t_yes))
    e2e_product_wait 10
    RUN_EXIT=$E2E_EXIT
    if [ -n "${RUN_ON_END:-}" ]; then $RUN_ON_END; fi
    e2e_wine_end
    RUN_LOG=""
    RUN_T_UTILITY_END=""
    if [ -f "$RUN_STANDIN_LOG" ]; then
        RUN_LOG=$(tr -d '\r' <"$RUN_STANDIN_LOG")
        # The stand-in appends its record as it ends.
        RUN_T_UTILITY_END=$(($(stat -c %.3Y "$RUN_STANDIN_LOG" | tr -d .) - run_t_yes))
    fi
    e2e_note "exit $RUN_EXIT; from the Yes: utility started at ${RUN_T_START:--} ms," \
        "ended at ${RUN_T_UTILITY_END:--} ms; files cleaned up at ${RUN_T_CLEAN:--} ms;" \
        "process ended at $RUN_T_END ms"
}

# run_check_marker: the version marker is the fixed text, stored as a string.
run_check_marker() {
    e2e_reg_query "$RUN_MARKER_KEY" Version || e2e_fail "no version marker"
    e2e_check_eq "version marker" "$RUN_MARKER_TEXT" "$E2E_REG_DATA"
    e2e_check_eq "version marker type" REG_SZ "$E2E_REG_TYPE"
}

# run_check_between WHAT LOW HIGH VALUE
run_check_between() {
    if [ -n "$4" ] && [ "$4" -ge "$2" ] && [ "$4" -le "$3" ]; then
        e2e_pass "$1: $4 ms (within $2..$3)"
    else
        e2e_fail "$1: '$4' ms, expected $2..$3"
    fi
}

# run_check_end DONE_MS: the worker's done message, due DONE_MS after the Yes, came in time (its
# clean-up shows it), and the process ended after it and the window's teardown.
run_check_end() {
    run_check_between "done message after the Yes" $(($1 - RUN_EARLY_MS)) $(($1 + RUN_LATE_MS)) \
        "$RUN_T_CLEAN"
    run_check_between "end of the process after the done message" 0 "$RUN_TEARDOWN_MS" \
        $((RUN_T_END - RUN_T_CLEAN))
}

# The moment of the done message in a run without a flash, by exit status: the cannot-update
# endings post it 3 s after 133 (at 7 s of the worker), the others 5 s after 141 or 142.
run_done_ms() {
    case $1 in
        31 | 34) echo 12500 ;;
        32 | 33) echo 14500 ;;
        *) e2e_fail "no timeline for exit status $1" ;;
    esac
}

# run_check_no_flash STATUS: the run ended with STATUS at its time, ran no utility, wrote the
# marker and took the working folder away.
run_check_no_flash() {
    e2e_check_eq "exit status" "$1" "$RUN_EXIT"
    run_check_end "$(run_done_ms "$1")"
    e2e_check_eq "stand-in runs" "" "$RUN_LOG"
    e2e_check_eq "utility start" "" "$RUN_T_START"
    run_check_marker
    e2e_check_no_file "working folder after the run" "$RUN_WORK"
}

# run_check_flash: the stand-in ran once, from the working folder, with the whole command line
# and every file beside it; the marker is written; the listed files and the backup are gone
# while the folder, which held the backup at the clean-up, stays.
run_check_flash() {
    e2e_check_eq "exit status" 3010 "$RUN_EXIT"
    e2e_check_eq "stand-in runs" 1 "$(printf '%s\n' "$RUN_LOG" | grep -c .)"
    e2e_check_eq "utility" "$RUN_WORK_WIN\\SWinFlash.exe" "$(e2e_field "$RUN_LOG" exe)"
    e2e_check_eq "utility command line" "$RUN_FLASH_CMDLINE" "$(e2e_field "$RUN_LOG" cmdline)"
    e2e_check_eq "utility current directory" "$RUN_WORK_WIN" "$(e2e_field "$RUN_LOG" cwd)"
    run_files=$(e2e_field "$RUN_LOG" files)
    for run_name in $RUN_DEPLOYED ZKRBTF11.IMC; do
        e2e_check_match "file beside the utility" "(^|,)$run_name(,|$)" "$run_files"
    done
    e2e_check_eq "utility result" flashed "$(e2e_field "$RUN_LOG" result)"
    run_check_between "utility start after the Yes" $((RUN_FLASH_START_MS - RUN_EARLY_MS)) \
        $((RUN_FLASH_START_MS + RUN_LATE_MS)) "$RUN_T_START"
    # After a flash the done message follows the utility's end at once.
    run_check_end "$RUN_T_UTILITY_END"
    run_check_marker
    e2e_check_file "working folder after the flash" "$RUN_WORK"
    e2e_check_eq "working folder content" "" "$(ls -A "$RUN_WORK")"
}
