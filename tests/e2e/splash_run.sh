# Answering Yes on an English system, 1024 x 768: the window is placed full screen, topmost and
# without a taskbar button before the opening pause ends; every frame captured afterwards is the
# picture at the frame's origin with the strip where its step puts it and the status text in the
# band; the window then refuses to be closed, keys, suspend and the end of the session while the
# flash runs, and the run ends by its finishing steps.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/splash_checks.sh"

e2e_begin splash_run
e2e_prefix_new main
e2e_fake_sys ZKRBTF10 1 80
e2e_xvfb_start
e2e_install_product
work=$(e2e_host_path 'C:\Program Files\BIOSUPDATE')
title="BIOS Update Program"

# A long stand-in flash keeps the run on the screen for the checks.
e2e_product_start --env BIOSUPDATE_STANDIN_FLASH_MS=15000
e2e_ui wait "BIOS update" 30000 || e2e_fail "no prompt: $E2E_UI"
e2e_ui press "BIOS update" yes || e2e_fail "cannot answer: $E2E_UI"
pressed=$(splash_now_ms)

# --- Placed before the pause ends -------------------------------------------------------------
tries=0
while :; do
    e2e_ui info "$title" || e2e_fail "no splash window: $E2E_UI"
    [ "$(e2e_kv visible "$E2E_UI")" = 1 ] && break
    tries=$((tries + 1))
    [ "$tries" -lt 40 ] || e2e_fail "the splash window did not show: $E2E_UI"
done
placed=$(splash_now_ms)
e2e_check_eq "placed over the whole screen" "0,0,1024,768" "$(e2e_kv rect "$E2E_UI")"
e2e_check_eq "topmost" 1 "$(e2e_kv topmost "$E2E_UI")"
exstyle=$(e2e_kv exstyle "$E2E_UI")
e2e_check_eq "a tool window, without WS_EX_APPWINDOW" 0x80 \
    "$(printf '0x%x' $((exstyle & 0x40080)))"
style=$(e2e_kv style "$E2E_UI")
e2e_check_eq "a borderless popup (no caption, no frame)" 0x80000000 \
    "$(printf '0x%x' $((style & 0x80CF0000)))"

# --- Every frame, captured one after another for about seven seconds -----------------------------
splash_capture run 200
frames=$(splash_frames run english 192 144) || e2e_fail "cannot check the captures"
printf '%s\n' "$frames" >"$E2E_WORK/run.frames"
e2e_check_no_match "every capture is black or a correct frame" " bad " "$frames"

first=$(printf '%s\n' "$frames" | grep -m1 ' frame ') || e2e_fail "no frame captured:
$frames"
set -- $first
e2e_check_match "a black screen while placed, before the first frame" "^run-1.ppm [0-9]+ black" \
    "$(printf '%s\n' "$frames" | head -n 1)"
if [ $(($2 - placed)) -ge 1000 ] && [ $(($2 - pressed)) -ge 1700 ]; then
    e2e_pass "first frame $(($2 - pressed)) ms after Yes, $(($2 - placed)) ms after the window was seen placed"
else
    e2e_fail "first frame too early: $(($2 - pressed)) ms after Yes, $(($2 - placed)) ms after placement"
fi
first_time=$2
e2e_check_eq "first frame: empty trough" empty "$4"
# Message 138 in the system font: 200 columns, centred, drawn from the band's top.
e2e_check_eq "first frame: message 138 across frame columns" "220..419" "$5..$6"
e2e_check_eq "first frame: text rows from the band's top (310)" "312..325" "$7..$8"
e2e_check_eq "first frame: white text" 1 "$9"

# The start timer fires 500 ms after the first frame and arms the 100 ms tick; a strip armed
# with the first frame would show within about one tick.
strip=$(printf '%s\n' "$frames" | grep -m1 -E ' frame [0-9]+ ') || e2e_fail "the strip never moved"
set -- $strip
if [ $(($2 - first_time)) -ge 300 ]; then
    e2e_pass "the strip starts $(($2 - first_time)) ms after the first frame, at step $4"
else
    e2e_fail "the strip started $(($2 - first_time)) ms after the first frame"
fi

