# shellcheck shell=sh disable=SC1003,SC2016,SC2034
# (backslashes in single quotes are Windows paths; variables set here are read by the scenarios)
# End-to-end test harness, sourced by the scenario scripts (POSIX sh):
#
#   . "$(dirname "$0")/lib.sh"
#   e2e_begin my_scenario          # work folder, clean-up on exit
#   e2e_prefix_new main            # a Wine prefix copied from the run's template
#   e2e_fake_sys ZKRBTF10 1 80     # installed BIOS, mains power, battery per cent
#   e2e_xvfb_start                 # a 1024x768x24 display for windows
#   e2e_install_product
#   e2e_product_start
#   e2e_product_wait 120
#   e2e_check_eq "exit status" 3010 "$E2E_EXIT"
#
# Where things are comes from the environment that tests/CMakeLists.txt gives every scenario:
#   BIOSUPDATE_E2E_ROOT        work root; the template prefix and one folder per scenario live there
#   BIOSUPDATE_PRODUCT_EXE     BIOSUpdate.exe (empty while the product is not built)
#   BIOSUPDATE_LAUNCHER_EXE    launcher.exe: exact command lines, exit status as text
#   BIOSUPDATE_UI_DRIVER_EXE   ui_driver.exe: finds, reads and answers windows
#   BIOSUPDATE_WIN_PROBE_EXE   win_probe.exe: the harness's own test program
#   BIOSUPDATE_STANDIN_EXE     the stand-in SWinFlash.exe
#   BIOSUPDATE_STANDIN_DIR     the stand-in kit's other files (placeholders and PHLASH.INI)
#   BIOSUPDATE_STANDIN_IMAGE   the generated stand-in image ZKRBTF11.IMC
#   BIOSUPDATE_PAYLOAD_<id>    the file behind each embedded payload
#
# Conventions: a function that reports a result sets an E2E_* variable (E2E_EXIT, E2E_OUT, ...);
# a failed check prints what it compared and ends the script with status 1; every Wine process,
# wineserver and Xvfb that the script started is ended when the script ends, however it ends.
# Windows programs always run with their current directory inside the prefix's drive_c: Wine's
# Z: drive is the host's /, and a program that builds paths from a wrong base would write there.

E2E_TEMPLATE_TIMEOUT=${E2E_TEMPLATE_TIMEOUT:-300}
# Bound on one synchronous Windows program (seconds); background runs take their own timeout.
E2E_CMD_TIMEOUT=${E2E_CMD_TIMEOUT:-120}
E2E_LOCALE=${E2E_LOCALE:-en_US.UTF-8}
# No Mono or Gecko installer dialogs in a fresh prefix.
E2E_DLLOVERRIDES=${E2E_DLLOVERRIDES:-mscoree,mshtml=}
E2E_SYS=${E2E_SYS:-}
E2E_PREFIXES=""
E2E_BG_TAGS=""
E2E_XVFB_PID=""
E2E_CHECKS=0
E2E_NAME=""
E2E_MAIN_PID=$$
trap 'exit 1' USR1

# --- messages and checks ----------------------------------------------------------------------

e2e_note() { printf '%s\n' "e2e: $*"; }

# Ends the script even when called in a subshell ($(...), a background run): the main shell is
# told by a signal and exits at its next step, running its clean-up.
e2e_fail() {
    printf '%s\n' "FAIL: $*" >&2
    kill -USR1 "$E2E_MAIN_PID" 2>/dev/null
    exit 1
}

e2e_pass() {
    E2E_CHECKS=$((E2E_CHECKS + 1))
    printf '%s\n' "ok   $*"
}

# e2e_check_eq WHAT EXPECTED ACTUAL
e2e_check_eq() {
    if [ "$2" = "$3" ]; then
        e2e_pass "$1: '$3'"
    else
        e2e_fail "$1: expected '$2', got '$3'"
    fi
}

e2e_check_ne() {
    if [ "$2" != "$3" ]; then
        e2e_pass "$1: '$3' (not '$2')"
    else
        e2e_fail "$1: expected anything but '$2'"
    fi
}

