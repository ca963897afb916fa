#pragma once

// The console's 41 default channel names with their function codes, positions 0 to 40, written
// out here on their own so that the tests check the program's table rather than restate it.
namespace expected {

struct ChName {
    const char* name;
    int code;
};

inline constexpr ChName DefaultChNames[41] = {
    {"Pan", 6},       {"Tilt", 7},      {"Dimmer", 3},    {"Colour", 9},     {"Shutter", 4},
    {"Iris", 5},      {"Colour1", 8},   {"Focus", 10},    {"Zoom", 11},      {"Gobo", 12},
    {"Gobo1", 13},    {"GoboRot", 14},  {"GoboSpin", 15}, {"P/T Speed", 16}, {"Speed", 17},
    {"Effect", 18},   {"Yellow", 19},   {"Magenta", 20},  {"Cyan", 21},      {"Red", 22},
    {"Blue", 23},     {"Rotation", 24}, {"Rot Gobo", 25}, {"Prism", 26},     {"Prsm Rot", 27},
    {"Macros", 28},   {"Special", 29},  {"FanSpd", 30},   {"Function", 31},  {"Head", 32},
    {"HeadFine", 33}, {"HeadSpd", 34},  {"Mirror", 35},   {"Mir.Fin", 36},   {"Mir.Spd", 37},
    {"Movement", 38}, {"Laster", 39},   {"BeamShap", 40}, {"Strobe", 41},    {"ClrRotat", 42},
    {"DimSpeed", 43},
};

} // namespace expected
