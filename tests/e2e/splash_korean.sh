# A Korean system on an 800 x 600 screen: the prompt in Korean, the window over the whole of the
# smaller screen, and frames with the Korean picture (134) at the origin for that size and the
# status text in the band from row 300.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/splash_checks.sh"

e2e_begin splash_korean
e2e_prefix_new main
# The installed BIOS is newer: nothing is flashed and the run ends on its own soon after.
e2e_fake_sys ZKRBTF12 1 80
splash_xvfb_start 800x600
e2e_install_product
title="BIOS 업데이트 프로그램"
korean=ko_KR.UTF-8

e2e_product_start --locale "$korean"
e2e_ui wait "BIOS update" 30000 || e2e_fail "no prompt: $E2E_UI"
e2e_wine --locale "$korean" "$BIOSUPDATE_UI_DRIVER_EXE" text "BIOS update" </dev/null \
    >"$E2E_WORK/prompt.out" || e2e_fail "cannot read the prompt"
e2e_check_eq "prompt text in Korean (message 139)" \
    'BIOS 업데이트 후 바로 시스템이 재시작되므로 작업하시는 모든 프로그램을 종료하셔야 합니다.\n지금 바로 BIOS 업데이트를 하시겠습니까?' \
    "$(e2e_kv text "$(cat "$E2E_WORK/prompt.out")")"
e2e_ui press "BIOS update" yes || e2e_fail "cannot answer: $E2E_UI"

tries=0
while :; do
    e2e_wine --locale "$korean" "$BIOSUPDATE_UI_DRIVER_EXE" info "$title" </dev/null \
        >"$E2E_WORK/info.out" || e2e_fail "no splash window titled with message 129 in Korean"
    info=$(tr -d '\r' <"$E2E_WORK/info.out")
    [ "$(e2e_kv visible "$info")" = 1 ] && break
    tries=$((tries + 1))
    [ "$tries" -lt 40 ] || e2e_fail "the splash window did not show: $info"
done
e2e_check_eq "placed over the whole 800 x 600 screen" "0,0,800,600 1" \
    "$(e2e_kv rect "$info") $(e2e_kv topmost "$info")"

splash_capture run 120
frames=$(splash_frames run korean 80 60) || e2e_fail "cannot check the captures"
printf '%s\n' "$frames" >"$E2E_WORK/run.frames"
e2e_check_no_match "every capture is black or a correct frame (picture 134 at 80,60)" " bad " \
    "$frames"
first=$(printf '%s\n' "$frames" | grep -m1 ' frame ') || e2e_fail "no frame captured"
set -- $first
e2e_check_eq "first frame: empty trough" empty "$4"
# Message 138 in Korean, in the system font with its Hangul glyphs.
e2e_check_eq "first frame: message 138 across frame columns" "138..499" "$5..$6"
e2e_check_eq "first frame: text rows from the band's top (300)" "302..314" "$7..$8"
printf '%s\n' "$frames" | awk '
    $3 == "frame" && ($5 == "-" || $7 < 300 || $8 > 324 || $9 != 1) { print $0; bad = 1 }
    $3 == "frame" && $4 != "empty" { moving = 1 }
    END { if (!moving) print "the strip never moved"; exit bad || !moving }' >"$E2E_WORK/bad.out" ||
    e2e_fail "frames: $(cat "$E2E_WORK/bad.out")"
e2e_pass "every frame: white text in the band from 300, the strip moving"
mid=$(printf '%s\n' "$frames" | grep -E ' frame 1[0-9] ' | tail -n 1 | cut -d' ' -f1)
[ -n "$mid" ] && convert "$E2E_WORK/$mid" "$E2E_WORK/mid-run.png"
rm -f "$E2E_WORK"/run-*.ppm

e2e_product_wait 60
e2e_check_eq "exit status: the installed BIOS is newer" 32 "$E2E_EXIT"
