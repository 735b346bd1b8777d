// Synthesises the program's seven sounds as 16-bit mono WAV files: short,
// soft-edged and clearly different from each other, so a child can tell a
// key press, a right answer and a wrong answer apart without looking.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int Rate = 22050;
constexpr double Pi = 3.14159265358979323846;

struct Partial {
    double ratio;  // of the voice's frequency
    double level;
};

// One voice: a pitch that glides exponentially from freq to freqEnd, a set of
// partials, a short attack and an exponential decay.
struct Voice {
    double start;  // seconds into the sound
    double seconds;
    double freq;
    double freqEnd;
    double level;
    double decay;  // per second; 0 keeps the level until the release
    std::vector<Partial> partials = {{1.0, 1.0}};
    double attack = 0.004;
    double vibratoHz = 0;
    double vibratoDepth = 0;  // fraction of the frequency
};

class Sound {
public:
    explicit Sound(double seconds) : pcm(static_cast<size_t>(seconds * Rate), 0.0) {}

    void Add(const Voice& v) {
        const auto first = static_cast<size_t>(v.start * Rate);
        const auto count = static_cast<size_t>(v.seconds * Rate);
        std::vector<double> phase(v.partials.size(), 0.0);
        for (size_t i = 0; i < count && first + i < pcm.size(); ++i) {
            const double t = static_cast<double>(i) / Rate;
            const double along = static_cast<double>(i) / count;
            double f = v.freq * std::pow(v.freqEnd / v.freq, along);
            if (v.vibratoHz > 0) f *= 1 + v.vibratoDepth * std::sin(2 * Pi * v.vibratoHz * t);
            const double attack = std::min(1.0, t / v.attack);
            // A 10 ms release at the voice's end keeps it free of clicks.
            const double release = std::min(1.0, (v.seconds - t) / 0.010);
            const double env = attack * release * std::exp(-v.decay * t);
            double s = 0;
            for (size_t p = 0; p < v.partials.size(); ++p) {
                phase[p] += 2 * Pi * f * v.partials[p].ratio / Rate;
                s += v.partials[p].level * std::sin(phase[p]);
            }
            pcm[first + i] += v.level * env * s;
        }
    }

    // Scales to a comfortable peak, never to full scale: these play often.
    std::vector<int16_t> Finish(double peak) const {
        double most = 1e-9;
        for (double s : pcm) most = std::max(most, std::abs(s));
        std::vector<int16_t> out;
        out.reserve(pcm.size());
        for (double s : pcm) out.push_back(static_cast<int16_t>(std::lround(s / most * peak * 32767)));
        return out;
    }

private:
    std::vector<double> pcm;
};

bool Write(const std::string& path, const std::vector<int16_t>& pcm) {
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) {
        const char b[4] = {char(v & 0xff), char((v >> 8) & 0xff), char((v >> 16) & 0xff), char(v >> 24)};
        out.write(b, 4);
    };
    auto u16 = [&](uint16_t v) {
        const char b[2] = {char(v & 0xff), char(v >> 8)};
        out.write(b, 2);
    };
    const auto dataBytes = static_cast<uint32_t>(pcm.size() * 2);
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(Rate);
    u32(Rate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    for (int16_t s : pcm) u16(static_cast<uint16_t>(s));
    return static_cast<bool>(out);
}

// A wooden "tock": a low body and a brief bright knock.
std::vector<int16_t> Button() {
    Sound s(0.10);
    s.Add({0, 0.10, 900, 780, 1.0, 45, {{1, 1}, {2.3, 0.35}}});
    s.Add({0, 0.03, 2600, 2400, 0.35, 120});
    return s.Finish(0.55);
}

// A lighter, higher "tick" for letters and choices, so it differs from Button.
std::vector<int16_t> Button2() {
    Sound s(0.10);
    s.Add({0, 0.10, 1650, 1500, 1.0, 50, {{1, 1}, {3.0, 0.2}}});
    return s.Finish(0.5);
}

// A bright chime: four bell notes rising, each with the bell's inharmonic partials.
std::vector<int16_t> Change() {
    const std::vector<Partial> bell = {{1, 1}, {2.0, 0.4}, {2.76, 0.25}, {5.4, 0.08}};
    Sound s(0.55);
    const double notes[] = {1046.5, 1318.5, 1568.0, 2093.0};  // C6 E6 G6 C7
    for (int i = 0; i < 4; ++i) s.Add({i * 0.07, 0.55 - i * 0.07, notes[i], notes[i], 1.0, 7, bell, 0.002});
    return s.Finish(0.5);
}

// A cheerful rising whistle with a little warble.
std::vector<int16_t> Huku() {
    Sound s(0.45);
    Voice v{0, 0.45, 700, 1900, 1.0, 2.5, {{1, 1}, {2, 0.08}}, 0.03, 11, 0.025};
    s.Add(v);
    return s.Finish(0.5);
}

// A happy chirp: two quick upward "pi-yo" calls, the second higher.
std::vector<int16_t> Piyo() {
    Sound s(0.32);
    s.Add({0.00, 0.11, 1900, 2900, 1.0, 8, {{1, 1}, {2, 0.15}}, 0.005});
    s.Add({0.13, 0.19, 2300, 3500, 1.0, 9, {{1, 1}, {2, 0.15}}, 0.005, 30, 0.02});
    return s.Finish(0.5);
}

// One soft, short chirp: "next question".
std::vector<int16_t> Piyo1() {
    Sound s(0.14);
    s.Add({0, 0.14, 1500, 2300, 1.0, 10, {{1, 1}}, 0.008});
    return s.Finish(0.35);
}

// A gentle low "boo": two soft falling notes, round and never harsh.
std::vector<int16_t> OldNg() {
    const std::vector<Partial> soft = {{1, 1}, {2, 0.3}, {3, 0.12}};
    Sound s(0.55);
    s.Add({0.00, 0.22, 262, 247, 1.0, 3, soft, 0.02, 6, 0.01});
    s.Add({0.22, 0.33, 220, 185, 1.0, 4, soft, 0.02, 6, 0.012});
    return s.Finish(0.55);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: makesounds OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = Write(dir + "/button.wav", Button()) && Write(dir + "/button2.wav", Button2()) &&
                    Write(dir + "/change.wav", Change()) && Write(dir + "/huku.wav", Huku()) &&
                    Write(dir + "/piyo.wav", Piyo()) && Write(dir + "/piyo1.wav", Piyo1()) &&
                    Write(dir + "/oldng.wav", OldNg());
    if (!ok) std::fprintf(stderr, "makesounds: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
