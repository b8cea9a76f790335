// What the tool reads at most for one report. Real packages stay far below each bound; beyond
// them an input is built to exhaust the reader, and it is refused with a message.
#pragma once

#include <cstddef>
#include <cstdint>

namespace aapt {

// The manifest is read whole; real ones are a few hundred kilobytes at most.
constexpr uint64_t MaxManifestSize = 32ull << 20;
// A stored table is read in place; a compressed one is inflated whole, up to this size.
constexpr uint64_t MaxTableSize = 256ull << 20;
// A deflated APK inside a bundle is inflated into memory, up to this size.
constexpr uint64_t MaxApkInBundleSize = 200ull << 20;
// All that one bundle makes us read: its member APKs, stored or inflated, and their manifests.
constexpr uint64_t MaxBundleRead = 512ull << 20;
// Bundles hold a base and a few dozen splits.
constexpr size_t MaxApksInBundle = 1000;

} // namespace aapt
