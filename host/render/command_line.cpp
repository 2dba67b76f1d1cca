#include "command_line.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "render_errors.h"

namespace qx71::render {

double parseNumber(const std::string& text, const std::string& what) {
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(value)) {
        throw UsageError(what + " needs a number, not '" + text + "'");
    }
    return value;
}

long parseWhole(const std::string& text, const std::string& option, long lowest, long highest) {
    const double value = parseNumber(text, option);
    if (value != std::floor(value) || value < static_cast<double>(lowest) || value > static_cast<double>(highest)) {
        throw UsageError(option + " needs a whole number from " + std::to_string(lowest) + " to " +
                         std::to_string(highest) + ", not '" + text + "'");
    }
    return static_cast<long>(value);
}

const std::string& ArgumentCursor::valueOf(const std::string& option) {
    if (done()) {
        throw UsageError(option + " needs a value");
    }
    return take();
}

}  // namespace qx71::render
