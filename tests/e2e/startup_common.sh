# shellcheck shell=sh disable=SC1003
# Shared steps of the start-up scenarios (sourced after lib.sh).

START_WORK_WIN='C:\Program Files\BIOSUPDATE'
START_RUN_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
START_LISTED="SWinFlash.exe mfc42.dll msvcp60.dll msvcrt.dll PHLASH.INI PhlashLc.dll Phlash9X.vxd PhlashNT.sys WINPHLASH.GID PHLASH.txt ZKRBTF11.IMC"

# start_prepare NAME: the scenario, its prefix, a display and the installed product.
start_prepare() {
    e2e_begin "$1"
    e2e_prefix_new main
    e2e_xvfb_start
    e2e_install_product
    e2e_program_files 'C:\Program Files'
    START_WORK=$(e2e_host_path "$START_WORK_WIN")
}

# start_message ID english|korean: the text of a message, from the one list of texts.
start_message() {
    if [ "$2" = korean ]; then field=2; else field=1; fi
    sed -n "s/^BIOS_MESSAGE($1, \"\\(.*\\)\", \"\\(.*\\)\")\$/\\$field/p" \
        "$BIOSUPDATE_SOURCE_DIR/platform/messages.def"
}

# start_plant_files [EXTRA...]: the working folder as an earlier run left it: every listed file,
# plus the extra names given.
start_plant_files() {
    mkdir -p "$START_WORK"
    for name in $START_LISTED "$@"; do printf 'left over\n' >"$START_WORK/$name"; done
}

# start_check_listed_gone WHAT: none of the listed files is left in the working folder.
start_check_listed_gone() {
    left=""
    for name in $START_LISTED; do
        if [ -e "$START_WORK/$name" ]; then left="$left $name"; fi
    done
    e2e_check_eq "$1: listed files left" "" "$left"
}

start_check_listed_present() {
    missing=""
    for name in $START_LISTED; do
        if [ ! -e "$START_WORK/$name" ]; then missing="$missing $name"; fi
    done
    e2e_check_eq "$1: listed files missing" "" "$missing"
}

start_set_run_value() {
    e2e_wine reg add "$START_RUN_KEY" /v BIOSUpdate /t REG_SZ /d 'C:\bin\BIOSUpdate.exe 1' /f \
        >/dev/null || e2e_fail "cannot set the Run value"
}

start_run_value_exists() { e2e_reg_query "$START_RUN_KEY" BIOSUpdate; }

# start_expect_box CAPTION TEXT ICON: a message box with that caption is up, shows TEXT and the
# icon kind (none, warning, error, ...), and holds one OK button.
start_expect_box() {
    e2e_ui shown "$1" 30000 || e2e_fail "no box '$1': $E2E_UI"
    e2e_ui text "$1" || e2e_fail "cannot read the box '$1'"
    e2e_check_match "box '$1' text" "^text=$(printf '%s' "$2" | sed 's/[][\.*^$+?(){}|/]/\\&/g')\$" "$E2E_UI"
    e2e_check_eq "box '$1' icon" "$3" "$(e2e_kv icon_kind "$E2E_UI")"
}
