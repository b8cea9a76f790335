// The error every part of the icon search throws when a package has no icon it can read.
#pragma once

#include <stdexcept>

namespace thumb {

class IconError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace thumb
