// The committed artwork against what the editor expects: file kinds and frame strips, and that the
// painted scales and the knob pointers agree with the layout geometry the controls use.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "artwork_table.h"
#include "layout_geometry.h"
#include "png_file.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<unsigned char> artworkBytes(const ArtworkEntry& art) {
    return readFile(std::string(QX71_RESOURCES_DIR) + "/" + art.file);
}

RgbaImage decodeArtwork(int id) { return decodePng(artworkBytes(artworkEntry(id))); }

bool sameFrame(const RgbaImage& image, int frameHeight, int a, int b) {
    size_t rowBytes = 4 * static_cast<size_t>(image.width);
    auto first = image.pixels.begin() + a * frameHeight * rowBytes;
    return std::equal(first, first + frameHeight * rowBytes, image.pixels.begin() + b * frameHeight * rowBytes);
}

TEST(ArtworkFiles, MatchTheResourceTableAtEveryScale) {
    for (int scale : kArtworkScales) {
        for (const ArtworkEntry& base : kArtwork) {
            ArtworkEntry art = scaledArtwork(base, scale);
            SCOPED_TRACE(art.file);
            PngChunks png = readPngChunks(artworkBytes(art));
            EXPECT_TRUE(png.crcsValid);
            EXPECT_EQ(png.width, art.width);
            EXPECT_EQ(png.height, art.frameHeight * art.frames);
            EXPECT_EQ(png.bitDepth, 8);
            EXPECT_EQ(png.interlace, 0);
            bool palette = art.kind != PngKind::Rgba;
            EXPECT_EQ(png.colourType, palette ? 3 : 6);
            EXPECT_EQ(png.has("PLTE"), palette);
            EXPECT_EQ(png.has("tRNS"), art.kind == PngKind::PaletteWithTransparency);
        }
    }
}

TEST(ArtworkFiles, DecodeAsTheLoaderExpects) {
    for (const ArtworkEntry& art : kArtwork) {
        SCOPED_TRACE(art.file);
        RgbaImage image = decodeArtwork(art.id);
        ASSERT_EQ(image.width, art.width);
        ASSERT_EQ(image.height, art.frameHeight * art.frames);
        // The opaque background decodes to three channels; the rest carry alpha.
        EXPECT_EQ(image.sourceChannels, art.kind == PngKind::OpaquePalette ? 3 : 4);
    }
    RgbaImage background = decodeArtwork(101);
    for (size_t i = 3; i < background.pixels.size(); i += 4) {
        ASSERT_EQ(background.pixels[i], 255);
    }
}

TEST(ArtworkFrames, EveryFrameDiffersFromTheNext) {
    for (const ArtworkEntry& art : kArtwork) {
        SCOPED_TRACE(art.file);
        RgbaImage image = decodeArtwork(art.id);
        for (int frame = 1; frame < art.frames; ++frame) {
            EXPECT_FALSE(sameFrame(image, art.frameHeight, frame - 1, frame)) << "frame " << frame;
        }
    }
}

TEST(ArtworkFrames, ControlsLeaveTheirCornersTransparent) {
    for (const ArtworkEntry& art : kArtwork) {
        if (art.kind == PngKind::OpaquePalette) {
            continue;
        }
        SCOPED_TRACE(art.file);
        RgbaImage image = decodeArtwork(art.id);
        for (int frame = 0; frame < art.frames; ++frame) {
            int top = frame * art.frameHeight, bottom = top + art.frameHeight - 1, right = art.width - 1;
            EXPECT_EQ(image.at(0, top)[3], 0) << "frame " << frame;
            EXPECT_EQ(image.at(right, top)[3], 0) << "frame " << frame;
            EXPECT_EQ(image.at(0, bottom)[3], 0) << "frame " << frame;
            EXPECT_EQ(image.at(right, bottom)[3], 0) << "frame " << frame;
        }
    }
}

