# Clean-up mode: which argument texts select it, and what it does (the Run value and the listed
# files go, nothing is shown, the power status does not matter). Texts that select an update run
# are shown to do so by the power refusal that follows them on this battery-powered machine.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/startup_common.sh"

start_prepare startup_cleanup
# On battery: an update run would be refused at once with message 140.
e2e_fake_sys ZKRBTF10 0 50

# Each text is handed over as the exact rest of the command line. Nothing may be shown: a box
# would hold the process until answered, and the launch would not end.
while IFS='|' read -r label text; do
    start_set_run_value
    start_plant_files notes.txt
    e2e_launch -- "$E2E_PRODUCT$text"
    e2e_check_eq "clean-up '$label': exit status" 0 "$E2E_EXIT"
    start_check_listed_gone "clean-up '$label'"
    e2e_check_file "clean-up '$label': unlisted file kept" "$START_WORK/notes.txt"
    if start_run_value_exists; then e2e_fail "clean-up '$label': the Run value is still there"; fi
    e2e_pass "clean-up '$label': Run value gone"
done <<'TEXTS'
1| 1
blank 1|  1
tab 1| 	1
+1| +1
01| 01
1a| 1a
1 x| 1 x
TEXTS

# Only listed files: the folder goes too.
rm -f "$START_WORK/notes.txt"
start_plant_files
e2e_launch -- "$E2E_PRODUCT 1"
e2e_check_no_file "clean-up with only listed files removes the folder" "$START_WORK"
# A backup beside them keeps the folder (and the backup: it is not in the list).
start_plant_files BIOS.bak
e2e_launch -- "$E2E_PRODUCT 1"
start_check_listed_gone "clean-up with a backup"
e2e_check_file "clean-up with a backup keeps it" "$START_WORK/BIOS.bak"
rm -rf "$START_WORK"
# No folder at all: nothing to do, still status 0.
e2e_launch -- "$E2E_PRODUCT 1"
e2e_check_eq "clean-up without a folder: exit status" 0 "$E2E_EXIT"

# Texts that select an update run: the power gate answers them (off mains: 140, status 20), after
# the listed files are gone, and the Run value stays.
off_mains=$(start_message 140 english)
while IFS='|' read -r label text; do
    start_set_run_value
    start_plant_files
    e2e_launch_bg update -- "$E2E_PRODUCT$text"
    start_expect_box "BIOS Update" "$off_mains" none
    start_check_listed_gone "update '$label', box up"
    e2e_ui press "BIOS Update" ok || e2e_fail "the box took no answer"
    e2e_wait_bg update 30
    e2e_check_eq "update '$label': exit status" 20 "$E2E_EXIT"
    start_run_value_exists || e2e_fail "update '$label': the Run value was deleted"
    e2e_pass "update '$label': Run value kept"
done <<'TEXTS'
empty|
0| 0
2| 2
-1| -1
10| 10
/1| /1
a1| a1
overflowing 1| 4294967297
TEXTS
