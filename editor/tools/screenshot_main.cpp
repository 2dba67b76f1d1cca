// qx71-editor-screenshot <folder> [scale]: writes the editor at its default setting and at a
// characteristic one as PNG files into the folder, at the scale given (1 to 3, default 1).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor_scenes.h"

int main(int argc, char** argv) {
    char* end = nullptr;
    double scale = argc == 3 ? std::strtod(argv[2], &end) : 1.0;
    if (argc < 2 || argc > 3 || (end && *end) || scale < 1.0 || scale > 3.0) {
        std::fprintf(stderr, "usage: %s <output folder> [scale from 1 to 3]\n", argv[0]);
        return 2;
    }
    for (scenes::Scene scene : {scenes::kDefault, scenes::kCharacteristic}) {
        std::string path = std::string(argv[1]) + "/" + scenes::fileName(scene, scale);
        if (!scenes::render(scene, path, scale)) {
            std::fprintf(stderr, "could not write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
