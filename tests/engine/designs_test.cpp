#include <gtest/gtest.h>

#include "analog_noise.h"
#include "engine_fixture.h"
#include "response.h"
#include "section_designs.h"

using namespace dsp;  // the engine's names, unqualified in the tests

namespace {
ChainCoefficients<double> designed(EngineRig& rig) { return rig.engine.designedChain().coefficients; }
}  // namespace

TEST(WorkedExamples, HighShelfTypeAAtPosition1) {
    EngineRig rig;
    rig.set(param::hfFreq, 1.0f / 7.0f);
    rig.set(param::hfGain, 1.0f);
    EXPECT_TRUE(matchesPrinted(designed(rig).hfShelf.k, "3.4716412"));
    EXPECT_TRUE(matchesPrinted(designed(rig).hfShelf.c, "-0.85438874"));
    rig.set(param::hfGain, 0.0f);
    EXPECT_TRUE(matchesPrinted(designed(rig).hfShelf.k, "-0.43705373"));
    EXPECT_TRUE(matchesPrinted(designed(rig).hfShelf.c, "-0.98042273"));
}

TEST(WorkedExamples, MidBellAt1600Hz) {
    EngineRig rig;
    rig.set(param::mfFreq, 4.0f / 7.0f);
    rig.set(param::mfGain, 0.75f);
    EXPECT_TRUE(matchesPrinted(peakingAmplitude(9.0), "1.6788040"));
    const Biquad<double> c = designed(rig).mfPeak;
    EXPECT_TRUE(matchesPrinted(c.a0, "1.2004349"));
    EXPECT_TRUE(matchesPrinted(c.b0, "1.3036128"));
    EXPECT_TRUE(matchesPrinted(c.b1, "-1.6229603"));
    EXPECT_EQ(c.a1, c.b1);
    EXPECT_TRUE(matchesPrinted(c.b2, "0.36244995"));
    EXPECT_TRUE(matchesPrinted(c.a2, "0.66606280"));
    // The same design from its 3.4-octave bandwidth.
    const Biquad<double> direct = designPeaking(1600, peakingAmplitude(9.0), bandwidthFactor(3.4), 44100);
    EXPECT_NEAR(c.b0, direct.b0, 1e-14);
}

TEST(WorkedExamples, PassFiltersAtPosition1) {
    EngineRig rig;
    rig.set(param::lowSlope, 1.0f / 3.0f);
    rig.set(param::lowPass, 0.2f);
    const Biquad<double> lp = designed(rig).lpStage1;
    EXPECT_TRUE(matchesPrinted(lp.a0, "1.3857551"));
    EXPECT_TRUE(matchesPrinted(lp.b0, "0.66320812"));
    EXPECT_EQ(lp.b2, lp.b0);
    EXPECT_TRUE(matchesPrinted(lp.b1, "1.3264162"));
    EXPECT_TRUE(matchesPrinted(lp.a1, "1.2095760"));
    EXPECT_TRUE(matchesPrinted(lp.a2, "0.44325643"));

    rig.set(param::highPass, 0.2f);
    const FirstOrder<double> hp = designed(rig).hpFirst;
    EXPECT_TRUE(matchesPrinted(hp.b0, "0.99893257"));
    EXPECT_EQ(hp.b1, -hp.b0);
    EXPECT_TRUE(matchesPrinted(hp.a1, "-0.99786514"));
}

TEST(WorkedExamples, AnalogShelfAndNoise) {
    EngineRig rig;
    rig.set(param::analog, 1.0f);
    const Shelf<double> shelf = designed(rig).analogShelf;
    EXPECT_TRUE(matchesPrinted(shelf.k, "-0.10283588"));
    EXPECT_TRUE(matchesPrinted(shelf.c, "0.18245273"));
    // The same as the shared high shelf design written with pi × 15000 folded into one constant
    // (evaluated at run time, by the same maths library as the engine).
    volatile double rate = 44100.0;
    volatile double minusTwoDb = -0.23025850929940456;
    const double t = std::tan(47123.8898038469 / rate);
    const double v = std::exp(minusTwoDb);
    EXPECT_EQ(shelf.c, (v * t - 1.0) / (v * t + 1.0));

    uint32_t seed = 0;
    const double left = nextAnalogNoise(seed);
    EXPECT_EQ(seed, 907633515u);
    const double right = nextAnalogNoise(seed);
    EXPECT_EQ(seed, 2641306770u);
    EXPECT_TRUE(matchesPrinted(left, "-2.8867519e-06"));
    EXPECT_TRUE(matchesPrinted(right, "1.1497712e-06"));
    EXPECT_EQ((left / 1e-5) * 2.0 + 3.0, static_cast<double>(2.4226496f));
    EXPECT_EQ((right / 1e-5) * 2.0 + 3.0, static_cast<double>(3.2299542f));
}

