// One run of qx71-render: load the plug-in, apply state and settings, process the input, write
// the results, and describe each step on report.
#pragma once

#include <ostream>

#include "render_options.h"

namespace qx71::render {

// Throws UsageError when an output would overwrite an input, RenderError for any other failure.
void runRender(const RenderOptions& options, std::ostream& report);

}  // namespace qx71::render
