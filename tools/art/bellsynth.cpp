// bellsynth: makes the clock's six sounds by additive synthesis.
//
// Strikes (w02, w04, w06) are one bell stroke each: inharmonic partials with
// their own exponential decays, faded to exact silence at the end, because
// the chime plays the file once per hour back to back.
// Alarms (w01, w03, w05) are short patterns that the player loops: every note
// is enveloped to zero inside its own slot, so the file starts and ends on
// silence and the loop point cannot click.
//
// Usage: bellsynth OUTDIR   (writes OUTDIR/w01.wav .. OUTDIR/w06.wav)

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kRate = 22050;
const double kPi = 3.14159265358979323846;
const double kPeak = 0.72; // about -2.9 dBFS: loud enough, never clipping

struct Partial {
    double ratio; // frequency relative to the note
    double amp;
    double decay;  // time constant in seconds
    double detune; // Hz added, for the slow beating real bells have
};

using Buffer = std::vector<double>;

// Raised-cosine ramp 0..1 over n samples.
double ramp(double i, double n) {
    return i >= n ? 1.0 : 0.5 - 0.5 * std::cos(kPi * i / n);
}

// Adds one bell-like note of length `len` seconds starting at `start`,
// enveloped to zero at its end (the last `fade` fraction is a cosine fade).
void addNote(Buffer& b, double start, double len, double freq, const std::vector<Partial>& ps,
             double gain, double attack = 0.003, double fade = 0.3) {
    const long s0 = std::lround(start * kRate);
    const long n = std::lround(len * kRate);
    const double att = attack * kRate;
    const double fadeLen = fade * static_cast<double>(n);
    for (long i = 0; i < n; ++i) {
        long k = s0 + i;
        if (k < 0 || k >= static_cast<long>(b.size()))
            continue;
        double t = static_cast<double>(i) / kRate;
        double v = 0;
        for (const Partial& p : ps) {
            double f = freq * p.ratio + p.detune;
            if (f >= kRate * 0.45)
                continue; // stay clear of the Nyquist limit
            v += p.amp * std::exp(-t / p.decay) * std::sin(2.0 * kPi * f * t);
        }
        double env = ramp(static_cast<double>(i), att);
        double left = static_cast<double>(n - 1 - i);
        if (left < fadeLen)
            env *= 0.5 - 0.5 * std::cos(kPi * left / fadeLen);
        b[static_cast<size_t>(k)] += gain * env * v;
    }
}

std::vector<int16_t> normalise(const Buffer& b) {
    double peak = 0;
    for (double v : b)
        peak = std::max(peak, std::fabs(v));
    std::vector<int16_t> out(b.size(), 0);
    if (peak <= 0)
        return out;
    const double g = kPeak * 32767.0 / peak;
    for (size_t i = 0; i < b.size(); ++i)
        out[i] = static_cast<int16_t>(std::lround(b[i] * g));
    // both ends exactly silent
    if (!out.empty()) {
        out.front() = 0;
        out.back() = 0;
    }
    return out;
}

void put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
void put32(std::vector<uint8_t>& v, uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}
void tag(std::vector<uint8_t>& v, const char* t) {
    v.insert(v.end(), t, t + 4);
}

bool writeWav(const std::string& path, const std::vector<int16_t>& s) {
    std::vector<uint8_t> v;
    const uint32_t data = static_cast<uint32_t>(s.size() * 2);
    tag(v, "RIFF");
    put32(v, 36 + data);
    tag(v, "WAVE");
    tag(v, "fmt ");
    put32(v, 16);
    put16(v, 1); // PCM
    put16(v, 1); // mono
    put32(v, kRate);
    put32(v, kRate * 2);
    put16(v, 2);
    put16(v, 16);
    tag(v, "data");
    put32(v, data);
    for (int16_t x : s)
        put16(v, static_cast<uint16_t>(x));
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(v.data(), 1, v.size(), f) == v.size();
    return std::fclose(f) == 0 && ok;
}

