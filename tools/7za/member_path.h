// Name matching and path checks for archive members.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace za {

// Case-insensitive match of one path component against a pattern with the wildcards
// '*' (any run of characters) and '?' (one character). Both are UTF-8.
bool wildcardMatch(std::string_view pattern, std::string_view name);

// A member pattern as given on the command line, split into path components.
class MemberPattern
{
public:
    explicit MemberPattern(std::string_view text);

    // With `recursive`, the pattern may match the trailing components of a path at any
    // depth; otherwise it must match the whole path.
    bool matches(const std::vector<std::string> &components, bool recursive) const;

    // Cheap pre-check on the last component alone.
    bool matchesLeaf(std::string_view leaf) const;

private:
    std::vector<std::string> m_components;
};

// Why a member name was refused as a path below the output folder.
enum class PathProblem { None, Absolute, ParentReference, Empty };

struct SplitPath
{
    std::vector<std::string> components;
    PathProblem problem = PathProblem::None;
};

// Splits a member name on '/' and '\' into components, dropping empty and "."
// components. Names that would leave the output folder ("..", a leading separator, a
// drive letter) are flagged, never repaired.
SplitPath splitMemberPath(std::string_view name);

} // namespace za
