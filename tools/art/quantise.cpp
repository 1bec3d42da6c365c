#include "quantise.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>

namespace art {

namespace {

struct Box {
    std::vector<std::pair<Rgb, uint32_t>> cols;
};

} // namespace

std::vector<Rgb> quantise(const std::vector<Rgb>& pixels, size_t maxColors) {
    std::map<Rgb, uint32_t> hist;
    for (const Rgb& p : pixels)
        hist[p]++;
    std::vector<std::pair<Rgb, uint32_t>> uniq(hist.begin(), hist.end());
    if (uniq.size() <= maxColors) {
        std::vector<Rgb> pal;
        for (auto& u : uniq)
            pal.push_back(u.first);
        return pal;
    }
    std::vector<Box> boxes(1);
    boxes[0].cols = uniq;
    auto chan = [](const Rgb& c, int k) { return k == 0 ? c.r : (k == 1 ? c.g : c.b); };
    while (boxes.size() < maxColors) {
        int best = -1;
        double bestScore = 0;
        int bestChan = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].cols.size() < 2)
                continue;
            int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
            uint64_t cnt = 0;
            for (auto& c : boxes[i].cols) {
                for (int k = 0; k < 3; ++k) {
                    lo[k] = std::min<int>(lo[k], chan(c.first, k));
                    hi[k] = std::max<int>(hi[k], chan(c.first, k));
                }
                cnt += c.second;
            }
            int ch = 0;
            for (int k = 1; k < 3; ++k)
                if (hi[k] - lo[k] > hi[ch] - lo[ch])
                    ch = k;
            double score =
                static_cast<double>(hi[ch] - lo[ch]) * std::sqrt(static_cast<double>(cnt));
            if (score > bestScore) {
                bestScore = score;
                best = static_cast<int>(i);
                bestChan = ch;
            }
        }
        if (best < 0)
            break;
        auto& cols = boxes[best].cols;
        std::stable_sort(cols.begin(), cols.end(),
                         [&](const std::pair<Rgb, uint32_t>& a, const std::pair<Rgb, uint32_t>& b) {
                             return chan(a.first, bestChan) < chan(b.first, bestChan);
                         });
        uint64_t total = 0, run = 0;
        for (auto& c : cols)
            total += c.second;
        size_t cut = 1;
        for (size_t i = 0; i + 1 < cols.size(); ++i) {
            run += cols[i].second;
            cut = i + 1;
            if (2 * run >= total)
                break;
        }
        Box nb;
        nb.cols.assign(cols.begin() + static_cast<long>(cut), cols.end());
        cols.resize(cut);
        boxes.push_back(nb);
    }
    std::vector<std::array<double, 3>> center;
    for (auto& b : boxes) {
        double s[3] = {0, 0, 0}, n = 0;
        for (auto& c : b.cols) {
            for (int k = 0; k < 3; ++k)
                s[k] += chan(c.first, k) * static_cast<double>(c.second);
            n += c.second;
        }
        center.push_back({s[0] / n, s[1] / n, s[2] / n});
    }
    for (int iter = 0; iter < 6; ++iter) {
        std::vector<std::array<double, 4>> acc(center.size(), {0, 0, 0, 0});
        for (auto& u : uniq) {
            size_t bi = 0;
            double bd = 1e30;
            for (size_t i = 0; i < center.size(); ++i) {
                double dr = u.first.r - center[i][0], dg = u.first.g - center[i][1],
                       db = u.first.b - center[i][2];
                double d = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
                if (d < bd) {
                    bd = d;
                    bi = i;
                }
            }
            acc[bi][0] += u.first.r * static_cast<double>(u.second);
            acc[bi][1] += u.first.g * static_cast<double>(u.second);
            acc[bi][2] += u.first.b * static_cast<double>(u.second);
            acc[bi][3] += u.second;
        }
        for (size_t i = 0; i < center.size(); ++i)
            if (acc[i][3] > 0)
                center[i] = {acc[i][0] / acc[i][3], acc[i][1] / acc[i][3], acc[i][2] / acc[i][3]};
    }
    std::vector<Rgb> pal;
    for (auto& c : center)
        pal.push_back(Rgb{static_cast<uint8_t>(std::lround(c[0])),
                          static_cast<uint8_t>(std::lround(c[1])),
                          static_cast<uint8_t>(std::lround(c[2]))});
    std::sort(pal.begin(), pal.end());
    pal.erase(std::unique(pal.begin(), pal.end()), pal.end());
    return pal;
}

size_t nearest(const std::vector<Rgb>& pal, size_t first, Rgb c) {
    size_t bi = first;
    long bd = -1;
    for (size_t i = first; i < pal.size(); ++i) {
        long dr = static_cast<long>(c.r) - pal[i].r, dg = static_cast<long>(c.g) - pal[i].g,
             db = static_cast<long>(c.b) - pal[i].b;
        long d = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
        if (bd < 0 || d < bd) {
            bd = d;
            bi = i;
        }
    }
    return bi;
}

} // namespace art
