// The CSV file of qx71-response: a header line, then one line per frequency.
#pragma once

#include <string>
#include <vector>

#include "frequency_analysis.h"

namespace qx71::response {

// Columns: frequency_hz, then left_ and right_ magnitude_db, phase_deg, group_delay_ms.
// Throws RenderError when the file cannot be written completely.
void writeResponseCsv(const std::string& path, const std::vector<double>& frequencies,
                      const ChannelResponse (&channels)[2]);

}  // namespace qx71::response
