# A kit given to the build from a folder: one with a file missing and one with an empty payload
# (a kit file, or the image) are refused when the build is configured, naming the file; the
# complete kit configures. Each case configures a scratch build folder of its own.
# shellcheck shell=sh
. "$(dirname "$0")/lib.sh"

e2e_begin fault_kit
e2e_require_env BIOSUPDATE_SOURCE_DIR BIOSUPDATE_STANDIN_DIR BIOSUPDATE_STANDIN_EXE BIOSUPDATE_STANDIN_IMAGE

# kit_folder NAME: a complete kit under its target names, the stand-in's files.
kit_folder() {
    folder=$E2E_WORK/$1
    mkdir -p "$folder" || e2e_fail "cannot create $folder"
    for name in mfc42.dll msvcp60.dll msvcrt.dll PHLASH.INI PhlashLc.dll Phlash9X.vxd PhlashNT.sys \
        WINPHLASH.GID; do
        cp "$BIOSUPDATE_STANDIN_DIR/$name" "$folder/" || e2e_fail "cannot copy $name"
    done
    cp "$BIOSUPDATE_STANDIN_EXE" "$folder/SWinFlash.exe" || e2e_fail "cannot copy SWinFlash.exe"
    echo "$folder"
}

# configure NAME [-Dvar=value...]: configures a scratch build folder; its status in CONFIGURE_STATUS
# and its output, blanks and line ends squeezed to single blanks, in CONFIGURE_OUT.
configure() {
    CONFIGURE_STATUS=0
    cmake -S "$BIOSUPDATE_SOURCE_DIR" -B "$E2E_WORK/$1-build" --preset windows "$@" \
        >"$E2E_WORK/$1.log" 2>&1 || CONFIGURE_STATUS=$?
    CONFIGURE_OUT=$(tr -s ' \n' '  ' <"$E2E_WORK/$1.log")
}

complete=$(kit_folder complete)
configure complete "-DBIOSUPDATE_KIT_DIR=$complete"
e2e_check_eq "complete kit: configured" 0 "$CONFIGURE_STATUS"
e2e_check_match "complete kit: taken from its folder" "Flash utility kit: $complete" "$CONFIGURE_OUT"

missing=$(kit_folder missing)
rm "$missing/PhlashNT.sys"
configure missing "-DBIOSUPDATE_KIT_DIR=$missing"
e2e_check_ne "file missing: refused" 0 "$CONFIGURE_STATUS"
e2e_check_match "file missing: named" "lacks these kit files \\(exact names needed\\): PhlashNT.sys " \
    "$CONFIGURE_OUT"

empty=$(kit_folder empty)
: >"$empty/PHLASH.INI"
configure empty "-DBIOSUPDATE_KIT_DIR=$empty"
e2e_check_ne "empty kit file: refused" 0 "$CONFIGURE_STATUS"
e2e_check_match "empty kit file: named" \
    "holds empty kit files \\(every kit file must have content\\): PHLASH.INI " "$CONFIGURE_OUT"

: >"$E2E_WORK/ZKRBTF11.IMC"
configure empty-image "-DBIOSUPDATE_KIT_DIR=$complete" "-DBIOSUPDATE_IMAGE_FILE=$E2E_WORK/ZKRBTF11.IMC"
e2e_check_ne "empty image: refused" 0 "$CONFIGURE_STATUS"
e2e_check_match "empty image: named" "BIOSUPDATE_IMAGE_FILE: \"$E2E_WORK/ZKRBTF11.IMC\" is empty" \
    "$CONFIGURE_OUT"
rm -rf "$E2E_WORK"/*-build