// Both slope switches share one strip, but each gives up 5 rows to the filter ring (the bottom
// ones for "Lo Slope", the top ones for "Hi Slope"): nothing may be painted where clicks go to the ring.
TEST(ArtworkFrames, SlopeSwitchPaintsOnlyWhereBothSwitchesTakeClicks) {
    int firstClickRow = layout::hiSlopeMouseArea.top - layout::hiSlopeSwitch.top;
    int endClickRow = layout::loSlopeMouseArea.bottom - layout::loSlopeSwitch.top;
    const ArtworkEntry& art = artworkEntry(108);
    RgbaImage image = decodeArtwork(108);
    for (int frame = 0; frame < art.frames; ++frame) {
        for (int row = 0; row < art.frameHeight; ++row) {
            if (row >= firstClickRow && row < endClickRow) {
                continue;
            }
            for (int x = 0; x < art.width; ++x) {
                ASSERT_EQ(image.at(x, frame * art.frameHeight + row)[3], 0) << "frame " << frame << " row " << row;
            }
        }
    }
}

double meanLuminanceNearCentre(const RgbaImage& image, int top, int size) {
    double sum = 0;
    for (int y = size / 2 - 4; y < size / 2 + 4; ++y) {
        for (int x = size / 2 - 4; x < size / 2 + 4; ++x) {
            sum += image.luminance(x, top + y);
        }
    }
    return sum / 64;
}

TEST(ArtworkFrames, LampsReadClearlyLitOrDark) {
    for (int id : {111, 112}) {
        SCOPED_TRACE(id);
        RgbaImage image = decodeArtwork(id);
        double dark = meanLuminanceNearCentre(image, 0, layout::lampSize);
        double lit = meanLuminanceNearCentre(image, layout::lampSize, layout::lampSize);
        EXPECT_GT(lit, 100.0);
        EXPECT_GT(lit, 3.0 * dark);
    }
}

// Knob angle, degrees counter-clockwise from 3 o'clock, of a point in a frame with y down.
double sampleLuminance(const RgbaImage& image, int top, int size, double angleDeg, double radius) {
    double c = size / 2.0, a = angleDeg * kPi / 180.0;
    int x = static_cast<int>(std::floor(c + radius * std::cos(a)));
    int y = static_cast<int>(std::floor(c - radius * std::sin(a)));
    return image.luminance(std::clamp(x, 0, size - 1), top + std::clamp(y, 0, size - 1));
}

// The direction in which a knob frame's pointer stands out from its face: the brightness on rings
// between the two radii, around the knob; the pointer is the run of angles, around the extreme,
// that departs from the typical (median) brightness by more than half as much as the extreme does
// (light and dark pointers alike). Its centre is the answer.
double pointerAngle(const RgbaImage& image, int top, int size, double rMin, double rMax) {
    constexpr int kSteps = 720;  // half-degree steps
    std::vector<double> profile(kSteps);
    for (int i = 0; i < kSteps; ++i) {
        for (double r = rMin; r <= rMax; r += 0.5) {
            profile[i] += sampleLuminance(image, top, size, i * 0.5, r);
        }
    }
    std::vector<double> sorted = profile;
    std::nth_element(sorted.begin(), sorted.begin() + kSteps / 2, sorted.end());
    double median = sorted[kSteps / 2];
    auto [darkest, brightest] = std::minmax_element(profile.begin(), profile.end());
    bool light = *brightest - median > median - *darkest;
    int peak = static_cast<int>((light ? brightest : darkest) - profile.begin());
    double threshold = 0.5 * std::fabs(profile[peak] - median);
    auto inside = [&](int i) { return std::fabs(profile[(i % kSteps + kSteps) % kSteps] - median) > threshold; };
    int first = peak, last = peak;
    while (inside(first - 1) && peak - first < kSteps / 2) {
        --first;
    }
    while (inside(last + 1) && last - peak < kSteps / 2) {
        ++last;
    }
    return (first + last) * 0.25;
}