# e2e_check_match WHAT EXTENDED-REGEX TEXT
e2e_check_match() {
    if printf '%s\n' "$3" | grep -Eq -- "$2"; then
        e2e_pass "$1: matches /$2/"
    else
        e2e_fail "$1: /$2/ not found in:
$3"
    fi
}

e2e_check_no_match() {
    if printf '%s\n' "$3" | grep -Eq -- "$2"; then
        e2e_fail "$1: /$2/ unexpectedly found in:
$3"
    else
        e2e_pass "$1: no /$2/"
    fi
}

# e2e_check_file WHAT HOST-PATH / e2e_check_no_file WHAT HOST-PATH
e2e_check_file() {
    if [ -e "$2" ]; then e2e_pass "$1: $2 exists"; else e2e_fail "$1: $2 does not exist"; fi
}

e2e_check_no_file() {
    if [ -e "$2" ]; then e2e_fail "$1: $2 exists"; else e2e_pass "$1: no $2"; fi
}

# e2e_check_same_file WHAT EXPECTED-PATH ACTUAL-PATH: byte for byte
e2e_check_same_file() {
    if [ ! -f "$3" ]; then e2e_fail "$1: $3 is not a file"; fi
    if cmp -s "$2" "$3"; then
        e2e_pass "$1: $3 equals $2"
    else
        e2e_fail "$1: $3 differs from $2 ($(cmp "$2" "$3" 2>&1 | head -1))"
    fi
}

# e2e_kv KEY TEXT: the value of the first "KEY=value" line of TEXT (CR removed).
e2e_kv() {
    printf '%s\n' "$2" | tr -d '\r' | sed -n "s/^$1=//p" | head -n 1
}

# e2e_field LINE NAME: a field of a " | "-separated "name=value" line (the stand-in's log).
e2e_field() {
    printf '%s\n' "$1" | awk -v name="$2" 'BEGIN { FS = " [|] " } {
        for (i = 1; i <= NF; i++) if (index($i, name "=") == 1) { print substr($i, length(name) + 2); exit }
    }'
}

# --- lifetime of a scenario -------------------------------------------------------------------

e2e_require_env() {
    for name in "$@"; do
        eval "value=\${$name:-}"
        if [ -z "$value" ]; then e2e_fail "environment variable $name is not set (run through ctest)"; fi
    done
}

# e2e_begin NAME: fresh work folder $E2E_WORK, clean-up when the script ends.
e2e_begin() {
    E2E_NAME=$1
    e2e_require_env BIOSUPDATE_E2E_ROOT
    E2E_WORK=$BIOSUPDATE_E2E_ROOT/$E2E_NAME
    rm -rf "$E2E_WORK"
    mkdir -p "$E2E_WORK" || e2e_fail "cannot create $E2E_WORK"
    trap 'e2e_end_script' EXIT
    trap 'exit 129' HUP
    trap 'exit 130' INT
    trap 'exit 143' TERM
    e2e_note "scenario $E2E_NAME in $E2E_WORK"
}

e2e_end_script() {
    status=$?
    trap - EXIT
    for prefix in $E2E_PREFIXES; do
        WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
        WINEPREFIX=$prefix wineserver -w >/dev/null 2>&1
    done
    for tag in $E2E_BG_TAGS; do
        if [ -f "$E2E_WORK/$tag.pid" ]; then
            pid=$(cat "$E2E_WORK/$tag.pid")
            kill "$pid" 2>/dev/null
            wait "$pid" 2>/dev/null
        fi
    done
    e2e_xvfb_stop
    if [ "$status" -eq 0 ]; then
        e2e_note "$E2E_NAME: PASS ($E2E_CHECKS checks)"
    else
        e2e_note "$E2E_NAME: FAIL (status $status after $E2E_CHECKS passed checks)"
    fi
    exit "$status"
}

# --- Wine prefixes ----------------------------------------------------------------------------

