#include "ui/splash_art.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

#include "ui/bmp_codec.h"

// Everything here is drawn with + - * / and sqrt on doubles, which IEEE 754 rounds the same way on
// every machine; no function of the C library whose last bit may differ (sin, cos, pow) is used,
// so the native generator and the Windows build produce the same bytes.
namespace {

constexpr int kPictureWidth = 640;
constexpr int kPictureHeight = 480;
constexpr int kSamples = 6;  // per pixel and axis: 36 coverage levels for anti-aliasing
constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------------------------------------
// Geometry

struct Vec {
    double x;
    double y;
};

// The unit vector at an angle in degrees, counter-clockwise from the x axis (y up), by a Taylor
// series on the octant around the nearest quarter turn.
Vec UnitAt(double degrees) {
    while (degrees < -45) degrees += 360;
    while (degrees >= 315) degrees -= 360;
    int quarter = 0;
    while (degrees >= 45) {
        degrees -= 90;
        ++quarter;
    }
    // Nine terms of each series, summed by Horner's rule: for |a| <= pi/4 the first term left
    // out is far below a double's last bit.
    const double a = degrees * (kPi / 180);
    const double a2 = a * a;
    double s = 1, c = 1;
    for (int k = 8; k >= 1; --k) {
        s = 1 - a2 / (2 * k * (2 * k + 1)) * s;
        c = 1 - a2 / ((2 * k - 1) * 2 * k) * c;
    }
    s *= a;
    switch (quarter) {
        case 0:
            return {c, s};
        case 1:
            return {-s, c};
        case 2:
            return {-c, -s};
        default:
            return {s, -c};
    }
}

using Contour = std::vector<Vec>;

// Filled by the even-odd rule, so an inner contour cuts a counter out of an outer one.
using Shape = std::vector<Contour>;

Contour Box(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

// Points of an elliptical arc from angle `from` to angle `to` (degrees, either direction).
void AppendArc(Contour& contour, Vec centre, double rx, double ry, double from, double to) {
    const int steps = std::max(8, static_cast<int>(std::fabs(to - from) / 2));
    for (int i = 0; i <= steps; ++i) {
        const Vec u = UnitAt(from + (to - from) * i / steps);
        contour.push_back({centre.x + rx * u.x, centre.y + ry * u.y});
    }
}

// A stroke along an elliptical arc whose centre line has radii rx, ry: `side` thick where it runs
// vertically, `top` thick where it runs horizontally, its ends cut along the radius.
Contour ArcStroke(Vec centre, double rx, double ry, double side, double top, double from,
                  double to) {
    Contour c;
    AppendArc(c, centre, rx + side / 2, ry + top / 2, from, to);
    AppendArc(c, centre, rx - side / 2, ry - top / 2, to, from);
    return c;
}

Shape Ring(Vec centre, double rx, double ry, double side, double top) {
    Contour outer, inner;
    AppendArc(outer, centre, rx + side / 2, ry + top / 2, 0, 360);
    AppendArc(inner, centre, rx - side / 2, ry - top / 2, 0, 360);
    return {outer, inner};
}

// How wide, measured horizontally, a slanted stroke of perpendicular thickness `thickness` is when
// it rises `rise` over the run left after its own width, `span` - width.
double SlantedWidth(double thickness, double span, double rise) {
    double width = thickness;
    for (int i = 0; i < 12; ++i) {
        const double run = span - width;
        width = thickness * std::sqrt(run * run + rise * rise) / rise;
    }
    return width;
}

// ---------------------------------------------------------------------------------------------
// Rasterising: shapes are unioned into a supersampled mask, which is then blended onto a canvas
// with a paint that may vary over the picture.

struct Colour {
    double r;
    double g;
    double b;
};

Colour ColourOf(Rgb c) {
    return {static_cast<double>((c >> 16) & 0xFF), static_cast<double>((c >> 8) & 0xFF),
            static_cast<double>(c & 0xFF)};
}

Colour Mix(Colour a, Colour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Scaled(Colour c, double k) {
    return {c.r * k, c.g * k, c.b * k};
}

uint8_t Channel(double v) {
    if (v <= 0) return 0;
    if (v >= 255) return 255;
    return static_cast<uint8_t>(std::floor(v + 0.5));
}

Rgb RgbOf(Colour c) {
    return MakeRgb(Channel(c.r), Channel(c.g), Channel(c.b));
}

using Paint = std::function<Colour(double x, double y)>;

Paint Solid(Colour c) {
    return [c](double, double) { return c; };
}

class Mask {
public:
    Mask(int width, int height)
        : width_(width),
          height_(height),
          bits_(static_cast<std::size_t>(width) * kSamples * static_cast<std::size_t>(height) *
                    kSamples,
                0) {}

    // Samples sit at the centres of a kSamples x kSamples grid in each pixel.
    void Fill(const Shape& shape) {
        double top = 1e300, bottom = -1e300;
        for (const Contour& c : shape) {
            for (const Vec& p : c) {
                top = std::min(top, p.y);
                bottom = std::max(bottom, p.y);
            }
        }
        const int rows = height_ * kSamples, columns = width_ * kSamples;
        const int first = std::max(0, static_cast<int>(std::ceil(top * kSamples - 0.5)));
        const int last = std::min(rows - 1, static_cast<int>(std::floor(bottom * kSamples - 0.5)));
        std::vector<double> crossings;
        for (int row = first; row <= last; ++row) {
            const double y = (row + 0.5) / kSamples;
            crossings.clear();
            for (const Contour& c : shape) {
                for (std::size_t i = 0; i < c.size(); ++i) {
                    const Vec a = c[i], b = c[(i + 1) % c.size()];
                    if ((a.y <= y) != (b.y <= y)) {
                        crossings.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
                    }
                }
            }
            std::sort(crossings.begin(), crossings.end());
            for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
                const int from =
                    std::max(0, static_cast<int>(std::ceil(crossings[i] * kSamples - 0.5)));
                const int to = std::min(
                    columns, static_cast<int>(std::ceil(crossings[i + 1] * kSamples - 0.5)));
                for (int column = from; column < to; ++column) {
                    bits_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                          static_cast<std::size_t>(column)] = 1;
                }
                if (from < to) {
                    left_ = std::min(left_, from / kSamples);
                    right_ = std::max(right_, (to - 1) / kSamples);
                    top_ = std::min(top_, row / kSamples);
                    bottom_ = std::max(bottom_, row / kSamples);
                }
            }
        }
    }

    void Fill(const std::vector<Shape>& shapes) {
        for (const Shape& s : shapes) Fill(s);
    }

    // The share of a pixel's samples inside the union, 0 to 1.
    double Coverage(int x, int y) const {
        const std::size_t columns = static_cast<std::size_t>(width_) * kSamples;
        int count = 0;
        for (int sy = 0; sy < kSamples; ++sy) {
            const std::size_t row = static_cast<std::size_t>(y * kSamples + sy) * columns;
            for (int sx = 0; sx < kSamples; ++sx) {
                count += bits_[row + static_cast<std::size_t>(x * kSamples + sx)];
            }
        }
        return static_cast<double>(count) / (kSamples * kSamples);
    }

    bool Empty() const { return left_ > right_; }
    int Left() const { return left_; }
    int Right() const { return right_; }
    int Top() const { return top_; }
    int Bottom() const { return bottom_; }

private:
    int width_;
    int height_;
    std::vector<uint8_t> bits_;
    int left_ = 1 << 30, right_ = -1, top_ = 1 << 30, bottom_ = -1;
};

class Canvas {
public:
    Canvas(int width, int height, Colour background)
        : width_(width),
          height_(height),
          pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background) {}

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Paints the union of the shapes, each pixel in proportion to the share it covers.
    void Draw(const std::vector<Shape>& shapes, const Paint& paint) {
        Mask mask(width_, height_);
        mask.Fill(shapes);
        if (mask.Empty()) return;
        for (int y = mask.Top(); y <= mask.Bottom(); ++y) {
            for (int x = mask.Left(); x <= mask.Right(); ++x) {
                const double cover = mask.Coverage(x, y);
                if (cover == 0) continue;
                Colour& here = pixels_[Index(x, y)];
                here = Mix(here, paint(x + 0.5, y + 0.5), cover);
            }
        }
    }

