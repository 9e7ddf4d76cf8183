# Writes the stand-in BIOS image: one header line that the stand-in flash utility reads
# (family and revision), then about 270 KiB of deterministic filler.
#   cmake -DOUTPUT=<file> -P gen_image.cmake
# The filler holds every byte value but NUL (CR, LF and Ctrl-Z included) and numbers its
# blocks, so a copy that converts line ends, stops early or repeats a chunk differs.
if(NOT OUTPUT)
    message(FATAL_ERROR "gen_image.cmake: pass -DOUTPUT=<file>")
endif()

set(header "STAND-IN BIOS IMAGE family=ZKRBT revision=F11 name=ZKRBTF11.IMC")
string(APPEND header " (made by the BIOS update build; not a BIOS image, flashes nothing)\r\n")

set(codes "")
foreach(code RANGE 1 255)
    list(APPEND codes ${code})
endforeach()
string(ASCII ${codes} bytes)

set(filler "")
foreach(block RANGE 0 1023)
    string(LENGTH "${block}" digits)
    math(EXPR pad "4 - ${digits}")
    string(REPEAT "0" ${pad} zeros)
    # 12 + 255 + 1 = 268 bytes per block.
    string(APPEND filler "[block ${zeros}${block}]" "${bytes}" "\n")
endforeach()

file(WRITE "${OUTPUT}.tmp" "${header}${filler}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
