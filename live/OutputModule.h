#pragma once

#include "live/DmxOutput.h"

#include <memory>
#include <string>
#include <vector>

namespace live {

// The OLA output lives in a module of its own (it alone links libola and its protobuf), loaded
// the first time Live is turned on, so that a start of the editor pays nothing for it.
inline constexpr const char* OlaModuleFile = "fixture-ola-output.so";
// The module's one entry point: a new output, owned by the caller.
inline constexpr const char* OlaFactoryName = "fixture_make_ola_output";
using OutputFactoryFunction = DmxOutput* (*)();

// An output, or why there is none.
struct LoadedOutput {
    std::unique_ptr<DmxOutput> output;
    std::string error;
};

// Loads the first of the paths that loads and makes an output with its factory. The module stays
// loaded for the rest of the process (outputs made by it may live as long). With none loaded, the
// error is the loader's message for the first path that exists, else for the last one.
LoadedOutput loadOutputModule(const std::vector<std::string>& paths);

} // namespace live
