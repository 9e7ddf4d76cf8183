# A second start while the first instance holds the name ends at once, silently, deleting
# nothing, with or without the argument 1; the name stays taken until the first has ended.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/startup_common.sh"

start_prepare startup_second_instance
e2e_fake_sys ZKRBTF10 1 80
start_plant_files
start_set_run_value

# The first instance waits at its prompt.
e2e_product_start
e2e_ui wait "BIOS update" 60000 || e2e_fail "no prompt from the first instance"

for text in "" " 1"; do
    e2e_launch -- "$E2E_PRODUCT$text"
    e2e_check_eq "second instance '$text': exit status (ERROR_INSTALL_ALREADY_RUNNING)" 1618 "$E2E_EXIT"
    start_check_listed_present "second instance '$text'"
    start_run_value_exists || e2e_fail "second instance '$text' deleted the Run value"
done
e2e_ui info "BIOS update" || e2e_fail "the first instance's prompt went away"

# The first instance declines: its files go, and then the name is free again.
e2e_ui press "BIOS update" no || e2e_fail "the prompt took no answer"
e2e_product_wait 30
e2e_check_eq "first instance declined: exit status (ERROR_INSTALL_USEREXIT)" 1602 "$E2E_EXIT"
start_check_listed_gone "after No"
e2e_launch -- "$E2E_PRODUCT 1"
e2e_check_eq "a start after the first ended runs: clean-up status" 0 "$E2E_EXIT"
