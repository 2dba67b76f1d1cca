// Reads the CSV that qx71-response writes.
#pragma once

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct ResponseRow {
    double frequency;
    double magnitudeDb[2];
    double phaseDegrees[2];
    double groupDelayMs[2];
};

// Empty when the file is missing or its header is not the tool's.
inline std::vector<ResponseRow> readResponseCsv(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    std::vector<ResponseRow> rows;
    if (!std::getline(file, line) || line.rfind("frequency_hz,left_magnitude_db,", 0) != 0) return rows;
    while (std::getline(file, line)) {
        ResponseRow r{};
        if (std::sscanf(line.c_str(), "%lf,%lf,%lf,%lf,%lf,%lf,%lf", &r.frequency, &r.magnitudeDb[0],
                        &r.phaseDegrees[0], &r.groupDelayMs[0], &r.magnitudeDb[1], &r.phaseDegrees[1],
                        &r.groupDelayMs[1]) != 7) {
            return {};
        }
        rows.push_back(r);
    }
    return rows;
}