double note(int semitonesFromA4) {
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

// Partial sets. A small hand bell rings with the modes of a free bar-like
// shell (wide, bright spacing); the larger bells use the hum / prime /
// minor-third / fifth / octave family of cast bells.
const std::vector<Partial> kLittleBell = {
    {1.0, 1.0, 0.50, 0.0},   {1.0, 0.45, 0.50, 1.3},  {2.76, 0.45, 0.22, 0.0},
    {5.40, 0.22, 0.10, 0.0}, {8.93, 0.10, 0.05, 0.0},
};
const std::vector<Partial> kWarmBell = {
    {0.5, 0.30, 1.10, 0.0},  {0.5, 0.18, 1.10, 0.6},  {1.0, 0.55, 0.80, 0.0},
    {1.19, 0.32, 0.60, 0.0}, {1.5, 0.18, 0.45, 0.0},  {2.0, 0.50, 0.42, 0.0},
    {2.0, 0.20, 0.42, 1.1},  {2.51, 0.14, 0.28, 0.0}, {3.01, 0.10, 0.20, 0.0},
    {4.07, 0.06, 0.12, 0.0},
};
const std::vector<Partial> kTowerBell = {
    {0.5, 0.45, 1.60, 0.0},  {0.5, 0.25, 1.60, 0.45}, {1.0, 0.60, 1.10, 0.0},
    {1.0, 0.20, 1.10, 0.8},  {1.18, 0.38, 0.80, 0.0}, {1.5, 0.20, 0.60, 0.0},
    {2.0, 0.45, 0.55, 0.0},  {2.52, 0.20, 0.35, 0.0}, {2.67, 0.14, 0.32, 0.0},
    {3.02, 0.12, 0.25, 0.0}, {4.18, 0.08, 0.15, 0.0}, {5.43, 0.05, 0.10, 0.0},
};
// A music-box tine: nearly pure, with a faint high overtone.
const std::vector<Partial> kTine = {
    {1.0, 1.0, 0.18, 0.0}, {3.0, 0.12, 0.05, 0.0}, {5.4, 0.05, 0.03, 0.0}};
// A soft wooden bar: strong fundamental, the bar's overtone at about 4x.
const std::vector<Partial> kBar = {
    {1.0, 1.0, 0.30, 0.0}, {3.93, 0.20, 0.08, 0.0}, {9.9, 0.05, 0.03, 0.0}};

Buffer strike(double seconds, double freq, const std::vector<Partial>& ps) {
    Buffer b(static_cast<size_t>(std::lround(seconds * kRate)), 0.0);
    addNote(b, 0.0, seconds, freq, ps, 1.0, 0.002, 0.35);
    return b;
}

// w01: little ascending twinkle, twice, then a breath.
Buffer alarmSmall() {
    Buffer b(static_cast<size_t>(std::lround(1.2 * kRate)), 0.0);
    const int tune[8] = {3, 7, 10, 15, 3, 7, 10, 15}; // C E G C' from A4
    for (int i = 0; i < 8; ++i) {
        double t = (i < 4 ? 0.0 : 0.5) + (i % 4) * 0.09;
        addNote(b, t, 0.16, note(tune[i] + 12), kTine, 1.0, 0.002, 0.5);
    }
    return b;
}

// w03: a warm three-note call answered by a lower pair.
Buffer alarmMedium() {
    Buffer b(static_cast<size_t>(std::lround(1.6 * kRate)), 0.0);
    struct N {
        double t;
        int semis;
    };
    const N tune[] = {{0.00, 10}, {0.16, 14}, {0.32, 17}, {0.64, 14}, {0.80, 10}};
    for (const N& n : tune)
        addNote(b, n.t, 0.30, note(n.semis), kBar, 1.0, 0.003, 0.5);
    return b;
}

// w05: a ringing four-bell figure on the tower bell.
Buffer alarmLarge() {
    Buffer b(static_cast<size_t>(std::lround(2.4 * kRate)), 0.0);
    const int tune[4] = {-2, 2, 5, 10}; // G4 B4 D5 G5 (nominal pitch)
    for (int i = 0; i < 4; ++i)
        addNote(b, i * 0.5, 0.5, note(tune[i] - 12), kTowerBell, 1.0, 0.002, 0.45);
    return b;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bellsynth OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    struct Out {
        const char* name;
        Buffer samples;
    };
    const Out outs[] = {
        {"w01.wav", alarmSmall()},
        {"w02.wav", strike(1.2, note(15), kLittleBell)}, // C6
        {"w03.wav", alarmMedium()},
        {"w04.wav", strike(1.6, note(-2), kWarmBell)}, // G4 prime, G5 nominal
        {"w05.wav", alarmLarge()},
        {"w06.wav", strike(2.0, note(-16), kTowerBell)}, // F3 prime
    };
    for (const Out& o : outs) {
        if (!writeWav(dir + "/" + o.name, normalise(o.samples))) {
            std::fprintf(stderr, "bellsynth: cannot write %s\n", o.name);
            return 1;
        }
    }
    return 0;
}
