#include "parameter_lookup.h"

#include <cstdlib>

#include "render_errors.h"

namespace qx71::render {

VstInt32 findParameter(host::Instance& instance, const std::string& key) {
    const VstInt32 count = instance.effect()->numParams;
    for (VstInt32 index = 0; index < count; ++index) {
        if (instance.paramName(index) == key) {
            return index;
        }
    }
    const bool digitsOnly = !key.empty() && key.size() <= 9 && key.find_first_not_of("0123456789") == std::string::npos;
    if (digitsOnly) {
        const long index = std::strtol(key.c_str(), nullptr, 10);
        if (index < count) {
            return static_cast<VstInt32>(index);
        }
        throw RenderError("no parameter with index " + key + ": the plug-in has " + std::to_string(count) +
                          " parameters");
    }
    throw RenderError("unknown parameter '" + key + "' (--list shows the names)");
}

}  // namespace qx71::render
