#include "live/OutputModule.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace live {

LoadedOutput loadOutputModule(const std::vector<std::string>& paths)
{
    std::string firstExisting;
    std::string last = std::string("no place to look for ") + OlaModuleFile;
    for (const std::string& path : paths) {
        struct stat info {};
        const bool exists = ::stat(path.c_str(), &info) == 0;
        OutputFactoryFunction make = nullptr;
        if (void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL))
            make = reinterpret_cast<OutputFactoryFunction>(::dlsym(module, OlaFactoryName));
        if (make)
            return {std::unique_ptr<DmxOutput>(make()), {}};
        const char* error = ::dlerror();
        last = error ? error : path + ": cannot be loaded";
        if (exists && firstExisting.empty())
            firstExisting = last;
    }
    return {nullptr, firstExisting.empty() ? last : firstExisting};
}

} // namespace live
