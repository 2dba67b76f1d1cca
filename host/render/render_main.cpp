// qx71-render: runs audio through a VST 2.4 plug-in from the command line.
#include <iostream>

#include "default_plugin.h"
#include "render_errors.h"
#include "render_options.h"
#include "render_session.h"

int main(int argc, char** argv) {
    using namespace qx71::render;
    try {
        const RenderOptions options =
            parseRenderOptions(std::vector<std::string>(argv + 1, argv + argc), QX71_DEFAULT_PLUGIN);
        if (options.help) {
            std::cout << renderUsage();
            return 0;
        }
        runRender(options, std::cout);
        return 0;
    } catch (const UsageError& error) {
        std::cerr << "qx71-render: " << error.what() << "\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "qx71-render: " << error.what() << "\n";
        return 1;
    }
}
