# Another program replaces the image with one of the same family but other content after the
# worker has checked the working folder against our payloads and before it starts the flash
# utility. Nothing that is not our payload may be flashed: either the replacement is refused (the
# files are held from the check to the end of the flash) and the utility flashes our image, or it
# succeeds and nothing is flashed at all.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/run_common.sh"
. "$(dirname "$0")/fault_common.sh"

run_prepare fault_swap_after_check
run_reset
# A stand-in image of the family with other content: the utility would take it.
cp "$BIOSUPDATE_STANDIN_IMAGE" "$E2E_DRIVE_C/other.imc"
printf 'not this system'"'"'s image\r\n' >>"$E2E_DRIVE_C/other.imc"

swap_image() {
    fault_after_image 9500
    SWAPPED=0
    e2e_wine cmd /c copy /y 'C:\other.imc' "$RUN_WORK_WIN\\ZKRBTF11.IMC" >"$E2E_WORK/copy.out" \
        2>&1 </dev/null && SWAPPED=1
    e2e_note "9.5 s after the image was written, it was replaced: $SWAPPED ($(tr -d '\r' <"$E2E_WORK/copy.out" | tr '\n' ' '))"
    if [ "$SWAPPED" = 1 ]; then
        e2e_check_same_file "the image in the folder is not ours" "$E2E_DRIVE_C/other.imc" \
            "$RUN_WORK/ZKRBTF11.IMC"
    fi
}

# Between the check of our files (about 7 s after the image was written) and the utility's start
# (about 12 s after).
RUN_AT_MS=0
RUN_AT_ACTION=swap_image
run_update ZKRBTF10
if [ "$SWAPPED" = 1 ]; then
    e2e_check_eq "stand-in runs on an image that is not ours" "" "$RUN_LOG"
    e2e_check_eq "exit status (not our files)" 34 "$RUN_EXIT"
    run_check_marker
else
    run_check_flash
fi
