# The harness's own test: the pieces the product's scenarios stand on, each shown to work under
# Wine before anything relies on it. It needs no BIOSUpdate.exe.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"

e2e_begin harness_smoke
e2e_require_env BIOSUPDATE_WIN_PROBE_EXE BIOSUPDATE_STANDIN_EXE
e2e_prefix_new main

# --- The stand-in utility imports nothing that the kit's placeholders shadow --------------------
imports=$(x86_64-w64-mingw32-objdump -p "$BIOSUPDATE_STANDIN_EXE" | sed -n 's/^[[:space:]]*DLL Name: //p')
e2e_check_eq "stand-in imports" "KERNEL32.dll" "$imports"

# --- A faked /sys/class is what Wine reads for the BIOS version and the power status -------------
probe_power() {
    out=$(e2e_wine "$BIOSUPDATE_WIN_PROBE_EXE" power </dev/null | tr -d '\r')
    power="ac=$(e2e_kv ac "$out")/battery=$(e2e_kv battery_percent "$out")"
}
bios_version() {
    e2e_wine wmic bios get smbiosbiosversion >"$E2E_WORK/wmic.out" </dev/null ||
        e2e_fail "wmic failed"
    # wmic writes UTF-16; the second line holds the value.
    version=$(iconv -f UTF-16 -t UTF-8 "$E2E_WORK/wmic.out" | tr -d '\r' | sed -n '2s/ *$//p')
}
# bios  ac  battery -> expected power
while read -r bios ac battery expected; do
    e2e_fake_sys "$bios" "$ac" "$battery"
    probe_power
    e2e_check_eq "power status with ac=$ac battery=$battery" "$expected" "$power"
    bios_version
    e2e_check_eq "SMBIOSBIOSVersion read from the fake sysfs" "$bios" "$version"
done <<EOF
ZKRBTF10 0 19 ac=0/battery=19
ZKRBTF11 1 100 ac=1/battery=100
ZKRBTF12 1 none ac=1/battery=255
EOF
e2e_real_sys

# --- A full disk --------------------------------------------------------------------------------
e2e_small_disk 'C:\tiny' 64k
out=$(e2e_wine "$BIOSUPDATE_WIN_PROBE_EXE" write 'C:\tiny\small.bin' 1000 </dev/null | tr -d '\r')
e2e_check_eq "write within a 64 KiB disk" "1000/0" "$(e2e_kv written "$out")/$(e2e_kv error "$out")"
# Wine reports the full disk as a short write, not as an error.
out=$(e2e_wine "$BIOSUPDATE_WIN_PROBE_EXE" write 'C:\tiny\big.bin' 200000 </dev/null | tr -d '\r')
written=$(e2e_kv written "$out")
if [ -n "$written" ] && [ "$written" -lt 200000 ]; then
    e2e_pass "write beyond a 64 KiB disk stored $written of 200000 bytes"
else
    e2e_fail "write beyond a 64 KiB disk: $out"
fi
e2e_normal_disk
e2e_check_no_file "the small disk's files are gone with it" "$(e2e_host_path 'C:\tiny\small.bin')"

# --- Locale of a run ----------------------------------------------------------------------------
out=$(e2e_wine --locale ko_KR.UTF-8 "$BIOSUPDATE_WIN_PROBE_EXE" locale | tr -d '\r')
e2e_check_eq "Korean system locale" "0x0412/949" "$(e2e_kv lcid "$out")/$(e2e_kv acp "$out")"
out=$(e2e_wine "$BIOSUPDATE_WIN_PROBE_EXE" locale | tr -d '\r')
e2e_check_eq "English system locale" "0x0409/1252" "$(e2e_kv lcid "$out")/$(e2e_kv acp "$out")"

# --- The Program Files folder programs are told --------------------------------------------------
e2e_program_files 'C:\PF smoke\Programs'
e2e_reg_query 'HKLM\Software\Microsoft\Windows\CurrentVersion' ProgramFilesDir ||
    e2e_fail "no ProgramFilesDir value"
