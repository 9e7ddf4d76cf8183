# The working folder on a disk too small for the payloads (a tmpfs sized from them): once while
# the eight utility files are deployed, once while the image is written. Each time the product
# shows the error with a stop icon, its cause and the file, then ends the run: the listed files
# are removed, no marker is written and nothing is flashed.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/run_common.sh"
. "$(dirname "$0")/fault_common.sh"

run_prepare fault_disk_full

# Deployment writes SWinFlash.exe, mfc42.dll, msvcp60.dll, then msvcrt.dll: room for the first
# three only. The image case has room for all eight and half of the image.
deploy_pages=$(fault_pages "$BIOSUPDATE_PAYLOAD_165" "$BIOSUPDATE_PAYLOAD_154" "$BIOSUPDATE_PAYLOAD_156")
all_pages=$(fault_pages "$BIOSUPDATE_PAYLOAD_165" "$BIOSUPDATE_PAYLOAD_154" "$BIOSUPDATE_PAYLOAD_156" \
    "$BIOSUPDATE_PAYLOAD_157" "$BIOSUPDATE_PAYLOAD_158" "$BIOSUPDATE_PAYLOAD_160" \
    "$BIOSUPDATE_PAYLOAD_159" "$BIOSUPDATE_PAYLOAD_161")
image_pages=$(fault_pages "$BIOSUPDATE_PAYLOAD_168")

# While the box is up: what the run wrote so far, whether the splash window is up behind it (the
# box's icon is read off the screen, so the box is on top), and a hold on the disk for the look
# afterwards.
on_box() {
    fault_hold_disk
    e2e_ui shown "$FAULT_APP_CAPTION" 30000 || e2e_fail "$case_name: no error box: $E2E_UI"
    FAULT_BEFORE=$(fault_disk_ls "$RUN_WORK")
    e2e_ui info "BIOS Update Program" || e2e_fail "$case_name: no splash window: $E2E_UI"
    e2e_check_eq "$case_name: splash window shown behind the box" "$case_window" \
        "$(e2e_kv visible "$E2E_UI")"
    fault_error_box "$case_name" "$case_cause" "$RUN_WORK_WIN\\$case_file"
}

while read -r case_name pages case_window case_file case_written <&3; do
    e2e_note "disk full during $case_name: a disk of $pages pages"
    # Wine's text for ERROR_DISK_FULL.
    case_cause="Disk full\\."
    run_reset
    e2e_small_disk "$RUN_WORK_WIN" $((pages * FAULT_PAGE))
    RUN_ON_LAUNCH=fault_wait_server
    RUN_AT_MS=0
    RUN_AT_ACTION=on_box
    run_update ZKRBTF10
    # shellcheck disable=SC2086 # one name per word
    e2e_check_eq "$case_name: written when the disk was full" "$(fault_sorted $case_written)" \
        "$FAULT_BEFORE"
    e2e_check_eq "$case_name: left on the disk after the run" "" "$(fault_disk_ls "$RUN_WORK")"
    fault_release_disk
    e2e_normal_disk
    fault_check_no_run_traces 40
done 3<<EOF
deployment $deploy_pages 0 msvcrt.dll SWinFlash.exe mfc42.dll msvcp60.dll msvcrt.dll
image-write $((all_pages + image_pages / 2)) 1 ZKRBTF11.IMC mfc42.dll msvcp60.dll msvcrt.dll PHLASH.INI Phlash9X.vxd PhlashLc.dll PhlashNT.sys SWinFlash.exe ZKRBTF11.IMC
EOF
