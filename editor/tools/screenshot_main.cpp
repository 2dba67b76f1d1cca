// qx71-editor-screenshot <folder>: writes the editor at its default setting and at a
// characteristic one as PNG files into the folder.
#include <cstdio>
#include <string>

#include "editor_scenes.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    for (scenes::Scene scene : {scenes::kDefault, scenes::kCharacteristic}) {
        std::string path = std::string(argv[1]) + "/" + scenes::fileName(scene);
        if (!scenes::render(scene, path)) {
            std::fprintf(stderr, "could not write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
