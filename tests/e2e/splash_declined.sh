# Answering No: the working files of an earlier run are removed, nothing is deployed, the splash
# window is never shown or placed, and the run ends as declined.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"

e2e_begin splash_declined
e2e_prefix_new main
e2e_fake_sys ZKRBTF10 1 80
e2e_xvfb_start
e2e_install_product

# What an earlier run left: listed files only, so the clean-up can take the folder too.
work=$(e2e_host_path 'C:\Program Files\BIOSUPDATE')
mkdir -p "$work"
for name in SWinFlash.exe PHLASH.txt ZKRBTF11.IMC; do echo "left by an earlier run" >"$work/$name"; done

e2e_product_start
e2e_ui wait "BIOS update" 30000 || e2e_fail "no prompt: $E2E_UI"
e2e_ui text "BIOS update"
e2e_check_eq "prompt caption" "BIOS update" "$(e2e_kv caption "$E2E_UI")"
e2e_check_eq "prompt text (message 139, two lines)" \
    'You must close all the application now since the system will restart after BIOS update is completed.\nProceed BIOS update now?' \
    "$(e2e_kv text "$E2E_UI")"
e2e_check_eq "prompt buttons" "&Yes &No" \
    "$(printf '%s\n' "$E2E_UI" | sed -n 's/^button=//p' | tr '\n' ' ' | sed 's/ $//')"
e2e_check_eq "prompt without an icon" 0 "$(e2e_kv icon "$E2E_UI")"

e2e_ui info "BIOS Update Program" || e2e_fail "no splash window behind the prompt: $E2E_UI"
e2e_check_eq "splash window hidden during the prompt" 0 "$(e2e_kv visible "$E2E_UI")"
e2e_check_ne "splash window not placed during the prompt" "0,0,1024,768" "$(e2e_kv rect "$E2E_UI")"
e2e_check_eq "nothing deployed before the answer" "PHLASH.txt SWinFlash.exe ZKRBTF11.IMC" \
    "$(ls "$work" | tr '\n' ' ' | sed 's/ $//')"
e2e_check_eq "old files untouched before the answer" "left by an earlier run" "$(cat "$work/SWinFlash.exe")"

e2e_ui press "BIOS update" no || e2e_fail "cannot answer: $E2E_UI"
# Until the window is gone, every look finds it hidden and unplaced.
looks=0
while e2e_ui info "BIOS Update Program"; do
    looks=$((looks + 1))
    if [ "$(e2e_kv visible "$E2E_UI")" != 0 ] || [ "$(e2e_kv rect "$E2E_UI")" = "0,0,1024,768" ]; then
        e2e_fail "the splash window showed after No: $E2E_UI"
    fi
    [ "$looks" -lt 100 ] || e2e_fail "the splash window stayed after No"
done
e2e_pass "the splash window ended without showing ($looks looks)"

e2e_product_wait 60
e2e_check_eq "exit status: declined" 1602 "$E2E_EXIT"
e2e_check_no_file "working folder removed with its files" "$work"
