# A C:\Program.exe planted beside "C:\Program Files": an unquoted start of the utility would run
# it. The flash run starts the real utility in the working folder and never the planted one.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/run_common.sh"

run_prepare run_program_exe
run_reset
# A copy of the stand-in: had it run, it would have added its own record.
cp "$BIOSUPDATE_STANDIN_EXE" "$E2E_DRIVE_C/Program.exe" || e2e_fail "cannot plant C:\\Program.exe"
run_update ZKRBTF10
run_check_flash
e2e_check_no_match "records of C:\\Program.exe" 'exe=C:\\Program\.exe' "$RUN_LOG"
