// Finding a plug-in parameter from what the user typed.
#pragma once

#include <string>

#include "plugin_instance.h"

namespace qx71::render {

// The index of the parameter whose name, as the plug-in reports it, equals key exactly; failing
// that, key read as a decimal index. Throws RenderError when neither names a parameter.
VstInt32 findParameter(host::Instance& instance, const std::string& key);

}  // namespace qx71::render