# The run's template prefix; made once per test run (the e2e_template fixture), first start of a
# prefix takes several seconds. Scenarios copy it.
e2e_template_dir() { printf '%s\n' "$BIOSUPDATE_E2E_ROOT/template"; }

e2e_template_make() {
    template=$(e2e_template_dir)
    rm -rf "$template"
    e2e_note "making the template Wine prefix $template"
    WINEPREFIX=$template WINEDEBUG=-all WINEDLLOVERRIDES=$E2E_DLLOVERRIDES \
        timeout "$E2E_TEMPLATE_TIMEOUT" wineboot -i >"$BIOSUPDATE_E2E_ROOT/template.log" 2>&1 ||
        e2e_fail "wineboot -i failed, see $BIOSUPDATE_E2E_ROOT/template.log"
    # A crash under test ends its process with the exception's status; no debugger, no dialog.
    WINEPREFIX=$template WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\WineDbg' \
        /v ShowCrashDialog /t REG_DWORD /d 0 /f >>"$BIOSUPDATE_E2E_ROOT/template.log" 2>&1 ||
        e2e_fail "cannot configure the template prefix"
    WINEPREFIX=$template wineserver -w
    [ -f "$template/system.reg" ] || e2e_fail "wineboot left no registry in $template"
    touch "$template/.e2e-ready"
}

# Ensures the template exists; scenario scripts run at the same time wait for one another.
# With "fresh", the template is remade (the fixture does this once per ctest run).
e2e_template_ensure() {
    e2e_require_env BIOSUPDATE_E2E_ROOT
    mkdir -p "$BIOSUPDATE_E2E_ROOT"
    (
        flock 9 || exit 1
        if [ "${1:-}" = fresh ] || [ ! -f "$(e2e_template_dir)/.e2e-ready" ]; then
            e2e_template_make
        fi
    ) 9>"$BIOSUPDATE_E2E_ROOT/template.lock" || e2e_fail "no template prefix"
}

# Entry point of the ctest fixture.
e2e_template_setup() {
    e2e_template_ensure fresh
    e2e_note "template ready"
}

# e2e_prefix_new NAME: a copy of the template as $E2E_PREFIX (the current prefix).
e2e_prefix_new() {
    e2e_template_ensure
    E2E_PREFIX=$E2E_WORK/$1
    rm -rf "$E2E_PREFIX"
    # A shared hold: no fixture of another run remakes the template while it is copied.
    (
        flock -s 9 || exit 1
        cp -a "$(e2e_template_dir)" "$E2E_PREFIX"
    ) 9>"$BIOSUPDATE_E2E_ROOT/template.lock" || e2e_fail "cannot copy the template to $E2E_PREFIX"
    E2E_PREFIXES="$E2E_PREFIXES $E2E_PREFIX"
    E2E_DRIVE_C=$E2E_PREFIX/drive_c
}

# e2e_prefix_use PATH: make an earlier prefix current again.
e2e_prefix_use() {
    E2E_PREFIX=$1
    E2E_DRIVE_C=$E2E_PREFIX/drive_c
}

# e2e_host_path 'C:\a\b': where that path lies on the host, for the current prefix.
e2e_host_path() {
    case $1 in
        [Cc]:\\* | [Cc]:) ;;
        *) e2e_fail "e2e_host_path: '$1' is not on drive C:" ;;
    esac
    rest=$(printf '%s\n' "$1" | cut -c3- | tr '\\' '/')
    printf '%s\n' "$E2E_DRIVE_C$rest"
}

# Waits until every process of the current prefix has ended and its wineserver has gone (the
# registry is saved then).
e2e_wine_end() {
    WINEPREFIX=$E2E_PREFIX timeout "$E2E_CMD_TIMEOUT" wineserver -w ||
        e2e_fail "the prefix's processes did not end"
}

# Ends every process of the current prefix at once.
e2e_wine_kill() {
    WINEPREFIX=$E2E_PREFIX wineserver -k >/dev/null 2>&1
    WINEPREFIX=$E2E_PREFIX wineserver -w >/dev/null 2>&1
    return 0
}

