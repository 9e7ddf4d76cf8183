# shellcheck shell=sh
# Helpers of the splash window's scenarios, sourced after lib.sh: a display of a chosen size, a
# fast series of screen captures, and a pixel check of each captured frame against the pictures
# in res/art.

# splash_xvfb_start WIDTHxHEIGHT: the harness's display, at that size instead of its default.
splash_xvfb_start() {
    SPLASH_SCREEN=$1
    # Only the screen argument of the harness's own start differs.
    Xvfb() {
        for arg in "$@"; do
            shift
            if [ "$arg" = 1024x768x24 ]; then arg=${SPLASH_SCREEN}x24; fi
            set -- "$@" "$arg"
        done
        exec Xvfb "$@"
    }
    e2e_xvfb_start
    unset -f Xvfb
}

splash_now_ms() { echo $(($(date +%s%N) / 1000000)); }

# splash_capture TAG COUNT [GAP_MS]: COUNT captures of the whole screen, one right after the other
# (or GAP_MS apart), as
# $E2E_WORK/TAG-N.ppm, with the capture times (ms, on the splash_now_ms clock) in TAG.times.
splash_capture() {
    n=0
    : >"$E2E_WORK/$1.times"
    while [ "$n" -lt "$2" ]; do
        n=$((n + 1))
        t=$(splash_now_ms)
        import -display "$DISPLAY" -window root -depth 8 "$E2E_WORK/$1-$n.ppm" ||
            e2e_fail "capture failed"
        echo "$1-$n.ppm $t" >>"$E2E_WORK/$1.times"
        if [ -n "${3:-}" ] && [ "$n" -lt "$2" ]; then
            until [ "$(splash_now_ms)" -ge $((t + $3)) ]; do sleep 0.02; done
        fi
    done
}

# splash_frames TAG korean|english ORIGIN_X ORIGIN_Y: checks every capture of the series and
# prints one line per capture, in order:
#   <file> <time> black                  nothing but black on the screen (no frame yet)
#   <file> <time> frame <step> <left> <right> <top> <bottom> <white>
#                                        the frame at the origin, outside it black, its picture
#                                        untouched, the strip as that step places it (<step> is
#                                        "empty" for 0 and 31), the text's columns and rows in
#                                        the frame (- when there is none) and whether any of it
#                                        is full white
#   <file> <time> bad <reason>           anything else
# Fails (status 1) when a capture cannot be read.
splash_frames() {
    e2e_require_env BIOSUPDATE_SOURCE_DIR
    case $2 in
        korean) picture=splash_ko.bmp ;;
        english) picture=splash_en.bmp ;;
        *) e2e_fail "splash_frames: locale '$2'" ;;
    esac
    art=$BIOSUPDATE_SOURCE_DIR/res/art
    convert "$art/$picture" -depth 8 ppm:"$E2E_WORK/picture.ppm" || e2e_fail "cannot read $picture"
    convert "$art/strip.bmp" -depth 8 ppm:"$E2E_WORK/strip.ppm" || e2e_fail "cannot read strip.bmp"
    python3 - "$E2E_WORK" "$1" "$2" "$3" "$4" <<'EOF'
import sys

work, tag, locale, ox, oy = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4]), int(sys.argv[5])
FW, FH = 640, 480
STRIP_Y, STRIP_H, STRIP_W = 354, 9, 22
BAND_TOP = 300 if locale == "korean" else 310
BAND_H = 25


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos) + 1
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b"P6" and fields[3] == b"255", path
    w, h = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:pos + 1 + w * h * 3]
    return w, h, [pixels[y * w * 3:(y + 1) * w * 3] for y in range(h)]


# Where the strip goes for a step: frame columns dest..dest+width-1 show strip columns
# src..src+width-1. Entering, the strip shows its right-most 4 x step columns; then it slides
# whole, 4 pixels a step; leaving, it is cut at column 378, the trough interior's last.
def placement(step):
    if step <= 0 or step > 31:
        return None
    f = 4 * step
    dest = 379 if f >= 124 else 255 + f
    if f <= STRIP_W:
        return dest, f, STRIP_W - f
    return dest, min(124 - f, STRIP_W), 0


_, _, picture = read_ppm(work + "/picture.ppm")
_, _, strip = read_ppm(work + "/strip.ppm")


def with_strip(step):
    rows = [bytearray(picture[STRIP_Y + r]) for r in range(STRIP_H)]
    place = placement(step)
    if place:
        dest, width, src = place
        for r in range(STRIP_H):
            rows[r][dest * 3:(dest + width) * 3] = strip[r][src * 3:(src + width) * 3]
    return [bytes(r) for r in rows]


troughs = {}
for step in range(1, 31):
    troughs[step] = with_strip(step)
troughs["empty"] = with_strip(0)


def check(path):
    w, h, rows = read_ppm(path)
    black_row = bytes(w * 3)
    if all(r == black_row for r in rows):
        return "black"
    for y in range(h):
        fy = y - oy
        row = rows[y]
        inside = 0 <= fy < FH
        left = row[:max(ox, 0) * 3] if inside else row
        right = row[(ox + FW) * 3:] if inside else b""
        if left.count(0) != len(left) or right.count(0) != len(right):
            return "bad not black outside the frame in screen row %d" % y
    # The frame's columns that lie on the screen.
    x0, x1 = max(0, -ox), min(FW, w - ox)
    frame = [rows[oy + fy][(ox + x0) * 3:(ox + x1) * 3] for fy in range(FH)]

    def want(fy, r=None):
        return (r if r is not None else picture[fy])[x0 * 3:x1 * 3]

    seen = [s for s, t in troughs.items() if all(frame[STRIP_Y + r] == want(0, t[r]) for r in range(STRIP_H))]
    if not seen:
        return "bad the trough shows no step of the strip"
    text = []
    for fy in range(FH):
        if STRIP_Y <= fy < STRIP_Y + STRIP_H or frame[fy] == want(fy):
            continue
        if not (BAND_TOP <= fy < BAND_TOP + BAND_H):
            return "bad frame row %d differs from the picture" % fy
        got, exp = frame[fy], want(fy)
        for i in range(0, len(got), 3):
            if got[i:i + 3] != exp[i:i + 3]:
                r, g, b = got[i], got[i + 1], got[i + 2]
                if exp[i:i + 3] != b"\0\0\0" or not (r == g == b):
                    return "bad text band pixel %d,%d is not grey on black" % (x0 + i // 3, fy)
                text.append((x0 + i // 3, fy, r))
    if not text:
        return "frame %s - - - - 0" % seen[0]
    xs = [t[0] for t in text]
    ys = [t[1] for t in text]
    white = 1 if any(t[2] == 255 for t in text) else 0
    return "frame %s %d %d %d %d %d" % (seen[0], min(xs), max(xs), min(ys), max(ys), white)


with open(work + "/" + tag + ".times") as f:
    for line in f:
        name, t = line.split()
        print(name, t, check(work + "/" + name))
EOF
}
