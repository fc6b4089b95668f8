#pragma once

namespace tinsori {

// What a struck tube is made of, as far as its sound goes: how fast its modes lose their energy
// and how bright a strike of given hardness sounds on it.
struct ChimeMaterial {
    const char* name;
    // Internal loss factor: a mode of frequency f decays as exp(-pi f eta t), so upper modes die
    // first.
    double lossFactor;
    // Ring time (to -60 dB) the hanging cord and the air allow at any frequency.
    double supportSeconds;
    // Upper edge of the strike's spectrum at the hardest strike; softer strikes stay longer in
    // contact, which lowers it.
    double contactHz;

    // Seconds a mode of `frequency` Hz takes to fall by 60 dB.
    double decaySeconds(double frequency) const;
    // How strongly a strike of `velocity` (1..127) excites a mode of `frequency` Hz, 0..1.
    double contactWeight(double frequency, int velocity) const;

    static const ChimeMaterial& Aluminium();
    static const ChimeMaterial& Bamboo();
    static const ChimeMaterial& Brass();
    // The General MIDI program's tubes: the small bells (Celesta, Glockenspiel, Music Box,
    // Tinkle Bell) brass, the wooden and percussive programs bamboo, all others aluminium.
    static const ChimeMaterial& ForProgram(int program);
};

}  // namespace tinsori