# e2e_program_files [--no-folder] 'C:\path': the Program Files folder that programs are told
# (SHGetFolderPathA reads this value). The platform answers only when the folder exists, so it is
# made unless --no-folder asks for the failing query.
e2e_program_files() {
    make_folder=1
    if [ "$1" = --no-folder ]; then
        make_folder=0
        shift
    fi
    if [ "$make_folder" -eq 1 ]; then
        mkdir -p "$(e2e_host_path "$1")" || e2e_fail "cannot create $1"
    fi
    e2e_wine reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion' /v ProgramFilesDir \
        /t REG_SZ /d "$1" /f >/dev/null || e2e_fail "cannot set ProgramFilesDir to $1"
}

# --- a faked /sys/class: installed BIOS version and power status --------------------------------

# e2e_fake_sys BIOS_VERSION AC BATTERY: builds a copy of /sys/class where Wine finds the given
# BIOS version ("" for none), mains power (1, 0 or none) and battery charge (a per cent, or none
# for no battery), and makes it current ($E2E_SYS): every Windows program started from then on
# sees it. e2e_real_sys goes back to the machine's own.
e2e_fake_sys() {
    E2E_SYS_COUNT=$((${E2E_SYS_COUNT:-0} + 1))
    dir=$E2E_WORK/sys-$E2E_SYS_COUNT
    mkdir -p "$dir"
    # Write-only attributes cannot be copied; nothing here reads them.
    cp -a /sys/class/. "$dir"/ 2>"$dir.copy-errors"
    grep -v 'Permission denied' "$dir.copy-errors" >&2 && e2e_fail "cannot copy /sys/class"
    # The machine's own entries would be links into a /sys/devices that the copy lacks.
    rm -rf "$dir/dmi" "$dir/power_supply"
    mkdir -p "$dir/dmi/id" "$dir/power_supply" || e2e_fail "cannot build $dir"
    if [ -n "$1" ]; then
        # Wine numbers the BIOS strings from the vendor on: without one, the version reads wrong.
        printf '%s\n' "Tavren" >"$dir/dmi/id/bios_vendor"
        printf '%s\n' "$1" >"$dir/dmi/id/bios_version"
        printf '%s\n' "01/14/2015" >"$dir/dmi/id/bios_date"
    fi
    if [ "$2" != none ]; then
        mkdir -p "$dir/power_supply/AC"
        # Wine reads "online" only from an entry whose type is Mains.
        printf 'Mains\n' >"$dir/power_supply/AC/type"
        printf '%s\n' "$2" >"$dir/power_supply/AC/online"
    fi
    if [ "$3" != none ]; then
        bat=$dir/power_supply/BAT0
        mkdir -p "$bat"
        printf 'Battery\n' >"$bat/type"
        if [ "$2" = 1 ]; then printf 'Charging\n' >"$bat/status"; else printf 'Discharging\n' >"$bat/status"; fi
        printf '1\n' >"$bat/present"
        printf '5000000\n' >"$bat/charge_full"
        printf '%s\n' "$(($3 * 50000))" >"$bat/charge_now"
        printf '12000000\n' >"$bat/voltage_now"
    fi
    E2E_SYS=$dir
}

e2e_real_sys() { E2E_SYS=""; }

# e2e_small_disk 'C:\dir' SIZE: a tmpfs of SIZE (a mount size such as 64k) over that folder, so
# that writes there run out of space. Files are created by the prefix's wineserver, so the tmpfs
# must be in the server's mount namespace: this waits until the prefix's programs and server have
# ended (call it when nothing of the prefix runs), and the next program starts a server inside
# its own namespace. The small disk and its content live as long as that server (it stays about
# three seconds after its last program); e2e_normal_disk waits for it to end and stops mounting.
e2e_small_disk() {
    e2e_wine_end
    E2E_SMALL_DISK=$(e2e_host_path "$1")
    mkdir -p "$E2E_SMALL_DISK" || e2e_fail "cannot create $1"
    E2E_SMALL_DISK_SIZE=$2
}

e2e_normal_disk() {
    e2e_wine_end
    E2E_SMALL_DISK=""
}

