#include "maths.h"

#include "shared_library.h"

namespace thumb::maths {

namespace {

constexpr const char *Soname = "libm.so.6";

template <typename Function> Function *libm(const char *name)
{
    static void *const library = openLibrary(Soname);
    return libraryFunction<Function>(library, Soname, name);
}

} // namespace

double sin(double x)
{
    static const auto f = libm<double(double)>("sin");
    return f(x);
}

double cos(double x)
{
    static const auto f = libm<double(double)>("cos");
    return f(x);
}

double tan(double x)
{
    static const auto f = libm<double(double)>("tan");
    return f(x);
}

double atan2(double y, double x)
{
    static const auto f = libm<double(double, double)>("atan2");
    return f(y, x);
}

double log2(double x)
{
    static const auto f = libm<double(double)>("log2");
    return f(x);
}

} // namespace thumb::maths