e2e_check_eq "ProgramFilesDir in the registry" 'C:\PF smoke\Programs' "$E2E_REG_DATA"
e2e_check_eq "registry type" REG_SZ "$E2E_REG_TYPE"
out=$(e2e_wine "$BIOSUPDATE_WIN_PROBE_EXE" folder | tr -d '\r')
e2e_check_eq "SHGetFolderPathA(CSIDL_PROGRAM_FILES)" 'C:\PF smoke\Programs' "$(e2e_kv program_files "$out")"
e2e_program_files --no-folder 'C:\Missing folder'
out=$(e2e_wine "$BIOSUPDATE_WIN_PROBE_EXE" folder | tr -d '\r')
e2e_check_ne "query result for a folder that does not exist" 0x00000000 "$(e2e_kv hr "$out")"
e2e_check_eq "path for a folder that does not exist" "" "$(e2e_kv program_files "$out")"
e2e_program_files 'C:\Program Files'
e2e_wine_end
e2e_check_eq "saved registry line" '"ProgramFilesDir"="C:\\Program Files"' \
    "$(e2e_reg_saved system.reg 'Software\\Microsoft\\Windows\\CurrentVersion' ProgramFilesDir)"

# --- The stand-in flash utility, started through the launcher in its working folder -------------
work='C:\Program Files\BIOSUPDATE'
e2e_install_standin_kit "$work"
log_win='C:\standin.log'
log=$(e2e_host_path "$log_win")
last_log() { tail -n 1 "$log"; }
contract='/BU=BIOS.bak /C /MFG /P /S /V /mode=2 ZKRBTF11.IMC'
text="\"$work\\SWinFlash.exe\" $contract"

started=$(date +%s%N)
e2e_launch --cwd "$work" --env "BIOSUPDATE_STANDIN_LOG=$log_win" \
    --env BIOSUPDATE_STANDIN_FLASH_MS=1500 -- "$text"
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
e2e_check_eq "stand-in exit status" 0 "$E2E_EXIT"
line=$(last_log)
e2e_check_eq "log: command line" "$text" "$(e2e_field "$line" cmdline)"
e2e_check_eq "log: current directory" "$work" "$(e2e_field "$line" cwd)"
e2e_check_eq "log: files found" \
    "mfc42.dll,msvcp60.dll,msvcrt.dll,PHLASH.INI,Phlash9X.vxd,PhlashLc.dll,PhlashNT.sys,SWinFlash.exe,WINPHLASH.GID,ZKRBTF11.IMC" \
    "$(e2e_field "$line" files)"
e2e_check_eq "log: result" flashed "$(e2e_field "$line" result)"
e2e_check_eq "log: image family and revision" "ZKRBT F11" \
    "$(e2e_field "$line" family) $(e2e_field "$line" revision)"
e2e_check_eq "log: settings file read" "ZKRBTF11.IMC bios.bak" \
    "$(e2e_field "$line" ini_image) $(e2e_field "$line" ini_backup)"
e2e_check_eq "log: exit" 0 "$(e2e_field "$line" exit)"
e2e_check_eq "log: flash time asked" 1500 "$(e2e_field "$line" flash_ms)"
e2e_check_match "backup written into the working folder" "stand-in" \
    "$(cat "$(e2e_host_path "$work")/BIOS.bak")"
if [ "$elapsed_ms" -ge 1500 ]; then
    e2e_pass "the flash wait lasted $elapsed_ms ms (1500 asked)"
else
    e2e_fail "the flash wait lasted $elapsed_ms ms, less than the 1500 asked"
fi

# Each refusal has its own status. One fresh working folder per case: what to break, the
# arguments, the expected status and a word of the logged reason.
break_kit() {
    dir=$(e2e_host_path "$1")
    case $2 in
        none) ;;
        no-ini) rm "$dir/PHLASH.INI" ;;
        no-main) printf '[UI]\r\nAdvanced=1\r\n' >"$dir/PHLASH.INI" ;;
        no-image) rm "$dir/ZKRBTF11.IMC" ;;
        other-family) printf 'STAND-IN BIOS IMAGE family=ABCDE revision=F11\r\n' >"$dir/ZKRBTF11.IMC" ;;
        no-header) printf 'MZ not an image\r\n' >"$dir/ZKRBTF11.IMC" ;;
        backup-folder) mkdir "$dir/BIOS.bak" ;;
        *) e2e_fail "unknown breakage $2" ;;
    esac
}
n=0
while read -r breakage status reason args; do
    n=$((n + 1))
    case_dir="C:\\kits\\case$n"
    e2e_install_standin_kit "$case_dir"
    break_kit "$case_dir" "$breakage"
    e2e_launch --cwd "$case_dir" --env "BIOSUPDATE_STANDIN_LOG=$log_win" \
        --env BIOSUPDATE_STANDIN_FLASH_MS=0 -- "$case_dir\\SWinFlash.exe $args"
    what="refusal $n ($breakage; $args)"
    e2e_check_eq "$what: status" "$status" "$E2E_EXIT"
    e2e_check_match "$what: logged reason" "reason=[^|]*$reason" "$(last_log)"
    e2e_check_match "$what: logged exit" "result=refused .*exit=$status\$" "$(last_log)"
