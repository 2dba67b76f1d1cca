// The two ways qx71-render fails: a command line that cannot work (exit code 2) and a failure
// while doing the work (exit code 1). Each carries one line of text for the user.
#pragma once

#include <stdexcept>

namespace qx71::render {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct RenderError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace qx71::render