# The steps seen advance one per tick, through 31 back to 0; "empty" is 0 or 31.
printf '%s\n' "$frames" | awk '
    $3 == "frame" && $4 != "empty" { step = $4 + 0
        if (seen && (step - last + 32) % 32 > 6) { print "jump " last " -> " step; bad = 1 }
        if (seen && step < last) wrapped = 1
        if (!(step in distinct)) { distinct[step] = 1; n++ }
        last = step; seen = 1 }
    $3 == "frame" && $9 != 1 { print "no white text in " $1; bad = 1 }
    $3 == "frame" && ($5 == "-" || ($5 + $6) / 2 < 316 || ($5 + $6) / 2 > 323) {
        print "text not centred in " $1; bad = 1 }
    $3 == "frame" && ($7 < 310 || $8 > 334) { print "text outside the band in " $1; bad = 1 }
    END { print "distinct=" n " wrapped=" (wrapped + 0); exit bad }' >"$E2E_WORK/steps.out" ||
    e2e_fail "frame sequence: $(cat "$E2E_WORK/steps.out")"
e2e_check_match "steps seen, and the cycle through 31 back to 0" "distinct=(2[4-9]|30) wrapped=1" \
    "$(cat "$E2E_WORK/steps.out")"
mid=$(printf '%s\n' "$frames" | grep -E ' frame 1[0-9] ' | tail -n 1 | cut -d' ' -f1)
convert "$E2E_WORK/$mid" "$E2E_WORK/mid-run.png"
rm -f "$E2E_WORK"/run-*.ppm

# --- Refusals while the flash runs --------------------------------------------------------------
e2e_wait_file "$work/BIOS.bak" 30000 "the flash utility did not start"
e2e_pass "the flash utility runs"

e2e_ui send "$title" close || e2e_fail "WM_CLOSE: $E2E_UI"
e2e_check_eq "WM_CLOSE answered" 0 "$(e2e_kv result "$E2E_UI")"
# The files the flash uses are held for it until it ends; what the clean-up takes is gone, what
# stays is still ours.
e2e_check_ours_or_gone "WM_CLOSE during the flash" "$work"
e2e_check_file "the utility's backup is not the clean-up's" "$work/BIOS.bak"

for key in 0x0D 0x1B 0x09; do
    e2e_ui post "$title" keydown "$key" 0 || e2e_fail "key $key: $E2E_UI"
done
# Alt+F4 asks the window to close.
e2e_ui post "$title" syskeydown 0x73 0x20000000 || e2e_fail "Alt+F4: $E2E_UI"

while read -r wparam expected what; do
    e2e_ui send "$title" powerbroadcast "$wparam" 0 || e2e_fail "WM_POWERBROADCAST: $E2E_UI"
    result=$(e2e_kv result "$E2E_UI")
    if [ "$expected" = default ]; then
        e2e_check_ne "WM_POWERBROADCAST $wparam ($what): the default answer" 1112363332 "$result"
    else
        e2e_check_eq "WM_POWERBROADCAST $wparam ($what)" "$expected" "$result"
    fi
done <<EOF
0 1112363332 PBT_APMQUERYSUSPEND
4 1112363332 PBT_APMSUSPEND
10 default PBT_APMPOWERSTATUSCHANGE
EOF
e2e_ui send "$title" queryendsession 0 0 || e2e_fail "WM_QUERYENDSESSION: $E2E_UI"
e2e_check_eq "WM_QUERYENDSESSION answered FALSE" 0 "$(e2e_kv result "$E2E_UI")"

e2e_ui info "$title" || e2e_fail "the window went: $E2E_UI"
e2e_check_eq "still up and full screen after close, keys and queries" "1 0,0,1024,768" \
    "$(e2e_kv visible "$E2E_UI") $(e2e_kv rect "$E2E_UI")"
# Captures a few ticks apart: back to back they can all fall within one 100 ms frame.
splash_capture after 4 350
after=$(splash_frames after english 192 144) || e2e_fail "cannot check the captures"
e2e_check_no_match "frames after the refusals" " bad | black" "$after"
steps=$(printf '%s\n' "$after" | cut -d' ' -f4 | sort -u | wc -l)
if [ "$steps" -ge 2 ]; then e2e_pass "still animating"; else e2e_fail "not animating: $after"; fi
rm -f "$E2E_WORK"/after-*.ppm

# --- The finishing steps ----------------------------------------------------------------------
e2e_product_wait 60
e2e_check_eq "exit status: the flash ran" 3010 "$E2E_EXIT"
e2e_check_eq "the finishing steps leave the working folder, emptied of files and backup" "" \
    "$(ls -A "$work")"
