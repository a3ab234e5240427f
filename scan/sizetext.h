// The size text of a file: a number with at most two decimals, a blank and
// one of the units "B", "KB", "MB", "GB".
#pragma once

#include <string>

// Rounds x to the given number of decimal places; halves go away from zero.
double RoundToPlaces(double x, int places);

// The size text of a size in bytes (1.5 KB, 4.77 MB, 0 B).
std::string FormatFileSize(double x);
