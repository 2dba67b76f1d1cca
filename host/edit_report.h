// The report of an editor session for the end-to-end tests: every parameter's value, then, in
// order, the automation and begin/end edit calls the plug-in made, one per line:
//   param INDEX VALUE
//   call automate|begin|end INDEX VALUE
#pragma once

#include "host_recorder.h"
#include "plugin_instance.h"

namespace qx71::host {

bool writeEditReport(const char* path, const Instance& instance, const HostRecorder& recorder);

}  // namespace qx71::host