    Colour At(int x, int y) const { return pixels_[Index(x, y)]; }

    Pixels ToPixels() const {
        Pixels out(width_, height_);
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) out.Set(x, y, RgbOf(At(x, y)));
        }
        return out;
    }

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_;
    int height_;
    std::vector<Colour> pixels_;
};

double Distance2(Colour a, Colour b) {
    const double dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

Rgb Nearest(const std::vector<Rgb>& palette, Colour c) {
    Rgb best = palette.front();
    for (Rgb p : palette) {
        if (Distance2(ColourOf(p), c) < Distance2(ColourOf(best), c)) best = p;
    }
    return best;
}

// ---------------------------------------------------------------------------------------------
// Letters: a geometric sans of our own, capitals only, built from boxes, slanted strokes and
// elliptical arcs. Coordinates are the letter's own: x from its left edge, y up from the baseline.

struct Weight {
    double cap;   // capital height
    double stem;  // thickness of vertical strokes
    double bar;   // thickness of horizontal strokes
};

struct Glyph {
    std::vector<Shape> shapes;
    double width = 0;
    double before = 0;  // side bearings, as shares of the capital height
    double after = 0;
};

// A, V and the middle of M: two slanted strokes meeting in a flat tip, at the top when upright.
Shape Apex(double w, double h, double thickness, bool upright) {
    const double flat = thickness * 0.45;
    const double rise = h, run = w / 2 - flat / 2;
    const double slant = thickness * std::sqrt(run * run + rise * rise) / rise;
    const double innerTip = h * (w / 2 - slant) / run;
    Contour c = {{0, 0},
                 {slant, 0},
                 {w / 2, innerTip},
                 {w - slant, 0},
                 {w, 0},
                 {w / 2 + flat / 2, h},
                 {w / 2 - flat / 2, h}};
    if (!upright) {
        for (Vec& p : c) p.y = h - p.y;
    }
    return {c};
}

Glyph LetterA(const Weight& k) {
    const double h = k.cap, w = 0.76 * h, t = k.stem * 0.96;
    Glyph g{{Apex(w, h, t, true)}, w, 0.01, 0.01};
    const double barTop = 0.30 * h + k.bar;
    const double edge = (w / 2 - t * 0.45 / 2) * barTop / h;
    g.shapes.push_back({Box(edge, 0.30 * h, w - edge, barTop)});
    return g;
}

Glyph LetterV(const Weight& k) {
    const double h = k.cap, w = 0.74 * h;
    return {{Apex(w, h, k.stem * 0.96, false)}, w, 0.01, 0.01};
}

Glyph LetterD(const Weight& k) {
    const double h = k.cap, w = 0.74 * h, s = k.stem, b = k.bar, join = 0.30 * h;
    Contour outer = {{0, 0}}, inner = {{s, b}};
    AppendArc(outer, {join, h / 2}, w - join, h / 2, -90, 90);
    outer.push_back({0, h});
    AppendArc(inner, {join, h / 2}, w - join - s, h / 2 - b, -90, 90);
    inner.push_back({s, h - b});
    return {{{outer, inner}}, w, 0.075, 0.04};
}

Glyph LetterE(const Weight& k) {
    const double h = k.cap, w = 0.54 * h, s = k.stem, b = k.bar;
    return {{{Box(0, 0, s, h)},
             {Box(0, h - b, w, h)},
             {Box(0, (h - b) / 2 + 0.01 * h, 0.92 * w, (h + b) / 2 + 0.01 * h)},
             {Box(0, 0, w, b)}},
            w,
            0.075,
            0.03};
}

Glyph LetterG(const Weight& k) {
    const double h = k.cap, w = 0.84 * h, s = k.stem, b = k.bar, over = 0.012 * h;
    const Vec centre = {w / 2, h / 2};
    const double rx = w / 2 - s / 2, ry = h / 2 + over - b / 2;
    return {{{ArcStroke(centre, rx, ry, s, b, 42, 360)},
             {Box(0.54 * w, h / 2 - b * 0.1, w, h / 2 + b * 0.9)}},
            w,
            0.04,
            0.05};
}

Glyph LetterI(const Weight& k) {
    return {{{Box(0, 0, k.stem, k.cap)}}, k.stem, 0.075, 0.075};
}

Glyph LetterL(const Weight& k) {
    const double h = k.cap, w = 0.5 * h;
    return {{{Box(0, 0, k.stem, h)}, {Box(0, 0, w, k.bar)}}, w, 0.075, 0.01};
}

Glyph LetterM(const Weight& k) {
    const double h = k.cap, w = 0.86 * h, s = k.stem;
    return {
        {{Box(0, 0, s, h)}, {Box(w - s, 0, w, h)}, Apex(w, h, s * 0.92, false)}, w, 0.075, 0.075};
}

Glyph LetterN(const Weight& k) {
    const double h = k.cap, w = 0.72 * h, s = k.stem;
    const double slant = SlantedWidth(s * 0.96, w, h);
    return {
        {{Box(0, 0, s, h)}, {Box(w - s, 0, w, h)}, {{{0, h}, {slant, h}, {w, 0}, {w - slant, 0}}}},
        w,
        0.075,
        0.075};
}

Glyph LetterO(const Weight& k) {
    const double h = k.cap, w = 0.88 * h, s = k.stem, b = k.bar, over = 0.012 * h;
    return {{Ring({w / 2, h / 2}, w / 2 - s / 2, h / 2 + over - b / 2, s, b)}, w, 0.04, 0.04};
}

Glyph LetterR(const Weight& k) {
    const double h = k.cap, s = k.stem, b = k.bar;
    const double w = 0.64 * h, middle = 0.40 * h, bowlWidth = 0.60 * h;
    const double ry = (h - middle) / 2, rx = ry * 0.98, join = bowlWidth - rx;
    Contour outer = {{0, middle}}, inner = {{s, middle + b}};
    AppendArc(outer, {join, middle + ry}, rx, ry, -90, 90);
    outer.push_back({0, h});
    AppendArc(inner, {join, middle + ry}, rx - s, ry - b, -90, 90);
    inner.push_back({s, h - b});
    const double legTop = middle + b;
    const double legLeft = join - 0.10 * h;
    const double slant = SlantedWidth(s * 0.98, w - legLeft, legTop);
    Contour leg = {{legLeft, legTop}, {legLeft + slant, legTop}, {w, 0}, {w - slant, 0}};
    return {{{Box(0, 0, s, h)}, {outer, inner}, {leg}}, w, 0.075, 0.01};
}

Glyph LetterS(const Weight& k) {
    const double h = k.cap, w = 0.60 * h, s = k.stem * 0.96, b = k.bar, over = 0.012 * h;
    const double spine = 0.525 * h;
    const double upperTop = h + over - b / 2, lowerBottom = -over + b / 2;
    const Vec upper = {w / 2 + 0.01 * h, (upperTop + spine) / 2};
    const Vec lower = {w / 2, (spine + lowerBottom) / 2};
    const double upperRy = (upperTop - spine) / 2, lowerRy = (spine - lowerBottom) / 2;
    return {{{ArcStroke(upper, w / 2 - s / 2 - 0.025 * h, upperRy, s, b, 30, 270)},
             {ArcStroke(lower, w / 2 - s / 2, lowerRy, s, b, 90, -145)}},
            w,
            0.03,
            0.03};
}

Glyph LetterT(const Weight& k) {
    const double h = k.cap, w = 0.66 * h, s = k.stem, b = k.bar;
    return {{{Box(0, h - b, w, h)}, {Box((w - s) / 2, 0, (w + s) / 2, h)}}, w, 0.01, 0.01};
}

Glyph GlyphOf(char letter, const Weight& k) {
    switch (letter) {
        case 'A':
            return LetterA(k);
        case 'D':
            return LetterD(k);
        case 'E':
            return LetterE(k);
        case 'G':
            return LetterG(k);
        case 'I':
            return LetterI(k);
        case 'L':
            return LetterL(k);
        case 'M':
            return LetterM(k);
        case 'N':
            return LetterN(k);
        case 'O':
            return LetterO(k);
        case 'R':
            return LetterR(k);
        case 'S':
            return LetterS(k);
        case 'T':
            return LetterT(k);
        case 'V':
            return LetterV(k);
        case ' ':
            return {{}, 0.30 * k.cap, 0, 0};
        default:  // a text for which no letter was drawn yet must not come out with a hole
            throw std::invalid_argument(std::string("artwork: no letter '") + letter + "'");
    }
}

// Pairs whose open sides would otherwise leave a hole in the word, as shares of the cap height.
double Kerning(char left, char right) {
    static const std::map<std::pair<char, char>, double> kPairs = {
        {{'T', 'A'}, -0.06}, {{'A', 'T'}, -0.06}, {{'A', 'V'}, -0.05},
        {{'V', 'A'}, -0.05}, {{'L', 'T'}, -0.06}, {{'L', 'A'}, -0.02},
    };
    const auto it = kPairs.find({left, right});
    return it == kPairs.end() ? 0 : it->second;
}

// A line of capitals whose ink is centred on centreX, standing on the baseline (picture rows),
// with `tracking` (a share of the cap height) added between letters.
std::vector<Shape> Text(const std::string& text, const Weight& k, double tracking, double centreX,
                        double baseline) {
    std::vector<std::pair<Glyph, double>> placed;
    double pen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        Glyph g = GlyphOf(text[i], k);
        pen += g.before * k.cap;
        placed.emplace_back(g, pen);
        pen += g.width + g.after * k.cap;
        if (i + 1 < text.size()) pen += (tracking + Kerning(text[i], text[i + 1])) * k.cap;
    }
    const double inkLeft = placed.front().second;
    const double inkRight = placed.back().second + placed.back().first.width;
    const double shift = centreX - (inkLeft + inkRight) / 2;
    std::vector<Shape> out;
    for (const auto& [glyph, x] : placed) {
        for (Shape shape : glyph.shapes) {
            for (Contour& c : shape) {
                for (Vec& p : c) p = {shift + x + p.x, baseline - p.y};
            }
            out.push_back(std::move(shape));
        }
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// The trough shared by both pictures: a rounded outline around x 255..380, y 351..365.

struct Run {
    Rgb colour;
    int x0, y0, x1, y1;  // inclusive
};

void DrawTrough(Pixels& picture) {
    static const Run kRuns[] = {
        {kTroughOuter, 258, 351, 377, 351},  {kTroughOuter, 258, 365, 377, 365},
        {kTroughOuter, 255, 354, 255, 362},  {kTroughOuter, 380, 354, 380, 362},
        {kTroughInner, 258, 352, 377, 352},  {kTroughInner, 258, 364, 377, 364},
        {kTroughInner, 256, 354, 256, 362},  {kTroughInner, 379, 354, 379, 362},
        {kTroughInner, 257, 353, 257, 353},  {kTroughInner, 378, 353, 378, 353},
        {kTroughInner, 257, 363, 257, 363},  {kTroughInner, 378, 363, 378, 363},
        {kTroughCorner, 257, 352, 257, 352}, {kTroughCorner, 256, 353, 256, 353},
        {kTroughCorner, 378, 352, 378, 352}, {kTroughCorner, 379, 353, 379, 353},
        {kTroughCorner, 257, 364, 257, 364}, {kTroughCorner, 256, 363, 256, 363},
        {kTroughCorner, 378, 364, 378, 364}, {kTroughCorner, 379, 363, 379, 363},
    };
    for (int y = 351; y <= 365; ++y) {
        for (int x = 255; x <= 380; ++x) picture.Set(x, y, 0);
    }
    for (const Run& r : kRuns) {
        for (int y = r.y0; y <= r.y1; ++y) {
            for (int x = r.x0; x <= r.x1; ++x) picture.Set(x, y, r.colour);
        }
    }
}

Colour Grey(double level) {
    return {level, level, level};
}

// A thin line that fades out toward both ends.
void DrawRule(Canvas& canvas, double centreX, double y, double halfLength, double thickness,
              double level) {
    const std::vector<Shape> line = {
        {Box(centreX - halfLength, y, centreX + halfLength, y + thickness)}};
    canvas.Draw(line, [=](double x, double) {
        const double d = std::fabs(x - centreX) / halfLength;
        const double fade = d < 0.45 ? 1 : std::max(0.0, 1 - (d - 0.45) / 0.55);
        return Grey(level * fade * fade * (3 - 2 * fade));
    });
}

// ---------------------------------------------------------------------------------------------
// The maker's emblem: a cube seen from above a corner, its three faces apart, lit from the top
// left and coloured by one gradient that runs across the whole mark.

Colour EmblemGradient(Vec centre, double radius, double x, double y) {
    static const Colour kStops[] = {{64, 224, 255}, {40, 120, 255}, {112, 64, 240}};
    const double t =
        std::clamp(((x - centre.x) * 0.55 + (y - centre.y) * 0.835) / (2 * radius) + 0.5, 0.0, 1.0);
    return t < 0.5 ? Mix(kStops[0], kStops[1], t * 2) : Mix(kStops[1], kStops[2], t * 2 - 1);
}

void DrawEmblem(Canvas& canvas, Vec centre, double radius, double gap) {
    const double half = std::sqrt(3.0) / 2;
    // Hexagon corners, pointy top, in picture coordinates (y down).
    const Vec top = {centre.x, centre.y - radius};
    const Vec upperRight = {centre.x + half * radius, centre.y - radius / 2};
    const Vec lowerRight = {centre.x + half * radius, centre.y + radius / 2};
    const Vec bottom = {centre.x, centre.y + radius};
    const Vec lowerLeft = {centre.x - half * radius, centre.y + radius / 2};
    const Vec upperLeft = {centre.x - half * radius, centre.y - radius / 2};
    struct Face {
        Contour corners;
        double light;
    };
    const Face faces[] = {
        {{centre, upperLeft, top, upperRight}, 1.08},
        {{centre, bottom, lowerLeft, upperLeft}, 0.92},
        {{centre, upperRight, lowerRight, bottom}, 0.74},
    };
    for (const Face& face : faces) {
        Contour corners = face.corners;
        // A rhombus has an inscribed circle, so shrinking it about its middle insets every side
        // by the same amount.
        Vec middle = {0, 0};
        for (const Vec& p : corners) middle = {middle.x + p.x / 4, middle.y + p.y / 4};
        const double inradius = radius * half / 2;
        const double k = (inradius - gap / 2) / inradius;
        for (Vec& p : corners) {
            p = {middle.x + (p.x - middle.x) * k, middle.y + (p.y - middle.y) * k};
        }
        const double light = face.light;
        canvas.Draw({{corners}}, [=](double x, double y) {
            return Scaled(EmblemGradient(centre, radius, x, y), light);
        });
    }
}

// ---------------------------------------------------------------------------------------------
// The icon: a chip with its legs and an upward arrow on it, drawn on a 32 x 32 grid.

constexpr Rgb kIconBody = MakeRgb(38, 44, 60);
constexpr Rgb kIconEdge = MakeRgb(84, 96, 122);
constexpr Rgb kIconLeg = MakeRgb(204, 208, 216);
constexpr Rgb kIconLegShade = MakeRgb(128, 134, 148);
constexpr Rgb kIconArrow = MakeRgb(70, 214, 104);

Pixels Quantised(const Canvas& canvas, const std::vector<Rgb>& palette) {
    Pixels out(canvas.Width(), canvas.Height());
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) out.Set(x, y, Nearest(palette, canvas.At(x, y)));
    }
    return out;
}

}  // namespace

