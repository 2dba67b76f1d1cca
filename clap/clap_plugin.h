// The CLAP plug-in object a host holds: the clap_plugin_t table and the extensions it offers
// (audio-ports, params, state, latency, tail, render), over one ClapEqualizer.
#pragma once

#include <clap/host.h>
#include <clap/plugin.h>

namespace clap_edition {

// A new instance for `host`, or null when memory runs out.
const clap_plugin_t* createPlugin(const clap_plugin_descriptor_t* descriptor, const clap_host_t* host);

}  // namespace clap_edition