done <<EOF
none 2 unknown /BU=BIOS.bak /C /X ZKRBTF11.IMC
none 2 unknown /BU=BIOS.bak /mode=3 ZKRBTF11.IMC
none 2 second /BU=BIOS.bak ZKRBTF11.IMC OTHER.IMC
none 2 bare /BU=C:\BIOS.bak ZKRBTF11.IMC
no-ini 3 PHLASH.INI /BU=BIOS.bak /C ZKRBTF11.IMC
no-main 3 FormatVersion /BU=BIOS.bak /C ZKRBTF11.IMC
no-image 4 not.in.the.current /BU=BIOS.bak /C ZKRBTF11.IMC
none 4 no.image.named /BU=BIOS.bak /C /MFG /P /S /V /mode=2
none 4 bare C:\kits\case1\ZKRBTF11.IMC
other-family 5 ABCDE /BU=BIOS.bak ZKRBTF11.IMC
no-header 5 header /BU=BIOS.bak ZKRBTF11.IMC
backup-folder 6 backup /BU=BIOS.bak ZKRBTF11.IMC
EOF

# Forced status and crash, for the product's tests of a utility that fails.
e2e_launch --cwd "$work" --env "BIOSUPDATE_STANDIN_LOG=$log_win" --env BIOSUPDATE_STANDIN_FLASH_MS=0 \
    --env BIOSUPDATE_STANDIN_EXIT=3010 -- "$text"
e2e_check_eq "forced exit status, all 32 bits through the launcher" 3010 "$E2E_EXIT"
e2e_check_match "forced exit logged" "result=flashed .*forced=1 .*exit=3010\$" "$(last_log)"
e2e_launch --cwd "$work" --env "BIOSUPDATE_STANDIN_LOG=$log_win" --env BIOSUPDATE_STANDIN_FLASH_MS=0 \
    --env BIOSUPDATE_STANDIN_CRASH=1 -- "$text"
e2e_check_eq "crash ends with an access violation" 3221225477 "$E2E_EXIT"
e2e_check_match "crash logged first" "crash=1 \| exit=0\$" "$(last_log)"

# Why the utility must import nothing the kit shadows: an ordinary mingw program beside the
# placeholders does not even start.
cp "$BIOSUPDATE_WIN_PROBE_EXE" "$(e2e_host_path "$work")/probe.exe"
e2e_launch --cwd "$work" -- "\"$work\\probe.exe\" locale"
e2e_check_ne "a C runtime program beside the placeholder msvcrt.dll" 0 "$E2E_EXIT"
e2e_check_no_match "it did not run" "lcid=" "$E2E_OUT"
rm "$(e2e_host_path "$work")/probe.exe"

# --- The unquoted path is a real hijack --------------------------------------------------------
unquoted="$work\\SWinFlash.exe $contract"
e2e_launch --cwd "$work" --env "BIOSUPDATE_STANDIN_LOG=$log_win" --env BIOSUPDATE_STANDIN_FLASH_MS=0 \
    -- "$unquoted"
e2e_check_eq "unquoted start without C:\\Program.exe: status" 0 "$E2E_EXIT"
e2e_check_eq "unquoted start without C:\\Program.exe: program" "$work\\SWinFlash.exe" \
    "$(e2e_field "$(last_log)" exe)"
cp "$BIOSUPDATE_STANDIN_EXE" "$(e2e_host_path 'C:\Program.exe')"
e2e_launch --cwd "$work" --env "BIOSUPDATE_STANDIN_LOG=$log_win" --env BIOSUPDATE_STANDIN_FLASH_MS=0 \
    -- "$unquoted"