# e2e_in_sys COMMAND...: runs COMMAND in a private mount namespace with the current fake
# /sys/class bound over the real one and the small disk mounted, when there are such; otherwise
# as it is.
e2e_in_sys() {
    if [ -z "$E2E_SYS" ] && [ -z "${E2E_SMALL_DISK:-}" ]; then
        "$@"
        return
    fi
    unshare -m sh -c '
        if [ -n "$0" ]; then mount --bind "$0" /sys/class || exit 125; fi
        if [ -n "$1" ]; then mount -t tmpfs -o "size=$2" tmpfs "$1" || exit 125; fi
        shift 2
        exec "$@"' "$E2E_SYS" "${E2E_SMALL_DISK:-}" "${E2E_SMALL_DISK_SIZE:-}" "$@"
}

# --- the display --------------------------------------------------------------------------------

# One Xvfb for the script, 1024x768x24; DISPLAY is exported for every later program.
e2e_xvfb_start() {
    [ -z "$E2E_XVFB_PID" ] || return 0
    rm -f "$E2E_WORK/xvfb.display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$E2E_WORK/xvfb.display" \
        >"$E2E_WORK/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    tries=0
    while [ ! -s "$E2E_WORK/xvfb.display" ]; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ] || ! kill -0 "$E2E_XVFB_PID" 2>/dev/null; then
            e2e_fail "Xvfb did not start, see $E2E_WORK/xvfb.log"
        fi
        sleep 0.1
    done
    DISPLAY=:$(tr -d '\n' <"$E2E_WORK/xvfb.display")
    export DISPLAY
    e2e_note "Xvfb on $DISPLAY"
}

e2e_xvfb_stop() {
    if [ -n "$E2E_XVFB_PID" ]; then
        kill "$E2E_XVFB_PID" 2>/dev/null
        wait "$E2E_XVFB_PID" 2>/dev/null
        E2E_XVFB_PID=""
    fi
    return 0
}

# e2e_screenshot NAME: the whole screen as $E2E_WORK/NAME.png, path in $E2E_SHOT.
e2e_screenshot() {
    E2E_SHOT=$E2E_WORK/$1.png
    import -display "$DISPLAY" -window root "$E2E_SHOT" || e2e_fail "screenshot failed"
    e2e_note "screenshot $E2E_SHOT"
}

# --- running Windows programs -------------------------------------------------------------------

# e2e_run_windows TIMEOUT CWD ENVS LOCALE PROGRAM ARG...: the common part of every Windows run.
# ENVS holds one NAME=VALUE per line (values may hold blanks and backslashes).
e2e_run_windows() {
    run_timeout=$1
    run_cwd=$2
    run_envs=$3
    run_locale=$4
    shift 4
    [ -n "${E2E_PREFIX:-}" ] || e2e_fail "no Wine prefix (call e2e_prefix_new first)"
    host_cwd=$(e2e_host_path "$run_cwd")
    [ -d "$host_cwd" ] || e2e_fail "current directory $run_cwd does not exist"
    (
        cd "$host_cwd" || exit 1
        export WINEPREFIX="$E2E_PREFIX" WINEDEBUG=-all LC_ALL="$run_locale"
        export WINEDLLOVERRIDES="$E2E_DLLOVERRIDES"
        while IFS= read -r assignment; do
            if [ -n "$assignment" ]; then export "${assignment?}"; fi
        done <<EOF
$run_envs
EOF
        e2e_in_sys timeout -k 5 "$run_timeout" wine "$@"
    )
}

# Reads the options --cwd 'C:\dir', --locale LOCALE (default $E2E_LOCALE) and --env NAME=VALUE
# (repeatable) into opt_cwd, opt_locale and opt_envs; opt_shift is how many arguments they took.
e2e_parse_run_options() {
    opt_cwd='C:\'
    opt_locale=$E2E_LOCALE
    opt_envs=""
    opt_shift=0
    while :; do
        case ${1:-} in
            --cwd) opt_cwd=$2 ;;
            --locale) opt_locale=$2 ;;
            --env) opt_envs="$opt_envs
