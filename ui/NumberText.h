#pragma once

#include <QString>

// How the editor reads and writes numbers in cells and boxes.
namespace numtext {

// The leading number of a text, as the editor reads typed numbers: blanks first, then an optional
// sign, digits with an optional fraction and an optional exponent ("12a" is 12, "9e9" is 9e9,
// "1e2" is 100). 0 when the text starts with no number.
double leadingNumber(const QString& text);

// A typed DMX value as the cells store it: the leading number rounded to a whole number; anything
// below 0 or above 255 becomes 0.
int dmxValue(const QString& text);

// "Chan" + Str(n) and the like: the number with one leading blank, as row labels show it.
QString withSignBlank(int n);

} // namespace numtext
