#include "shared_library.h"

#include "icon_error.h"

#include <dlfcn.h>
#include <string>

namespace thumb {

void *openLibrary(const char *soname)
{
    void *handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        throw IconError(std::string("cannot load ") + soname);
    return handle;
}

void *librarySymbol(void *library, const char *soname, const char *name)
{
    void *symbol = dlsym(library, name);
    if (!symbol)
        throw IconError(std::string(soname) + " without " + name);
    return symbol;
}

} // namespace thumb