e2e_check_eq "unquoted start with C:\\Program.exe planted: program" 'C:\Program.exe' \
    "$(e2e_field "$(last_log)" exe)"
e2e_launch --cwd "$work" --env "BIOSUPDATE_STANDIN_LOG=$log_win" --env BIOSUPDATE_STANDIN_FLASH_MS=0 \
    -- "$text"
e2e_check_eq "quoted start with C:\\Program.exe planted: program" "$work\\SWinFlash.exe" \
    "$(e2e_field "$(last_log)" exe)"
e2e_check_eq "quoted start with C:\\Program.exe planted: status" 0 "$E2E_EXIT"
rm "$(e2e_host_path 'C:\Program.exe')"

# --- Windows on a display, found, read and answered by the UI driver ----------------------------
e2e_xvfb_start
mkdir -p "$(e2e_host_path 'C:\tools')"
cp "$BIOSUPDATE_WIN_PROBE_EXE" "$(e2e_host_path 'C:\tools')/win_probe.exe"
probe='C:\tools\win_probe.exe'

e2e_ui screen
e2e_check_eq "screen size" "1024x768" "$(e2e_kv width "$E2E_UI")x$(e2e_kv height "$E2E_UI")"
if e2e_ui wait "No such window" 300; then e2e_fail "found a window that does not exist"; fi
e2e_check_match "a missing window is reported" "^error=" "$E2E_UI"

# A Korean question box, its text handed over in the system's code page.
question='BIOS를 업데이트하시겠습니까?'
e2e_launch_bg box --locale ko_KR.UTF-8 -- "$probe box \"Smoke box\" \"$question\" 0x24"
e2e_ui shown "Smoke box" 30000 || e2e_fail "no message box: $E2E_UI"
e2e_check_eq "message box class" "#32770" "$(e2e_kv class "$E2E_UI")"
e2e_check_eq "message box visible" 1 "$(e2e_kv visible "$E2E_UI")"
e2e_ui text "Smoke box"
e2e_check_eq "message box caption" "Smoke box" "$(e2e_kv caption "$E2E_UI")"
e2e_check_eq "message box text (Korean, UTF-8)" "$question" "$(e2e_kv text "$E2E_UI")"
# A Korean system labels the buttons itself.
e2e_check_eq "message box buttons (Korean)" "예(&Y) 아니요(&N)" "$(printf '%s\n' "$E2E_UI" | sed -n 's/^button=//p' | tr '\n' ' ' | sed 's/ $//')"
e2e_check_eq "message box icon" "1 question" "$(e2e_kv icon "$E2E_UI") $(e2e_kv icon_kind "$E2E_UI")"
e2e_screenshot box
e2e_check_eq "screenshot size" "1024x768" "$(identify -format '%wx%h' "$E2E_SHOT")"
e2e_ui press "Smoke box" yes || e2e_fail "press failed: $E2E_UI"
e2e_wait_bg box 30
e2e_check_eq "answer Yes reaches the program" 6 "$E2E_EXIT"
e2e_ui gone "Smoke box" 5000 || e2e_fail "the box stayed: $E2E_UI"

# A topmost window: its placement, its answers to sent messages, posted keys through its loop.
e2e_launch_bg window -- "$probe window \"Smoke window\""
e2e_ui shown "Smoke window" 30000 || e2e_fail "no window: $E2E_UI"
e2e_check_eq "window placement" "100,50,400,250" "$(e2e_kv rect "$E2E_UI")"
e2e_check_eq "window topmost" 1 "$(e2e_kv topmost "$E2E_UI")"
e2e_ui send "Smoke window" queryendsession 0 0
e2e_check_eq "answer to WM_QUERYENDSESSION" 0 "$(e2e_kv result "$E2E_UI")"
e2e_ui send "Smoke window" powerbroadcast 0 0
e2e_check_eq "answer to a suspend query (BROADCAST_QUERY_DENY)" 1112363332 "$(e2e_kv result "$E2E_UI")"
e2e_ui post "Smoke window" keydown 0x1B 0
e2e_ui post "Smoke window" close
e2e_wait_bg window 30
e2e_check_eq "window program ended by WM_CLOSE" 7 "$E2E_EXIT"
e2e_check_match "posted key went through the message loop" "^keydown=27" "$E2E_OUT"
e2e_ui info "Smoke window" && e2e_fail "the window is still there"
e2e_pass "window gone"
