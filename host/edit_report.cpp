#include "edit_report.h"

#include <cstdio>

namespace qx71::host {

bool writeEditReport(const char* path, const Instance& instance, const HostRecorder& recorder) {
    FILE* report = std::fopen(path, "w");
    if (!report) return false;
    for (VstInt32 i = 0; i < instance.effect()->numParams; ++i) {
        std::fprintf(report, "param %d %.9g\n", i, instance.getParameter(i));
    }
    for (const HostCall& call : recorder.calls()) {
        const char* name = call.opcode == audioMasterAutomate    ? "automate"
                           : call.opcode == audioMasterBeginEdit ? "begin"
                           : call.opcode == audioMasterEndEdit   ? "end"
                                                                 : nullptr;
        if (name) std::fprintf(report, "call %s %d %.9g\n", name, call.index, call.opt);
    }
    return std::fclose(report) == 0;
}

}  // namespace qx71::host