$2" ;;
            *) return 0 ;;
        esac
        shift 2
        opt_shift=$((opt_shift + 2))
    done
}

# e2e_wine [--cwd 'C:\dir'] [--locale L] [--env NAME=VALUE]... PROGRAM ARG...: runs a Windows
# program in the current prefix (WINEDEBUG=-all, LC_ALL=L or $E2E_LOCALE, the current fake
# sysfs), its current directory C:\ unless --cwd says otherwise, and returns its status (cut to 8 bits by Wine; 124
# when it ran longer than E2E_CMD_TIMEOUT seconds). Wine re-quotes arguments that hold blanks:
# for an exact command line use e2e_launch.
e2e_wine() {
    e2e_parse_run_options "$@"
    shift "$opt_shift"
    e2e_run_windows "$E2E_CMD_TIMEOUT" "$opt_cwd" "$opt_envs" "$opt_locale" "$@"
}

# e2e_run_launcher TIMEOUT CWD ENVS LOCALE TEXT: launcher.exe starts TEXT in CWD. The exact text
# travels in the environment, which nothing re-quotes.
e2e_run_launcher() {
    e2e_require_env BIOSUPDATE_LAUNCHER_EXE
    e2e_run_windows "$1" 'C:\' "$3
E2E_LAUNCH_TEXT=$5" "$4" "$BIOSUPDATE_LAUNCHER_EXE" --cwd "$2" --text-from E2E_LAUNCH_TEXT
}

# The command line after the options: "--" and one argument.
e2e_launch_text() {
    if [ "${1:-}" != -- ] || [ "$#" -ne 2 ]; then
        e2e_fail "launch: expected [options] -- 'COMMAND LINE' (one argument after --)"
    fi
    launch_text=$2
}

# Sets E2E_EXIT, E2E_PID and E2E_START_ERROR from the launcher's output in E2E_OUT.
e2e_read_launcher_output() {
    E2E_EXIT=$(e2e_kv exit "$E2E_OUT")
    E2E_PID=$(e2e_kv pid "$E2E_OUT")
    E2E_START_ERROR=$(e2e_kv start_error "$E2E_OUT")
}

# e2e_launch [--cwd 'C:\dir'] [--locale L] [--env NAME=VALUE]... -- 'TEXT': starts a program with TEXT as its
# exact command line (no application name: the system resolves the program from TEXT, blanks
# and all) and current directory --cwd (default C:\), and waits for it. Sets E2E_OUT (launcher
# output), E2E_EXIT (the program's full 32-bit exit status; empty when it did not start),
# E2E_START_ERROR (the start's GetLastError when it did not start) and E2E_PID.
e2e_launch() {
    e2e_parse_run_options "$@"
    shift "$opt_shift"
    e2e_launch_text "$@"
    E2E_OUT=$(e2e_run_launcher "$E2E_CMD_TIMEOUT" "$opt_cwd" "$opt_envs" "$opt_locale" \
        "$launch_text" </dev/null)
    e2e_read_launcher_output
}

# e2e_launch_bg TAG [options] -- 'TEXT': as e2e_launch, in the background; e2e_wait_bg collects it.
e2e_launch_bg() {
    bg_tag=$1
    shift
    e2e_parse_run_options "$@"
    shift "$opt_shift"
    e2e_launch_text "$@"
    e2e_start_bg "$bg_tag" "$opt_cwd" "$opt_envs" "$opt_locale" "$launch_text"
}

# e2e_start_bg TAG CWD ENVS LOCALE TEXT
e2e_start_bg() {
    rm -f "$E2E_WORK/$1.out"
    # e2e_wait_bg is the bound; this one only stops a run that nobody waits for.
    e2e_run_launcher 86400 "$2" "$3" "$4" "$5" >"$E2E_WORK/$1.out" 2>"$E2E_WORK/$1.err" </dev/null &
    printf '%s\n' "$!" >"$E2E_WORK/$1.pid"
    E2E_BG_TAGS="$E2E_BG_TAGS $1"
}