TEST(WorkedExamples, Bandwidths) {
    EXPECT_NEAR(bandwidthLaw(1.0f, 0.5f, 18, false, 1.6, 0.5), 1.1, 1e-12);
    EXPECT_NEAR(bandwidthLaw(1.0f, 1.0f, 18, false, 1.6, 0.5), 1.7875, 1e-12);
    EXPECT_NEAR(bandwidthLaw(0.0f, 0.5f, -18, true, 4.53, 2.26), 0.37001, 1e-12);
    EXPECT_NEAR(bandwidthLaw(0.0f, 0.5f, -18, false, 4.53, 2.26), 2.27, 1e-12);
    EXPECT_NEAR(bandwidthLaw(1.0f, 0.5f, 18, true, 2.0, 0.6), 1.4, 1e-12);
    EXPECT_NEAR(bandwidthLaw(0.0f, 0.5f, -18, true, 2.0, 0.6), 0.2282, 1e-12);
    EXPECT_NEAR(bandwidthLaw(0.75f, 0.5f, 9, false, 4.53, 2.26), 3.4, 1e-12);
    EXPECT_NEAR(bandwidthLaw(1.0f, 0.0f, 18, false, 4.53, 2.26), 0.85125, 1e-12);
    EXPECT_EQ(bandwidthLaw(0.5f, 0.5f, 0, true, 4.53, 2.26), 4.53);
    // Boosts are never narrowed by type B.
    EXPECT_EQ(bandwidthLaw(0.8f, 0.3f, 10.8, true, 3.65, 1.8), bandwidthLaw(0.8f, 0.3f, 10.8, false, 3.65, 1.8));
}

TEST(Responses, BellGainAtItsCentre) {
    for (double fs : {44100.0, 96000.0}) {
        for (int position = 1; position <= 7; ++position) {
            for (float gain : {0.0f, 0.25f, 0.75f, 1.0f}) {
                EngineRig rig(fs);
                rig.set(param::mfGain, gain);
                rig.set(param::mfFreq, position / 7.0f);
                rig.set(param::hfMode, 1.0f);
                rig.set(param::hfGain, gain);
                rig.set(param::hfFreq, position / 7.0f);
                const ChainCoefficients<double> c = designed(rig);
                const double mid[] = {0, 220, 360, 700, 1600, 3200, 4800, 7200};
                const double high[] = {0, 1100, 2200, 3900, 5800, 8200, 10000, 12000};
                EXPECT_NEAR(magnitudeDb(response(c.mfPeak, mid[position], fs)), bandGainDb(gain), 1e-9);
                EXPECT_NEAR(magnitudeDb(response(c.hfPeak, high[position], fs)), bandGainDb(gain), 1e-9);
            }
        }
    }
}

TEST(Responses, ShelvesReachTheirGain) {
    for (float gain : {0.0f, 0.3f, 0.8f, 1.0f}) {
        EngineRig rig;
        rig.set(param::hfGain, gain);
        rig.set(param::hfFreq, 0.5f);
        rig.set(param::lfGain, gain);
        rig.set(param::lfFreq, 0.5f);
        ChainCoefficients<double> c = designed(rig);
        const double dB = bandGainDb(gain);
        EXPECT_NEAR(magnitudeDb(highShelfResponse(c.hfShelf, 22050, 44100)), dB, 1e-9);
        EXPECT_NEAR(magnitudeDb(highShelfResponse(c.hfShelf, 0, 44100)), 0.0, 1e-9);
        EXPECT_NEAR(magnitudeDb(lowShelfResponse(c.lfShelf, 0, 44100)), dB, 1e-9);
        EXPECT_NEAR(magnitudeDb(lowShelfResponse(c.lfShelf, 22050, 44100)), 0.0, 1e-9);
        // Type-B low shelf: second-order shelf at DC plus a small counter-dip at 5 × its corner.
        rig.set(param::lfType, 0.5f);
        c = designed(rig);
        EXPECT_NEAR(magnitudeDb(response(c.lfMain, 0, 44100)), dB, 1e-9);
        const double dipDb = (1.5 - 0.1 * 4) * (1.0 - 2.0 * gain);
        EXPECT_NEAR(magnitudeDb(response(c.lfDip, 1500, 44100)), dipDb, 1e-6);
    }
    EngineRig rig;
    rig.set(param::analog, 1.0f);
    const Shelf<double> analog = designed(rig).analogShelf;
    EXPECT_NEAR(magnitudeDb(highShelfResponse(analog, 0, 44100)), 0.0, 1e-12);
    EXPECT_NEAR(magnitudeDb(highShelfResponse(analog, 22050, 44100)), -2.0, 1e-9);
}

