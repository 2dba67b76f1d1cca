// The editor rendered offscreen at two settings: the defaults, and a characteristic one (bands
// and filters on, a muted section caught lit by its blink, the clip lamp lit by a loud block).
// Used by the screenshot tool and by the golden-image tests, at any editor scale.
#pragma once

#include <string>

namespace scenes {

enum Scene { kDefault, kCharacteristic };

// The file name of the scene's screenshot: "editor-default.png" at scale 1,
// "editor-default@2x.png", "editor-default@1.5x.png" at others.
std::string fileName(Scene scene, double scale = 1.0);
// Renders the scene with the editor given scale as the host's, and writes it as a PNG; false
// when it could not.
bool render(Scene scene, const std::string& path, double scale = 1.0);

}  // namespace scenes
