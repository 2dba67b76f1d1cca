// qx71-response: measures the frequency response of a VST 2.4 plug-in from the command line.
#include <iostream>

#include "default_plugin.h"
#include "render_errors.h"
#include "response_options.h"
#include "response_session.h"

int main(int argc, char** argv) {
    using namespace qx71;
    try {
        const response::ResponseOptions options =
            response::parseResponseOptions(std::vector<std::string>(argv + 1, argv + argc), QX71_DEFAULT_PLUGIN);
        if (options.help) {
            std::cout << response::responseUsage();
            return 0;
        }
        response::runResponse(options, std::cout, std::cerr);
        return 0;
    } catch (const render::UsageError& error) {
        std::cerr << "qx71-response: " << error.what() << "\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "qx71-response: " << error.what() << "\n";
        return 1;
    }
}
