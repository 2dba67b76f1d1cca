#include "response_csv.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "render_errors.h"

namespace qx71::response {

void writeResponseCsv(const std::string& path, const std::vector<double>& frequencies,
                      const ChannelResponse (&channels)[2]) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        throw render::RenderError("cannot write '" + path + "': " + std::strerror(errno));
    }
    std::fputs(
        "frequency_hz,left_magnitude_db,left_phase_deg,left_group_delay_ms,"
        "right_magnitude_db,right_phase_deg,right_group_delay_ms\n",
        file);
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        std::fprintf(file, "%.6f", frequencies[i]);
        for (const ChannelResponse& channel : channels) {
            std::fprintf(file, ",%.6f,%.5f,%.6f", channel.magnitudeDb[i], channel.phaseDegrees[i],
                         channel.groupDelayMs[i]);
        }
        std::fputc('\n', file);
    }
    const bool failed = std::ferror(file) != 0;
    if (std::fclose(file) != 0 || failed) {
        throw render::RenderError("cannot write '" + path + "': " + std::strerror(errno));
    }
}

}  // namespace qx71::response
