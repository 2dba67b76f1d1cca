// The generated table (in the build directory) that embedded_resources_builtin.cpp searches.
#pragma once

#include "embedded_resources.h"

extern const EmbeddedResource kEmbeddedResources[];
extern const unsigned kEmbeddedResourceCount;
