#pragma once

// The two kinds of line every fixture-tool command prints on standard error.

#include <iostream>
#include <string>

// A wrong command line: one line and status 2.
inline int usageError(const std::string& message)
{
    std::cerr << "fixture-tool: " << message << " (fixture-tool --help shows the usage)\n";
    return 2;
}

// A file or its content refused: one line naming it and status 1.
inline int fail(const std::string& path, const std::string& message)
{
    std::cerr << "fixture-tool: " << path << ": " << message << '\n';
    return 1;
}