# e2e_wait_bg TAG TIMEOUT_SECONDS: waits for a background launch and sets what e2e_launch sets. On
# timeout every process of the prefix is ended and the script fails.
e2e_wait_bg() {
    wait_tag=$1
    limit=$(($2 * 10))
    pid=$(cat "$E2E_WORK/$wait_tag.pid") || e2e_fail "no background run '$wait_tag'"
    ticks=0
    while kill -0 "$pid" 2>/dev/null; do
        ticks=$((ticks + 1))
        if [ "$ticks" -gt "$limit" ]; then
            e2e_wine_kill
            wait "$pid" 2>/dev/null
            e2e_fail "'$wait_tag' did not end within $2 s; its output so far:
$(cat "$E2E_WORK/$wait_tag.out")"
        fi
        sleep 0.1
    done
    wait "$pid" 2>/dev/null
    E2E_OUT=$(cat "$E2E_WORK/$wait_tag.out")
    e2e_read_launcher_output
}

# --- the product ------------------------------------------------------------------------------

# e2e_install_product ['C:\dir']: copies BIOSUpdate.exe into the current prefix; its Windows path
# is then $E2E_PRODUCT (default C:\bin\BIOSUpdate.exe).
e2e_install_product() {
    product_dir=${1:-'C:\bin'}
    if [ -z "${BIOSUPDATE_PRODUCT_EXE:-}" ] || [ ! -f "$BIOSUPDATE_PRODUCT_EXE" ]; then
        e2e_fail "BIOSUpdate.exe is not built (BIOSUPDATE_PRODUCT_EXE='${BIOSUPDATE_PRODUCT_EXE:-}')"
    fi
    mkdir -p "$(e2e_host_path "$product_dir")"
    cp "$BIOSUPDATE_PRODUCT_EXE" "$(e2e_host_path "$product_dir")/BIOSUpdate.exe" ||
        e2e_fail "cannot copy BIOSUpdate.exe into $product_dir"
    E2E_PRODUCT="$product_dir\\BIOSUpdate.exe"
}

# e2e_product_start [--cwd 'C:\dir'] [--locale L] [--env NAME=VALUE]... ['ARGUMENTS']: starts the product in
# the background (current directory C:\ unless --cwd says); its command line is its path, and one
# blank and ARGUMENTS when given. For any other exact text use e2e_launch_bg with $E2E_PRODUCT.
e2e_product_start() {
    e2e_parse_run_options "$@"
    shift "$opt_shift"
    [ -n "${E2E_PRODUCT:-}" ] || e2e_fail "e2e_product_start: call e2e_install_product first"
    if [ -n "${1:-}" ]; then
        e2e_start_bg product "$opt_cwd" "$opt_envs" "$opt_locale" "$E2E_PRODUCT $1"
    else
        e2e_start_bg product "$opt_cwd" "$opt_envs" "$opt_locale" "$E2E_PRODUCT"
    fi
}

# e2e_product_wait TIMEOUT_SECONDS: E2E_EXIT is then the product's exit status.
e2e_product_wait() { e2e_wait_bg product "$1"; }

# --- the UI driver ----------------------------------------------------------------------------

# e2e_ui SUBCOMMAND ARG...: runs ui_driver.exe; its output is in E2E_UI, its status returned.
e2e_ui() {
    e2e_require_env BIOSUPDATE_UI_DRIVER_EXE
    ui_status=0
    e2e_wine "$BIOSUPDATE_UI_DRIVER_EXE" "$@" </dev/null >"$E2E_WORK/ui.out" || ui_status=$?
    E2E_UI=$(tr -d '\r' <"$E2E_WORK/ui.out")
    return "$ui_status"
}

# --- the stand-in kit -------------------------------------------------------------------------

