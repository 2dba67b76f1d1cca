// One run of qx71-response: set up the plug-in, record its impulse response, transform it and
// write the CSV, describing each step on report.
#pragma once

#include <ostream>

#include "response_options.h"

namespace qx71::response {

// Throws render::UsageError when the output would overwrite an input, render::RenderError for
// any other failure. Warnings (a tail that did not decay) go to warnings.
void runResponse(const ResponseOptions& options, std::ostream& report, std::ostream& warnings);

}  // namespace qx71::response
