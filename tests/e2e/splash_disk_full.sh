# A full disk under the working folder (a small tmpfs mounted over it, in a mount namespace of
# this script's own): the file error is shown with a stop icon, its cause and its file, and the
# run then ends the declined way with the listed files removed, no marker and no flash. Two
# cases: a payload of the deployment fails, before the window is ever shown; the image write of
# the start tick fails, while the window is up and animating.
# shellcheck shell=sh disable=SC1003
if [ -z "${SPLASH_OWN_MOUNTS:-}" ]; then
    SPLASH_OWN_MOUNTS=1 exec unshare -m sh "$0" "$@"
fi
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/splash_checks.sh"

e2e_begin splash_disk_full
e2e_xvfb_start
title="BIOS Update Program"
marker_key='HKU\.DEFAULT\Software\Tavren\BIOSUPDATE\Parameters'

# case  tmpfs size  file that does not fit  whether the window is up when the error shows
while read -r case size file shown; do
    e2e_prefix_new "$case"
    e2e_fake_sys ZKRBTF10 1 80
    e2e_install_product
    work=$(e2e_host_path 'C:\Program Files\BIOSUPDATE')
    mkdir -p "$work"
    mount -t tmpfs -o "size=$size" tmpfs "$work" || e2e_fail "cannot mount a tmpfs over $work"
    e2e_product_start --env "BIOSUPDATE_STANDIN_LOG=C:\\standin.log"
    e2e_ui wait "BIOS update" 30000 || e2e_fail "$case: no prompt: $E2E_UI"
    e2e_ui press "BIOS update" yes || e2e_fail "$case: cannot answer: $E2E_UI"

    e2e_ui wait BIOSUpdate 30000 || e2e_fail "$case: no error box: $E2E_UI"
    box_rect=$(e2e_kv rect "$E2E_UI")
    e2e_ui text BIOSUpdate
    e2e_check_eq "$case: stop icon" "1 error" "$(e2e_kv icon "$E2E_UI") $(e2e_kv icon_kind "$E2E_UI")"
    e2e_check_eq "$case: cause and file" \
        "Disk full.\\nC:\\Program Files\\BIOSUPDATE\\$file" \
        "$(e2e_kv text "$E2E_UI")"
    e2e_ui info "$title" || e2e_fail "$case: no splash window: $E2E_UI"
    e2e_check_eq "$case: splash window shown" "$shown" "$(e2e_kv visible "$E2E_UI")"
    if [ "$shown" = 1 ]; then
        # Owned by the topmost window, the box stays above it while the window animates.
        sleep 0.3
        e2e_screenshot "$case-box"
        IFS=, read -r l t r b <<EOF
$box_rect
EOF
        light=$(convert "$E2E_SHOT" -crop "$((r - l))x$((b - t))+$l+$t" -colorspace Gray \
            -threshold 70% -format '%[fx:int(100*mean)]' info:)
        if [ "$light" -ge 50 ]; then
            e2e_pass "$case: the box shows above the window ($light % of it light)"
        else
            e2e_fail "$case: the box is covered ($light % of its place light)"
        fi
    fi
    e2e_ui press BIOSUpdate ok || e2e_fail "$case: cannot close the box: $E2E_UI"

    e2e_product_wait 60
    e2e_check_eq "$case: exit status: file error" 40 "$E2E_EXIT"
    e2e_check_eq "$case: the listed files removed" "" "$(ls -A "$work")"
    e2e_check_no_file "$case: no flash" "$(e2e_host_path 'C:\standin.log')"
    if e2e_reg_query "$marker_key" Version >/dev/null; then
        e2e_fail "$case: a version marker was written"
    fi
    e2e_pass "$case: no version marker"
    e2e_wine_end
    umount "$work" || e2e_fail "cannot unmount $work"
done <<EOF
deploy 32k msvcp60.dll 0
image 64k ZKRBTF11.IMC 1
EOF
