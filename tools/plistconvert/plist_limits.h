// How much a property list may make plistconvert do. An app's lists hold hundreds of
// values and a few kilobytes; these bounds leave room for a thousand times that, yet keep
// a crafted list from taking more than a bounded amount of memory, stack and disk.
#pragma once

#include <cstddef>

namespace pc {

// Lists larger than this are refused rather than read into memory (the same bound as the
// largest member the extractor writes).
constexpr std::size_t kMaxInputSize = 64u << 20;

// Dictionaries and arrays nested deeper than this are refused: every reader and writer of
// a tree walks it by recursion.
constexpr int kMaxDepth = 512;

// Values in the whole tree (dictionary keys included), counted as written: a value that a
// binary list refers to from several places counts once for each. libplist looks up every
// key it adds to a dictionary one by one, so reading a dictionary of n keys from text takes
// time in n squared: 125,000 keys take a quarter of a second, 500,000 four seconds.
constexpr std::size_t kMaxObjects = 250000;

// The XML written for one list.
constexpr std::size_t kMaxOutputSize = 64u << 20;

} // namespace pc