std::vector<Rgb> KoreanSplashPalette() {
    // Greys only; the trough's three greys are among them.
    std::vector<Rgb> palette;
    for (int level : {0, 22, 44, 70, 92, 110, 126, 142, 158, 174, 188, 204, 220, 234, 246, 255}) {
        palette.push_back(MakeRgb(static_cast<uint8_t>(level), static_cast<uint8_t>(level),
                                  static_cast<uint8_t>(level)));
    }
    return palette;
}

Pixels KoreanSplash() {
    Canvas canvas(kPictureWidth, kPictureHeight, Grey(0));
    const double centre = kPictureWidth / 2.0;
    const Weight wordmark = {58, 9.0, 8.2};
    canvas.Draw(Text("TAVREN", wordmark, 0.20, centre, 176), Solid(Grey(255)));
    DrawRule(canvas, centre, 201, 150, 1.0, 150);
    const Weight slogan = {11.5, 1.55, 1.45};
    canvas.Draw(Text("MADE TO MOVE", slogan, 0.62, centre, 232), Solid(Grey(214)));

    Pixels picture = Quantised(canvas, KoreanSplashPalette());
    DrawTrough(picture);
    return picture;
}

Pixels EnglishSplash() {
    Canvas canvas(kPictureWidth, kPictureHeight, Grey(0));
    const double centre = kPictureWidth / 2.0;
    DrawEmblem(canvas, {centre, 140}, 54, 5);
    const Weight name = {34, 4.6, 4.2};
    canvas.Draw(Text("SOLVANE", name, 0.30, centre, 248), Solid(Grey(255)));
    const Weight slogan = {10, 1.4, 1.3};
    canvas.Draw(Text("ENGINEERED TO LAST", slogan, 0.62, centre, 276), Solid(Grey(170)));

    Pixels picture = canvas.ToPixels();
    DrawTrough(picture);
    return picture;
}