double angleDifference(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

// Ring angles run clockwise from straight down; knob angles counter-clockwise from 3 o'clock.
double ringToKnobAngle(double ringDegrees) { return -90.0 - ringDegrees; }

struct PointerCase {
    int id;
    double rMin, rMax;  // where the pointer crosses the knob's plain face
    std::vector<double> expected;
};

std::vector<PointerCase> pointerCases() {
    std::vector<double> band, hiPass, loPass, fine;
    for (int k = 0; k < layout::bandSelectorFrames; ++k) {
        band.push_back(ringToKnobAngle(layout::bandStartAngle + layout::bandStepAngle * (k + 0.5)));
    }
    for (int g = 0; g < layout::filterKnobFrames; ++g) {
        hiPass.push_back(ringToKnobAngle(layout::filterSectorAngle * g));
        loPass.push_back(ringToKnobAngle(layout::filterSectorAngle * (layout::hiPassSectors + g)));
    }
    for (int i = 0; i < layout::fineKnobFrames; ++i) {
        fine.push_back(layout::knobStartAngle - layout::knobSweepAngle * i / (layout::fineKnobFrames - 1));
    }
    return {{102, 9, 15, fine}, {103, 26, 30, band}, {104, 26, 30, hiPass}, {105, 9, 15, loPass}, {106, 10, 18, fine}};
}

TEST(KnobArtwork, EveryFramePointsWhereItsControlExpects) {
    for (const PointerCase& c : pointerCases()) {
        const ArtworkEntry& art = artworkEntry(c.id);
        SCOPED_TRACE(art.file);
        ASSERT_EQ(static_cast<int>(c.expected.size()), art.frames);
        RgbaImage image = decodeArtwork(c.id);
        for (int frame = 0; frame < art.frames; ++frame) {
            double measured = pointerAngle(image, frame * art.frameHeight, art.width, c.rMin, c.rMax);
            EXPECT_LT(angleDifference(measured, c.expected[frame]), 2.0)
                << "frame " << frame << " points at " << measured << ", expected " << c.expected[frame];
        }
    }
}

double backgroundLuminance(const RgbaImage& image, layout::Point centre, double knobDegrees, double radius) {
    double a = knobDegrees * kPi / 180.0;
    int x = static_cast<int>(std::floor(centre.x + radius * std::cos(a)));
    int y = static_cast<int>(std::floor(centre.y - radius * std::sin(a)));
    return image.luminance(x, y);
}

// A scale tick just outside the selector knob at every position the ring selects, and the dark
// track of the ring halfway between neighbouring positions.
void expectTicks(const RgbaImage& background, layout::Point centre, const std::vector<double>& ringAngles,
                 double halfStep) {
    double radius = layout::selectorKnobSize / 2.0;
    for (double ring : ringAngles) {
        SCOPED_TRACE(ring);
        EXPECT_GT(backgroundLuminance(background, centre, ringToKnobAngle(ring), radius), 110.0);
        EXPECT_LT(backgroundLuminance(background, centre, ringToKnobAngle(ring + halfStep), radius), 90.0);
    }
}

TEST(BackgroundArtwork, ScaleTicksSitWhereTheClickRingsSelect) {
    RgbaImage background = decodeArtwork(101);
    std::vector<double> band, filter;
    for (int k = 0; k < layout::bandPositions; ++k) {
        band.push_back(layout::bandStartAngle + layout::bandStepAngle * (k + 0.5));
    }
    for (int g = 0; g < layout::filterSectors; ++g) {
        filter.push_back(layout::filterSectorAngle * g);
    }
    for (layout::Point centre : {layout::highBandCentre, layout::midBandCentre, layout::lowBandCentre}) {
        expectTicks(background, centre, band, layout::bandStepAngle / 2);
    }
    expectTicks(background, layout::filterCentre, filter, layout::filterSectorAngle / 2);
}

// Ends and centre of the scales around the bandwidth and output knobs.
TEST(BackgroundArtwork, SideKnobScalesMarkTheSweepEndsAndCentre) {
    RgbaImage background = decodeArtwork(101);
    constexpr double kScaleRadius = 33.0;  // between the knob's rim and the scale legends
    double end = layout::knobStartAngle - layout::knobSweepAngle;
    for (layout::Point centre :
         {layout::highBwCentre, layout::midBwCentre, layout::lowBwCentre, layout::outputCentre}) {
        for (double angle : {double(layout::knobStartAngle), 90.0, end}) {
            EXPECT_GT(backgroundLuminance(background, centre, angle, kScaleRadius), 110.0) << angle;
        }
    }
}

}  // namespace
