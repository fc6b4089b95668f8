#include "midi/chimes/ChimeMaterial.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tinsori {

namespace {

// ln(1000): a decay of 60 dB in amplitude.
constexpr double kSixtyDecibels = 6.907755278982137;

// Loss factors after Cremer, Heckl and Petersson, "Structure-Borne Sound" (3rd ed., 2005),
// table of material loss factors: aluminium about 1e-4, brass below 1e-3, wood 0.8e-2 to 1e-2.
// Aluminium is taken twice the bare metal's, for the alloy and the drilled hanging hole. With
// the support term the fundamental of an aluminium chime at 200 Hz rings 23 s, its fifth mode
// (2.7 kHz) under 4 s, as T. D. Rossing, "Science of Percussion Instruments" (2000),
// describes chimes: long fundamentals, a short shimmer above. Bamboo rings under a second.
// The contact edges put a wooden clapper's hardest strike on aluminium at 5 kHz.
constexpr ChimeMaterial kAluminium{"aluminium", 2e-4, 40.0, 5000.0};
constexpr ChimeMaterial kBamboo{"bamboo", 1e-2, 1.5, 1800.0};
constexpr ChimeMaterial kBrass{"brass", 4e-4, 12.0, 8000.0};

constexpr int kCelesta = 8, kGlockenspiel = 9, kMusicBox = 10, kTinkleBell = 112;
constexpr int kMarimba = 12, kXylophone = 13;
// General MIDI's percussive family from Agogo to Synth Drum (Reverse Cymbal is no tube), and the
// wooden-boxed Kalimba.
constexpr int kKalimba = 108, kAgogo = 113, kSynthDrum = 118;
constexpr int kTimpani = 47;

}  // namespace

double ChimeMaterial::decaySeconds(double frequency) const {
    const double internal = std::numbers::pi * std::max(0.0, frequency) * lossFactor;
    return 1.0 / (1.0 / supportSeconds + internal / kSixtyDecibels);
}

double ChimeMaterial::contactWeight(double frequency, int velocity) const {
    // A harder strike is a shorter contact (Hertzian contact time falls with impact speed), so
    // its spectrum reaches higher: the edge falls to a quarter of the hardest at velocity 12.
    const double hardness = std::clamp(velocity, 1, 127) / 127.0;
    const double edge = contactHz * std::pow(hardness, 0.6);
    const double over = frequency / edge;
    return 1.0 / (1.0 + over * over);
}

const ChimeMaterial& ChimeMaterial::Aluminium() {
    return kAluminium;
}

const ChimeMaterial& ChimeMaterial::Bamboo() {
    return kBamboo;
}

const ChimeMaterial& ChimeMaterial::Brass() {
    return kBrass;
}

const ChimeMaterial& ChimeMaterial::ForProgram(int program) {
    switch (program) {
        case kCelesta:
        case kGlockenspiel:
        case kMusicBox:
        case kTinkleBell:
            return kBrass;
        case kMarimba:
        case kXylophone:
        case kKalimba:
        case kTimpani:
            return kBamboo;
        default:
            return program >= kAgogo && program <= kSynthDrum ? kBamboo : kAluminium;
    }
}

}  // namespace tinsori
