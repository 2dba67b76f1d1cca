// Pieces of command-line parsing shared by the host tools: numbers and option values.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qx71::render {

// A finite number, or UsageError naming `what`.
double parseNumber(const std::string& text, const std::string& what);
// A whole number within [lowest, highest], or UsageError naming `option`.
long parseWhole(const std::string& text, const std::string& option, long lowest, long highest);

// Walks the arguments, handing out the value that follows an option.
class ArgumentCursor {
public:
    explicit ArgumentCursor(const std::vector<std::string>& arguments) : arguments_(arguments) {}
    bool done() const { return next_ >= arguments_.size(); }
    const std::string& take() { return arguments_[next_++]; }
    // The value after `option`, or UsageError when the arguments end there.
    const std::string& valueOf(const std::string& option);

private:
    const std::vector<std::string>& arguments_;
    std::size_t next_ = 0;
};

}  // namespace qx71::render
