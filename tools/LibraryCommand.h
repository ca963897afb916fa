#pragma once

#include <string>
#include <vector>

// "fixture-tool library [--dir DIR]... [WORDS...]" with the arguments after "library": prints
// the fixture library's entries matching every word. Exit status 0 with matches, 1 with none,
// 2 on a fault.
int libraryCommand(const std::vector<std::string>& args);