std::vector<Rgb> StripPalette() {
    return {0, kStripBlue, kStripBandMid, kStripBandLight};
}

Pixels ProgressStrip() {
    constexpr int kBlockWidth = 6, kBlockPitch = 8, kHeight = 9;
    Pixels strip(22, kHeight);
    for (int block = 0; block < 3; ++block) {
        // The band deepens from block to block: rows 1..4, 1..5, 1..6.
        const int bandEnd = 4 + block;
        for (int y = 0; y < kHeight; ++y) {
            Rgb colour = kStripBlue;
            if (y >= 1 && y <= bandEnd) {
                const bool light = y == 2 || y == 3 || (block == 2 && y == 4);
                colour = light ? kStripBandLight : kStripBandMid;
            }
            for (int x = 0; x < kBlockWidth; ++x) strip.Set(block * kBlockPitch + x, y, colour);
        }
    }
    return strip;
}

std::vector<Rgb> IconPalette() {
    const Colour body = ColourOf(kIconBody), arrow = ColourOf(kIconArrow);
    // Black is for the transparent pixels; the blends are the arrow's anti-aliased edge.
    return {0,
            kIconBody,
            kIconEdge,
            kIconLeg,
            kIconLegShade,
            kIconArrow,
            RgbOf(Mix(body, arrow, 0.25)),
            RgbOf(Mix(body, arrow, 0.5)),
            RgbOf(Mix(body, arrow, 0.75))};
}

