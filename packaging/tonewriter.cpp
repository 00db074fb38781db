// Writes KORVAN's three prompt sounds as short WAV files (16-bit mono PCM): a rising pair of
// notes for a download that succeeded, a rising run of three for a finished series of repeated
// downloads, and a falling pair of low, rough notes for an error.
//     tonewriter <folder>    writes <folder>/ok.wav, done.wav and error.wav
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kRampSeconds = 0.008;  // fade in and out, so no note starts with a click

struct Note {
    double hertz;
    double seconds;
    double overtone;  // share of the third harmonic: 0 is a pure tone, more is rougher
};

std::vector<std::int16_t> Render(const std::vector<Note>& notes) {
    std::vector<std::int16_t> samples;
    for (const Note& note : notes) {
        const int count = static_cast<int>(note.seconds * kRate);
        const int ramp = static_cast<int>(kRampSeconds * kRate);
        for (int i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double phase = 2 * std::numbers::pi * note.hertz * t;
            double value = std::sin(phase) + note.overtone * std::sin(3 * phase);
            value /= 1 + note.overtone;
            const int edge = std::min(i, count - 1 - i);
            if (edge < ramp) value *= static_cast<double>(edge) / ramp;
            samples.push_back(static_cast<std::int16_t>(value * 0.5 * 32767));
        }
    }
    return samples;
}

void PutLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool WriteWave(const std::string& path, const std::vector<std::int16_t>& samples) {
    std::ofstream out(path, std::ios::binary);
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    PutLittleEndian(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    PutLittleEndian(out, 16, 4);         // format chunk size
    PutLittleEndian(out, 1, 2);          // PCM
    PutLittleEndian(out, 1, 2);          // mono
    PutLittleEndian(out, kRate, 4);      // samples per second
    PutLittleEndian(out, kRate * 2, 4);  // bytes per second
    PutLittleEndian(out, 2, 2);          // bytes per sample frame
    PutLittleEndian(out, 16, 2);         // bits per sample
    out.write("data", 4);
    PutLittleEndian(out, dataBytes, 4);
    for (const std::int16_t sample : samples)
        PutLittleEndian(out, static_cast<std::uint16_t>(sample), 2);
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: tonewriter <folder>\n", stderr);
        return 2;
    }
    const std::string folder = argv[1];
    const bool written =
        WriteWave(folder + "/ok.wav", Render({{880, 0.09, 0}, {1319, 0.14, 0}})) &&
        WriteWave(folder + "/done.wav",
                  Render({{659, 0.10, 0}, {880, 0.10, 0}, {1319, 0.22, 0}})) &&
        WriteWave(folder + "/error.wav", Render({{330, 0.16, 0.4}, {220, 0.28, 0.4}}));
    if (!written) {
        std::fprintf(stderr, "tonewriter: cannot write the sounds into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
