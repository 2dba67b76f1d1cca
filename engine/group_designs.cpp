#include "group_designs.h"

#include <type_traits>

#include "parameter_decoding.h"
#include "section_designs.h"

namespace dsp {

namespace {
// Per position of the band selectors (frequencies: parameter_table.h).
constexpr double kHighBandP[8] = {0, 4.53, 4.53, 4.53, 3.65, 1.9, 1.9, 1.6};
constexpr double kHighBandQ[8] = {0, 2.26, 2.26, 2.26, 1.8, 0.6, 0.6, 0.5};

constexpr double kMidBandP[8] = {0, 4.53, 4.53, 4.53, 4.53, 4.53, 3.65, 2.0};
constexpr double kMidBandQ[8] = {0, 2.26, 2.26, 2.26, 2.26, 2.26, 1.8, 0.6};

constexpr double kLowShelfCorner[8] = {0, 120, 150, 200, 300, 440, 600, 800};
constexpr double kLowBandP = 4.53;
constexpr double kLowBandQ = 2.26;
constexpr double kLowDipBeta = 1.0397207708399179;  // 3 octaves

// Twice the quality factors of the second-order sections each slope runs, in processing order:
// none at 6 dB/oct, one at 12 and 18, two at 24.
constexpr double kSecondOrderDivisors[kSlopeCount][2] = {
    {0.0, 0.0}, {1.4142, 0.0}, {2.0, 0.0}, {1.0823682216690118, 2.6130128037627385}};

constexpr double kAnalogFrequency = 15000.0;
constexpr double kAnalogDb = -2.0;

void reset(DesignedChain& chain, Section section) { ++chain.resetCount[static_cast<int>(section)]; }
void resetBiquad(DesignedChain& chain, Biquad<double>& record, Section section) {
    record = identityBiquad();
    reset(chain, section);
}
void resetShelf(DesignedChain& chain, Shelf<double>& record, Section section) {
    record = zeroShelf();
    reset(chain, section);
}

bool above(float x, float limit) { return x > limit; }

// Designs the sections of `filter` that the slope runs; the others keep their coefficients.
template <class FirstOrderDesign, class SecondOrderDesign>
void designPass(ChainPart filter, double frequency, int slope, double sampleRate, ChainCoefficients<double>& c,
                FirstOrderDesign firstOrder, SecondOrderDesign secondOrder) {
    int secondOrders = 0;
    forEachSection(
        [&](Section section, auto& record) {
            if (traitsOf(section).part != filter || !runsAtSlope(section, slope)) return;
            using Record = std::decay_t<decltype(record)>;
            if constexpr (std::is_same_v<Record, FirstOrder<double>>) {
                record = firstOrder(frequency, sampleRate);
            } else if constexpr (std::is_same_v<Record, Biquad<double>>) {
                record = secondOrder(frequency, kSecondOrderDivisors[slope][secondOrders++], sampleRate);
            }
        },
        c);
}
}  // namespace

ChainCoefficients<double> DesignedChain::initialCoefficients() {
    // Every section the identity (a shelf's zero record is one).
    ChainCoefficients<double> c;
    forEachSection(
        [](Section, auto& record) {
            using Record = std::decay_t<decltype(record)>;
            if constexpr (std::is_same_v<Record, Biquad<double>>) record = identityBiquad();
            if constexpr (std::is_same_v<Record, FirstOrder<double>>) record = identityFirstOrder();
            if constexpr (std::is_same_v<Record, Shelf<double>>) record = zeroShelf();
        },
        c);
    return c;
}

void designHighBand(const float* x, double fs, DesignedChain& chain) {
    ChainCoefficients<double>& c = chain.coefficients;
    const int i = bandPosition(x[param::hfFreq]);
    if (i == 0) {
        resetBiquad(chain, c.hfPeak, Section::hfPeak);
        resetShelf(chain, c.hfShelf, Section::hfShelf);
        return;
    }
    const float gain = x[param::hfGain];
    const double dB = bandGainDb(gain);
    const float type = x[param::hfType];
    if (above(x[param::hfMode], 0.5f)) {
        const double bw =
            bandwidthLaw(gain, x[param::hfBandwidth], dB, above(type, 0.5f), kHighBandP[i], kHighBandQ[i]);
        c.hfPeak = designPeaking(param::kHighBandSteps[i].value, peakingAmplitude(dB), bandwidthFactor(bw), fs);
        resetShelf(chain, c.hfShelf, Section::hfShelf);
        return;
    }
    c.hfShelf = designShelf(param::kHighBandSteps[i].value, dB, ShelfForm::high, fs);
    if (type >= 0.5f) {
        // A broad opposite bump below the shelf; its width follows the gain knob.
        const float bumpGain = gain * 6.0f - 3.0f;
        const float gainComplement = 1.0f - gain;
        const double bumpOctaves = gainComplement * 0.2 + 2.0;
        c.hfPeak = designPeaking(param::kHighBandSteps[i].value * 0.121,
                                 peakingAmplitude(-static_cast<double>(bumpGain)), bandwidthFactor(bumpOctaves), fs);
    } else {
        resetBiquad(chain, c.hfPeak, Section::hfPeak);
    }
}

void designMidBand(const float* x, double fs, DesignedChain& chain) {
    ChainCoefficients<double>& c = chain.coefficients;
    const int i = bandPosition(x[param::mfFreq]);
    if (i == 0) {
        resetBiquad(chain, c.mfPeak, Section::mfPeak);
        return;
    }
    const float gain = x[param::mfGain];
    const double dB = bandGainDb(gain);
    const double bw =
        bandwidthLaw(gain, x[param::mfBandwidth], dB, above(x[param::mfType], 0.5f), kMidBandP[i], kMidBandQ[i]);
    c.mfPeak = designPeaking(param::kMidBandSteps[i].value, peakingAmplitude(dB), bandwidthFactor(bw), fs);
}

void designLowBand(const float* x, double fs, DesignedChain& chain) {
    ChainCoefficients<double>& c = chain.coefficients;
    const int i = bandPosition(x[param::lfFreq]);
    if (i == 0) {
        resetBiquad(chain, c.lfMain, Section::lfMain);
        resetBiquad(chain, c.lfDip, Section::lfDip);
        resetShelf(chain, c.lfShelf, Section::lfShelf);
        return;
    }
    const float gain = x[param::lfGain];
    const double dB = bandGainDb(gain);
    const float type = x[param::lfType];
    if (above(x[param::lfMode], 0.5f)) {
        const double bw = bandwidthLaw(gain, x[param::lfBandwidth], dB, above(type, 0.5f), kLowBandP, kLowBandQ);
        c.lfMain = designPeaking(param::kLowBandSteps[i].value, peakingAmplitude(dB), bandwidthFactor(bw), fs);
        resetBiquad(chain, c.lfDip, Section::lfDip);
        resetShelf(chain, c.lfShelf, Section::lfShelf);
        return;
    }
    if (type >= 0.5f) {
        c.lfMain = designLowShelf(kLowShelfCorner[i], peakingAmplitude(dB), fs);
        // A small, broad counter-dip above the corner, opposite in sign to the shelf.
        const double s = i * 0.1;
        const double dipDb = -(static_cast<double>(gain) * (3.0 - s * 2.0) - (1.5 - s));
        c.lfDip = designPeaking(5.0 * kLowShelfCorner[i], peakingAmplitude(dipDb), kLowDipBeta, fs);
        resetShelf(chain, c.lfShelf, Section::lfShelf);
        return;
    }
    c.lfShelf = designShelf(param::kLowBandSteps[i].value, dB, ShelfForm::low, fs);
    resetBiquad(chain, c.lfMain, Section::lfMain);
    resetBiquad(chain, c.lfDip, Section::lfDip);
}

void designLowPass(const float* x, double fs, DesignedChain& chain) {
    const int i = passPosition(x[param::lowPass]);
    if (i == 0) return;
    designPass(ChainPart::lowPass, param::kLowPassSteps[i].value, slopePosition(x[param::lowSlope]), fs,
               chain.coefficients, designFirstOrderLowPass, designSecondOrderLowPass);
}

void designHighPass(const float* x, double fs, DesignedChain& chain) {
    const int i = passPosition(x[param::highPass]);
    if (i == 0) return;
    designPass(ChainPart::highPass, param::kHighPassSteps[i].value, slopePosition(x[param::highSlope]), fs,
               chain.coefficients, designFirstOrderHighPass, designSecondOrderHighPass);
}

void designAnalog(const float* x, double fs, DesignedChain& chain) {
    ChainCoefficients<double>& c = chain.coefficients;
    if (above(x[param::analog], 0.5f)) {
        c.analogShelf = designShelf(kAnalogFrequency, kAnalogDb, ShelfForm::high, fs);
    } else {
        resetShelf(chain, c.analogShelf, Section::analogShelf);
    }
}

void designGroup(DesignGroup group, const float* values, double sampleRate, DesignedChain& chain) {
    using Design = void (*)(const float*, double, DesignedChain&);
    static constexpr Design kDesigns[kDesignGroupCount] = {designHighBand, designMidBand,  designLowBand,
                                                           designLowPass,  designHighPass, designAnalog};
    kDesigns[static_cast<int>(group)](values, sampleRate, chain);
}

bool groupOfParameter(int index, DesignGroup& group) {
    if (index >= param::hfFreq && index <= param::hfMode) {
        group = DesignGroup::highBand;
    } else if (index >= param::mfFreq && index <= param::mfType) {
        group = DesignGroup::midBand;
    } else if (index >= param::lfFreq && index <= param::lfMode) {
        group = DesignGroup::lowBand;
    } else if (index == param::lowPass || index == param::lowSlope) {
        group = DesignGroup::lowPass;
    } else if (index == param::highPass || index == param::highSlope) {
        group = DesignGroup::highPass;
    } else if (index == param::analog) {
        group = DesignGroup::analog;
    } else {
        return false;
    }
    return true;
}

}  // namespace dsp
