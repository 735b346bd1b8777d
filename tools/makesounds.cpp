// Synthesises the program's seven sounds as 16-bit mono WAV files.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int Rate = 22050;
constexpr double Pi = 3.14159265358979323846;

struct Note {
    double freq;     // Hz at the start
    double freqEnd;  // Hz at the end (glide)
    double seconds;
    double volume;
};

void Append(std::vector<int16_t>& pcm, const Note& n) {
    const int count = static_cast<int>(n.seconds * Rate);
    double phase = 0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / count;
        const double f = n.freq + (n.freqEnd - n.freq) * t;
        phase += 2 * Pi * f / Rate;
        // Soft attack and an exponential tail keep the sounds free of clicks.
        const double attack = std::min(1.0, i / (0.005 * Rate));
        const double env = attack * std::exp(-3.0 * t);
        const double v = (std::sin(phase) + 0.25 * std::sin(2 * phase)) / 1.25;
        pcm.push_back(static_cast<int16_t>(v * env * n.volume * 32767));
    }
}

void Write(const std::string& path, const std::vector<int16_t>& pcm) {
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const uint32_t dataBytes = static_cast<uint32_t>(pcm.size() * 2);
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(Rate);
    u32(Rate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    out.write(reinterpret_cast<const char*>(pcm.data()), dataBytes);
}

std::vector<int16_t> Make(std::initializer_list<Note> notes) {
    std::vector<int16_t> pcm;
    for (const auto& n : notes) Append(pcm, n);
    return pcm;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: makesounds OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    Write(dir + "/button.wav", Make({{880, 880, 0.10, 0.5}}));
    Write(dir + "/button2.wav", Make({{1175, 1175, 0.10, 0.45}}));
    Write(dir + "/change.wav", Make({{523, 523, 0.12, 0.5}, {659, 659, 0.12, 0.5}, {784, 784, 0.22, 0.5}}));
    Write(dir + "/huku.wav", Make({{392, 784, 0.45, 0.5}}));
    Write(dir + "/piyo.wav", Make({{1318, 1568, 0.12, 0.5}, {1568, 2093, 0.18, 0.5}}));
    Write(dir + "/piyo1.wav", Make({{1046, 1318, 0.15, 0.45}}));
    Write(dir + "/oldng.wav", Make({{311, 233, 0.25, 0.55}, {233, 196, 0.3, 0.55}}));
    return 0;
}
