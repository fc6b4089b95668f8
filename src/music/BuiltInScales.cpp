#include "music/ScaleTable.h"

namespace tinsori {

namespace {

ScaleDef Scale(int16_t id, const char* name, int repeat, std::initializer_list<int> offsets) {
    ScaleDef s;
    s.id = id;
    s.name = name;
    s.numNotes = static_cast<int>(offsets.size());
    s.repeatInterval = repeat;
    int k = 0;
    for (int o : offsets) s.notes[k++] = o;
    return s;
}

}  // namespace

const std::array<ScaleDef, kBuiltInScaleCount> BuiltInScales = {
    Scale(1, "Major Pentatonic (Asia)", 12, {0, 2, 4, 7, 9}),
    Scale(2, "New Pentatonic", 12, {0, 2, 4, 6, 9}),
    Scale(3, "Pentatonic (Japan)", 12, {0, 1, 5, 7, 8}),
    Scale(4, "Pentatonic (Balinese)", 12, {0, 1, 5, 6, 8}),
    Scale(5, "Pentatonic (Pelog)", 12, {0, 1, 3, 7, 10}),
    Scale(6, "Hemitonic Pentatonic 3", 12, {0, 2, 3, 7, 11}),
    Scale(7, "Pentatonic Variation", 12, {0, 4, 7, 9, 10}),
    Scale(8, "Fifths", 12, {0, 7}),
    Scale(9, "Major Third", 12, {0, 4}),
    Scale(10, "Octaves", 12, {0}),
    Scale(11, "Major I", 12, {0, 4, 7}),
    Scale(12, "Major IV", 12, {0, 5, 9}),
    Scale(13, "Major V", 12, {2, 7, 11}),
    Scale(14, "Major I", 12, {0, 4, 7}),
    Scale(15, "Major I dom 7th", 12, {0, 4, 7, 11}),
    Scale(16, "Major VI dom 7th", 12, {0, 4, 5, 9}),
    Scale(17, "Major V dom 7th", 12, {2, 5, 7, 11}),
    Scale(18, "Major I 7th no 5th", 12, {0, 4, 11}),
    Scale(19, "Major IV 7th no 5th", 12, {4, 5, 9}),
    Scale(20, "Major V 7th no 5th", 12, {5, 7, 11}),
    Scale(21, "Minor I", 12, {0, 3, 7}),
    Scale(22, "Minor IV", 12, {0, 5, 8}),
    Scale(23, "Minor V", 12, {2, 7, 10}),
    Scale(24, "Minor I dom 7th", 12, {0, 3, 7, 10}),
    Scale(25, "Minor IV dom 7th", 12, {0, 3, 5, 8}),
    Scale(26, "Minor V dom 7th", 12, {2, 5, 7, 10}),
    Scale(27, "Minor I 7th, no 5th", 12, {0, 3, 10}),
    Scale(28, "Minor IV 7th, no 5th", 12, {3, 5, 8}),
    Scale(29, "Minor V 7th, no 5th", 12, {5, 7, 10}),
    Scale(30, "Harmonic Minor dom 7th", 12, {0, 3, 7, 11}),
    Scale(31, "Harmonic Minor 7th, no 5th", 12, {0, 3, 11}),
    Scale(32, "Melodic Minor dom 7th", 12, {0, 3, 5, 9}),
    Scale(33, "Melodic Minor 7th, no 5th", 12, {3, 5, 9}),
    Scale(34, "Esoteric 6th", 12, {2, 5, 9, 11}),
    Scale(35, "Major Thirds (aug)", 12, {0, 4, 8}),
    Scale(36, "Minor Thirds (dim)", 12, {0, 3, 6}),
    Scale(37, "More Minor Thirds", 12, {0, 3, 6, 9}),
    Scale(38, "Major Scale", 12, {0, 2, 4, 5, 7, 9, 11}),
    Scale(39, "Harmonic Minor Scale", 12, {0, 2, 3, 5, 7, 8, 11}),
    Scale(40, "Melodic Minor Scale", 12, {0, 2, 3, 5, 7, 9, 11}),
    Scale(41, "Whole Tone (Debussy)", 2, {0}),
    Scale(42, "Chromatic", 1, {0}),
    Scale(43, "Augmented", 12, {0, 3, 4, 7, 8, 11}),
    Scale(44, "Diminished", 12, {0, 2, 3, 5, 6, 8, 9, 11}),
    Scale(45, "Enigmatic", 12, {0, 1, 4, 6, 8, 10, 11}),
    Scale(46, "Gypsy (Byzantine)", 12, {0, 1, 4, 5, 7, 8, 11}),
    Scale(47, "Arabian (Major Locrian)", 12, {0, 2, 4, 5, 6, 8, 10}),
    Scale(48, "Persian", 12, {0, 1, 4, 5, 7, 10, 11}),
    Scale(49, "Spanish (8 tone)", 12, {0, 1, 3, 4, 5, 6, 8, 10}),
    Scale(50, "Hungarian Gypsy", 12, {0, 2, 3, 6, 7, 8, 10}),
    Scale(51, "Native American", 12, {0, 2, 4, 6, 9, 11}),
    Scale(52, "Major Bebop", 12, {0, 2, 4, 5, 7, 8, 9, 11}),
    Scale(53, "Barber Shop", 24, {0, 2, 5, 7, 11, 14, 17, 19, 23}),
    Scale(54, "Barber Shop 2", 24, {0, 7, 12, 16, 19, 23}),
    Scale(55, "Rain (7b5+9)", 16, {0, 4, 6, 10, 12, 14}),
    Scale(56, "The Crystalline Entity (min9#7)", 27, {0, 7, 11, 15, 19, 26}),
    Scale(57, "Blues (Popular)", 12, {0, 3, 5, 6, 7, 10}),
    Scale(58, "Blues 2", 24, {0, 3, 4, 7, 8, 15, 19}),
    Scale(59, "Totally Disharmonic", 7, {0, 1, 3, 4}),
};

}  // namespace tinsori
