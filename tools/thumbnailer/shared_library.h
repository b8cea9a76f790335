// The system libraries the thumbnailer opens only when a run first needs one (image_libraries.h,
// maths.h, plist_on_demand.cpp): starting is a good part of a run's time, and most runs copy a
// PNG and need none of them.
#pragma once

namespace thumb {

// The library's handle, opened once and kept for the rest of the run. Throws IconError.
void *openLibrary(const char *soname);

// The library's function NAME, as the type of the declaration it stands for. Throws IconError.
void *librarySymbol(void *library, const char *soname, const char *name);
template <typename Function> Function *libraryFunction(void *library, const char *soname, const char *name)
{
    return reinterpret_cast<Function *>(librarySymbol(library, soname, name));
}

} // namespace thumb
