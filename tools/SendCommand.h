#pragma once

#include <string>
#include <vector>

// fixture-tool send [--universe U] [--address A] [--step CH:N] [--palette P:E] [--blackout]
// FILE.tff: one frame to the local OLA daemon as the editor's Live output sends it for that
// state. args starts after "send". Returns the exit status: 0 sent, 1 the file cannot be read
// or there is no daemon or output port, 2 a refused command line (nothing sent).
int sendCommand(const std::vector<std::string>& args);
