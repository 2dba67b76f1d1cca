// The editor rendered offscreen at two settings: the defaults, and a characteristic one (bands
// and filters on, a muted section caught lit by its blink, the clip lamp lit by a loud block).
// Used by the screenshot tool and by the golden-image tests.
#pragma once

#include <string>

namespace scenes {

enum Scene { kDefault, kCharacteristic };

// The file name of the scene's screenshot.
const char* fileName(Scene scene);
// Renders the scene and writes it as a PNG; false when it could not.
bool render(Scene scene, const std::string& path);

}  // namespace scenes