Pixels AppIcon() {
    constexpr int kSize = 32;
    Canvas canvas(kSize, kSize, Colour{0, 0, 0});
    Canvas cover(kSize, kSize, Colour{0, 0, 0});  // white where the chip or a leg is

    // Four legs on each side, two pixels wide, between the body and the icon's edge.
    std::vector<Shape> legs, legShade;
    for (int i = 0; i < 4; ++i) {
        const double at = 9 + 4 * i;
        legs.push_back({Box(2, at, 6, at + 2)});
        legs.push_back({Box(26, at, 30, at + 2)});
        legs.push_back({Box(at, 2, at + 2, 6)});
        legs.push_back({Box(at, 26, at + 2, 30)});
        legShade.push_back({Box(2, at + 1, 6, at + 2)});
        legShade.push_back({Box(26, at + 1, 30, at + 2)});
        legShade.push_back({Box(at + 1, 2, at + 2, 6)});
        legShade.push_back({Box(at + 1, 26, at + 2, 30)});
    }
    canvas.Draw(legs, Solid(ColourOf(kIconLeg)));
    cover.Draw(legs, Solid(Grey(255)));
    canvas.Draw(legShade, Solid(ColourOf(kIconLegShade)));

    // The body: an outline and a darker inside, with its corners cut.
    const auto cutBox = [](double x0, double y0, double x1, double y1, double cut) {
        return Shape{{{x0 + cut, y0},
                      {x1 - cut, y0},
                      {x1, y0 + cut},
                      {x1, y1 - cut},
                      {x1 - cut, y1},
                      {x0 + cut, y1},
                      {x0, y1 - cut},
                      {x0, y0 + cut}}};
    };
    canvas.Draw({cutBox(6, 6, 26, 26, 2)}, Solid(ColourOf(kIconEdge)));
    cover.Draw({cutBox(6, 6, 26, 26, 2)}, Solid(Grey(255)));
    canvas.Draw({cutBox(7, 7, 25, 25, 1.5)}, Solid(ColourOf(kIconBody)));

    // The arrow: a head with 45-degree sides, which anti-alias evenly, on a pixel-aligned shaft.
    const Shape arrow = {{{16, 8}, {24, 16}, {19, 16}, {19, 24}, {13, 24}, {13, 16}, {8, 16}}};
    canvas.Draw({arrow}, Solid(ColourOf(kIconArrow)));

    const std::vector<Rgb> palette = IconPalette();
    const std::vector<Rgb> opaque(palette.begin() + 1, palette.end());
    Pixels icon(kSize, kSize, kIconTransparent);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            // A pixel at least half covered is opaque, in the colour of what covers it rather than
            // that colour darkened by the black behind; only the body's cut corners are partly
            // covered.
            const double share = cover.At(x, y).r / 255;
            if (share >= 0.5) icon.Set(x, y, Nearest(opaque, Scaled(canvas.At(x, y), 1 / share)));
        }
    }
    return icon;
}

std::vector<ArtFile> ArtFiles() {
    return {
        {"splash_ko.bmp", EncodeBmp4(KoreanSplash(), KoreanSplashPalette())},
        {"splash_en.bmp", EncodeBmp24(EnglishSplash())},
        {"strip.bmp", EncodeBmp4(ProgressStrip(), StripPalette())},
        {"app.ico", EncodeIco(AppIcon(), IconPalette())},
    };
}
