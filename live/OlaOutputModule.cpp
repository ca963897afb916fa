// The entry point of the module fixture-ola-output (live/OutputModule.h loads it).
#include "live/OlaOutput.h"
#include "live/OutputModule.h"

#include <type_traits>

extern "C" __attribute__((visibility("default"))) live::DmxOutput* fixture_make_ola_output()
{
    return new live::OlaOutput();
}

static_assert(std::is_same_v<decltype(&fixture_make_ola_output), live::OutputFactoryFunction>);
