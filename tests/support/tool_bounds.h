// The bounds a test puts on a tool it starts, and how they change in a build with the sanitizers
// (scripts/test-sanitized).
#pragma once

#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer reserves terabytes of address space for its shadow memory before main, so the
// address space cannot be bounded; the sanitizer's own limit on resident memory
// (hard_rss_limit_mb, set by the script) stands in for it. Its checks make a tool run several
// times slower; the time a test waits for one grows with it.
constexpr bool AddressSpaceCanBeBounded = false;
constexpr int ToolTimeFactor = 4;
#else
constexpr bool AddressSpaceCanBeBounded = true;
constexpr int ToolTimeFactor = 1;
#endif

// Called in the child before it runs the tool: a tool that would take more memory fails instead of
// taking the machine's.
inline void boundAddressSpace(rlim_t bytes)
{
    if (!AddressSpaceCanBeBounded)
        return;
    const struct rlimit limit = {bytes, bytes};
    ::setrlimit(RLIMIT_AS, &limit);
}