# e2e_install_standin_kit 'C:\dir': the stand-in flash utility, the kit's other eight files and
# the stand-in image, as a deployed working folder holds them.
e2e_install_standin_kit() {
    e2e_require_env BIOSUPDATE_STANDIN_EXE BIOSUPDATE_STANDIN_DIR BIOSUPDATE_STANDIN_IMAGE
    kit_target=$(e2e_host_path "$1")
    mkdir -p "$kit_target" || e2e_fail "cannot create $1"
    for kit_file in mfc42.dll msvcp60.dll msvcrt.dll PHLASH.INI PhlashLc.dll Phlash9X.vxd \
        PhlashNT.sys WINPHLASH.GID; do
        cp "$BIOSUPDATE_STANDIN_DIR/$kit_file" "$kit_target/" || e2e_fail "cannot copy $kit_file"
    done
    cp "$BIOSUPDATE_STANDIN_EXE" "$kit_target/SWinFlash.exe" || e2e_fail "cannot copy SWinFlash.exe"
    cp "$BIOSUPDATE_STANDIN_IMAGE" "$kit_target/ZKRBTF11.IMC" || e2e_fail "cannot copy the image"
}

# --- the registry -----------------------------------------------------------------------------

# e2e_reg_query KEY VALUE: sets E2E_REG_TYPE and E2E_REG_DATA (as "reg query" shows them); status
# 1, both empty, when the value does not exist.
e2e_reg_query() {
    E2E_REG_TYPE=""
    E2E_REG_DATA=""
    reg_out=$(e2e_wine reg query "$1" /v "$2" 2>/dev/null </dev/null | tr -d '\r')
    reg_line=$(printf '%s\n' "$reg_out" | grep -E "^    $2    REG_" | head -n 1)
    [ -n "$reg_line" ] || return 1
    reg_rest=${reg_line#    "$2"    }
    E2E_REG_TYPE=${reg_rest%%    *}
    E2E_REG_DATA=${reg_rest#"$E2E_REG_TYPE"    }
}

# e2e_reg_saved HIVE-FILE KEY VALUE: the line that wineserver saved for a value, KEY as the file
# writes it (e.g. 'Software\\Tavren\\BIOSUPDATE\\Parameters' in userdef.reg for HKU\.DEFAULT).
# Shows how a value is stored, e.g. whether a string carries its terminator. The hive is written
# when the prefix's wineserver ends: call e2e_wine_end first.
e2e_reg_saved() {
    # Through the environment: awk -v would undo the file's doubled backslashes.
    E2E_AWK_KEY="[$2]" E2E_AWK_NAME="\"$3\"=" awk '
        index($0, "[") == 1 { inside = (index($0, ENVIRON["E2E_AWK_KEY"]) == 1); next }
        inside && index($0, ENVIRON["E2E_AWK_NAME"]) == 1 { print; exit }' "$E2E_PREFIX/$1"
}

# e2e_check_ours_or_gone WHAT HOST-FOLDER: each of the eight deployed files and the image in the
# folder is either gone or still byte for byte its payload (what a clean-up during a flash
# leaves: the files held for the flash stay, and they are ours).
e2e_check_ours_or_gone() {
    for id_name in 165:SWinFlash.exe 154:mfc42.dll 156:msvcp60.dll 157:msvcrt.dll \
        158:PHLASH.INI 160:PhlashLc.dll 159:Phlash9X.vxd 161:PhlashNT.sys 168:ZKRBTF11.IMC; do
        name=${id_name#*:}
        if [ -e "$2/$name" ]; then
            payload=""
            eval "payload=\${BIOSUPDATE_PAYLOAD_${id_name%%:*}:-}"
            e2e_check_same_file "$1: $name still ours" "$payload" "$2/$name"
        else
            e2e_pass "$1: $name removed"
        fi
    done
}

# e2e_wait_file HOST-PATH TIMEOUT_MS WHAT: waits until the path exists, polling every 20 ms; fails
# with WHAT when it has not appeared in time.
e2e_wait_file() {
    wait_limit=$(($2 / 20))
    wait_tries=0
    until [ -e "$1" ]; do
        wait_tries=$((wait_tries + 1))
        [ "$wait_tries" -lt "$wait_limit" ] || e2e_fail "$3"
        sleep 0.02
    done
}
