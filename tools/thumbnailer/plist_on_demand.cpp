// libplist, opened the first time a property list is read. Only an IPA's icon needs one, and
// loading the library (with libm, which it brings) at every start cost an APK's thumbnail a
// tenth of a millisecond, a good part of a run. The thumbnailer therefore does not link
// libplist: these definitions stand in for the functions it calls and forward each call to the
// library's own. Their declarations come from libplist's header, so a changed signature fails to
// build, and a function the thumbnailer starts to call without a stand-in here fails to link.
#include "shared_library.h"

#include <plist/plist.h>

namespace {

constexpr const char *Soname = "libplist-2.0.so.3";

// The library's own definition of NAME, of the type of this file's stand-in for it.
template <typename Function> Function *real(Function &, const char *name)
{
    static void *const library = thumb::openLibrary(Soname);
    return thumb::libraryFunction<Function>(library, Soname, name);
}

} // namespace

extern "C" {

plist_t plist_new_dict(void)
{
    static const auto f = real(plist_new_dict, "plist_new_dict");
    return f();
}

plist_t plist_new_array(void)
{
    static const auto f = real(plist_new_array, "plist_new_array");
    return f();
}

plist_t plist_new_string(const char *val)
{
    static const auto f = real(plist_new_string, "plist_new_string");
    return f(val);
}

plist_t plist_new_data(const char *val, uint64_t length)
{
    static const auto f = real(plist_new_data, "plist_new_data");
    return f(val, length);
}

void plist_free(plist_t plist)
{
    static const auto f = real(plist_free, "plist_free");
    f(plist);
}

uint32_t plist_array_get_size(plist_t node)
{
    static const auto f = real(plist_array_get_size, "plist_array_get_size");
    return f(node);
}

plist_t plist_array_get_item(plist_t node, uint32_t n)
{
    static const auto f = real(plist_array_get_item, "plist_array_get_item");
    return f(node, n);
}

void plist_array_append_item(plist_t node, plist_t item)
{
    static const auto f = real(plist_array_append_item, "plist_array_append_item");
    f(node, item);
}

plist_t plist_dict_get_item(plist_t node, const char *key)
{
    static const auto f = real(plist_dict_get_item, "plist_dict_get_item");
    return f(node, key);
}

void plist_dict_set_item(plist_t node, const char *key, plist_t item)
{
    static const auto f = real(plist_dict_set_item, "plist_dict_set_item");
    f(node, key, item);
}

plist_type plist_get_node_type(plist_t node)
{
    static const auto f = real(plist_get_node_type, "plist_get_node_type");
    return f(node);
}

void plist_get_string_val(plist_t node, char **val)
{
    static const auto f = real(plist_get_string_val, "plist_get_string_val");
    f(node, val);
}

void plist_from_bin(const char *plist_bin, uint32_t length, plist_t *plist)
{
    static const auto f = real(plist_from_bin, "plist_from_bin");
    f(plist_bin, length, plist);
}

void plist_from_xml(const char *plist_xml, uint32_t length, plist_t *plist)
{
    static const auto f = real(plist_from_xml, "plist_from_xml");
    f(plist_xml, length, plist);
}

} // extern "C"
