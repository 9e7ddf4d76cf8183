# The working folder at the lengths where the platform's path limit bites, and with a Program
# Files query that fails: clean-up mode through the real executable. Paths are never cut: a file
# whose path is too long for the "A" functions is left alone as the platform would leave it, and a
# failed query addresses no folder at all (not \BIOSUPDATE at the root of the current drive).
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/startup_common.sh"

start_prepare startup_paths

# program_files_of_length N: a Windows path of exactly N characters under C:\.
program_files_of_length() {
    path='C:\PF'
    while [ "${#path}" -lt "$1" ]; do
        room=$(($1 - ${#path} - 1))
        if [ "$room" -le 0 ]; then path="${path}p"; break; fi
        if [ "$room" -gt 100 ]; then room=100; fi
        path="$path\\$(printf '%*s' "$room" '' | tr ' ' p)"
    done
    printf '%s\n' "$path"
}

for length in 234 235; do
    pf=$(program_files_of_length "$length")
    e2e_check_eq "Program Files length" "$length" "${#pf}"
    e2e_program_files "$pf"
    START_WORK=$(e2e_host_path "$pf\\BIOSUPDATE")
    start_plant_files
    e2e_launch -- "$E2E_PRODUCT 1"
    e2e_check_eq "clean-up at $length: exit status" 0 "$E2E_EXIT"
    left=$(ls "$START_WORK" 2>/dev/null | tr '\n' ' ')
    if [ "$length" -eq 234 ]; then
        e2e_check_no_file "clean-up at 234: everything fits, the folder is gone" "$START_WORK"
    else
        # 235 + "\BIOSUPDATE\" + 13 characters is 260: those two names are out of reach.
        e2e_check_eq "clean-up at 235: what the platform cannot address stays" \
            "SWinFlash.exe WINPHLASH.GID " "$left"
    fi
done

# The query fails (the folder it names does not exist): nothing anywhere is touched.
e2e_program_files --no-folder 'C:\No Such Program Files'
root_folder=$(e2e_host_path 'C:\BIOSUPDATE')
mkdir -p "$root_folder"
printf 'not ours\n' >"$root_folder/PHLASH.INI"
e2e_launch -- "$E2E_PRODUCT 1"
e2e_check_eq "clean-up with a failed query: exit status" 0 "$E2E_EXIT"
e2e_check_file "C:\\BIOSUPDATE at the drive's root is left alone" "$root_folder/PHLASH.INI"