TEST(Responses, HighShelfTypeBAddsAnOppositeBump) {
    EngineRig rig;
    rig.set(param::hfType, 0.5f);
    rig.set(param::hfGain, 1.0f);
    rig.set(param::hfFreq, 1.0f / 7.0f);
    const ChainCoefficients<double> c = designed(rig);
    EXPECT_NEAR(magnitudeDb(response(c.hfPeak, 1100 * 0.121, 44100)), -3.0, 1e-9);
    EXPECT_NEAR(magnitudeDb(highShelfResponse(c.hfShelf, 22050, 44100)), 18.0, 1e-9);
}

TEST(Responses, PassFiltersCornerAndSlope) {
    const double fs = 192000.0;
    const double lowPassHz[] = {18000, 14000, 10000, 8000, 6000};
    const double highPassHz[] = {15, 45, 70, 160, 360};
    const int order[] = {1, 2, 3, 4};
    for (int position = 1; position <= 5; ++position) {
        for (int slope = 0; slope <= 3; ++slope) {
            EngineRig rig(fs);
            rig.set(param::lowSlope, slope / 3.0f);
            rig.set(param::highSlope, slope / 3.0f);
            rig.set(param::lowPass, position * 0.2f);
            rig.set(param::highPass, position * 0.2f);
            const ChainCoefficients<double> c = designed(rig);
            auto lowPass = [&](double f) {
                if (slope == 0) return response(c.lpFirst, f, fs);
                if (slope == 1) return response(c.lpStage1, f, fs);
                if (slope == 2) return response(c.lpFirst, f, fs) * response(c.lpStage1, f, fs);
                return response(c.lpStage1, f, fs) * response(c.lpStage2, f, fs);
            };
            auto highPass = [&](double f) {
                if (slope == 0) return response(c.hpFirst, f, fs);
                if (slope == 1) return response(c.hpStage1, f, fs);
                if (slope == 2) return response(c.hpFirst, f, fs) * response(c.hpStage1, f, fs);
                return response(c.hpStage1, f, fs) * response(c.hpStage2, f, fs);
            };
            const double fl = lowPassHz[position - 1];
            const double fh = highPassHz[position - 1];
            SCOPED_TRACE(testing::Message() << "position " << position << " slope " << slope);
            EXPECT_NEAR(magnitudeDb(lowPass(fl)), -3.0103, 0.01);
            EXPECT_NEAR(magnitudeDb(highPass(fh)), -3.0103, 0.01);
            EXPECT_NEAR(magnitudeDb(lowPass(0)), 0.0, 1e-9);
            EXPECT_NEAR(magnitudeDb(highPass(fs / 2)), 0.0, 1e-9);
            // 6 dB per octave and order far from the corner, with octaves measured on the
            // frequency axis that the bilinear design maps to the analogue one.
            auto warped = [&](double corner, double ratio) {
                return std::atan(std::tan(kPi * corner / fs) * ratio) * fs / kPi;
            };
            const double perOctave = 6.0206 * order[slope];
            EXPECT_NEAR(magnitudeDb(highPass(warped(fh, 0.125))) - magnitudeDb(highPass(warped(fh, 0.25))), -perOctave,
                        0.2);
            EXPECT_NEAR(magnitudeDb(lowPass(warped(fl, 16))) - magnitudeDb(lowPass(warped(fl, 8))), -perOctave, 0.2);
        }
    }
}

TEST(Responses, FlatAtZeroGain) {
    const Biquad<double> bell = designPeaking(700, peakingAmplitude(0.0), bandwidthFactor(2.0), 44100);
    EXPECT_EQ(bell.b0, 1.0);
    EXPECT_EQ(bell.b1, bell.a1);
    EXPECT_EQ(bell.b2, bell.a2);
    EXPECT_EQ(designShelf(3900, 0.0, ShelfForm::high, 44100).k, 0.0);
    const Shelf<double> cut = designShelf(1100, -6.0, ShelfForm::high, 44100);
    const Shelf<double> boost = designShelf(1100, 6.0, ShelfForm::high, 44100);
    for (double f : {200.0, 1100.0, 5000.0}) {
        EXPECT_NEAR(magnitudeDb(highShelfResponse(cut, f, 44100)), -magnitudeDb(highShelfResponse(boost, f, 44100)),
                    1e-9);
    }
}

TEST(DesignCap, OnlyBelowTheStandardRates) {
    EXPECT_EQ(cappedFrequency(18000, 44100), 18000);
    EXPECT_EQ(cappedFrequency(15000, 44100), 15000);
    EXPECT_EQ(cappedFrequency(18000, 32000), 32000 * 0.45);
    EXPECT_EQ(cappedFrequency(12000, 22050), 22050 * 0.45);
    // At 44100 Hz the low-pass at 18000 Hz is designed exactly as its formula says.
    const double w0 = 18000 * 6.283185307179586 / 44100;
    EXPECT_EQ(designSecondOrderLowPass(18000, 1.4142, 44100).a1, -2.0 * std::cos(w0) / (std::sin(w0) / 1.4142 + 1.0));
}
