# The power gate through a faked /sys/class: refusals show the right message in the system's
# language, after the listed files are gone; charges of 20 and 100 % on mains pass to the prompt.
# shellcheck shell=sh disable=SC1003
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/startup_common.sh"

start_prepare startup_power

# ac battery locale -> message exit status
while read -r ac battery locale message status; do
    language=english
    if [ "$locale" = ko_KR.UTF-8 ]; then language=korean; fi
    label="ac=$ac battery=$battery $language"
    e2e_fake_sys ZKRBTF10 "$ac" "$battery"
    start_plant_files
    e2e_product_start --locale "$locale"
    start_expect_box "BIOS Update" "$(start_message "$message" "$language")" none
    start_check_listed_gone "$label, box up"
    e2e_ui press "BIOS Update" ok || e2e_fail "the box took no answer"
    e2e_product_wait 30
    e2e_check_eq "$label: exit status" "$status" "$E2E_EXIT"
done <<'CASES'
0 100 en_US.UTF-8 140 20
1 19 en_US.UTF-8 136 21
1 none en_US.UTF-8 136 21
0 100 ko_KR.UTF-8 140 20
1 19 ko_KR.UTF-8 136 21
CASES

# The limits pass: the prompt comes (and No ends the run).
for battery in 20 100; do
    e2e_fake_sys ZKRBTF10 1 "$battery"
    e2e_product_start
    e2e_ui wait "BIOS update" 60000 || e2e_fail "battery $battery: no prompt"
    e2e_pass "battery $battery on mains passes the gate"
    e2e_ui press "BIOS update" no || e2e_fail "the prompt took no answer"
    e2e_product_wait 30
    e2e_check_eq "battery $battery, declined: exit status" 1602 "$E2E_EXIT"
done
