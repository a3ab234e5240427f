#include "scan/sizetext.h"

#include <cmath>

#include "common/text.h"

namespace {

constexpr double RealTolerance = 1e-7;
constexpr double OneKB = 1024;
constexpr double OneMB = 1048576;
constexpr double OneGB = 1073741824;

bool RealLess(double a, double b) { return a - b < -RealTolerance; }
bool RealNotLess(double a, double b) { return !RealLess(a, b); }

}  // namespace

double RoundToPlaces(double x, int places)
{
    if (x == 0)
        return x;
    bool negative = x < 0;
    double scale = 1;
    for (int i = 0; i < places; ++i)
        scale *= 10;
    double f = std::fabs(x) * scale;
    // The tiny nudge keeps a half that the binary product lands just below
    // (1.005 * 100 = 100.49999999999999) rounding up.
    double whole;
    double fraction = std::modf(f + 1e-12, &whole);
    if (fraction >= 0.5)
        whole += 1;
    double result = whole / scale;
    return negative ? -result : result;
}

std::string FormatFileSize(double x)
{
    const char* unit = "";
    if (RealLess(x, OneKB))
        unit = "B";
    // A value of exactly one unit base takes that unit ("1 KB", not "1024 ").
    if (RealNotLess(x, OneKB) && RealLess(x, OneGB) && RealLess(x, OneMB)) {
        x /= OneKB;
        unit = "KB";
    }
    if (RealNotLess(x, OneMB) && RealLess(x, OneGB)) {
        x /= OneMB;
        unit = "MB";
    }
    if (RealNotLess(x, OneGB)) {
        x /= OneGB;
        unit = "GB";
    }
    return FormatReal(RoundToPlaces(x, 2)) + " " + unit;
}
