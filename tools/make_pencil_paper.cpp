// Makes assets/pencil-paper.png: a 104 x 120 pure-grey texture of pencil strokes on
// paper. Deterministic (fixed seed), so the asset can be re-made byte for byte:
//   build/bin/make-pencil-paper assets/pencil-paper.png
// The strokes are short diagonal hatches over a slightly grainy paper; the tile wraps
// at its edges so that it repeats without seams. The grey values are then stretched
// to span 0..255 and bent by a gamma so that their mean lands near 108.

#include <QImage>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 104;
constexpr int kHeight = 120;
constexpr double kTargetMean = 108.0;

struct Random {
    uint32_t state;
    uint32_t Next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    double Uniform() { return Next() / double(1u << 24); }
};

std::vector<double> Strokes()
{
    Random rnd{20261207u};
    std::vector<double> ink(kWidth * kHeight, 0.0);
    for (double& v : ink) v = 0.08 * rnd.Uniform();  // paper grain
    for (int s = 0; s < 420; ++s) {
        const double x0 = rnd.Uniform() * kWidth;
        const double y0 = rnd.Uniform() * kHeight;
        const double length = 6 + rnd.Uniform() * 18;
        const double angle = 0.75 + (rnd.Uniform() - 0.5) * 0.35;  // mostly one hatching direction
        const double pressure = 0.25 + rnd.Uniform() * 0.75;
        for (double t = 0; t < length; t += 0.5) {
            const int x = static_cast<int>(std::floor(x0 + t * std::cos(angle))) % kWidth;
            const int y = static_cast<int>(std::floor(y0 + t * std::sin(angle))) % kHeight;
            const double taper = std::sin(M_PI * t / length);
            double& v = ink[((y + kHeight) % kHeight) * kWidth + (x + kWidth) % kWidth];
            v = std::min(1.0, v + 0.5 * pressure * taper);
        }
    }
    return ink;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-pencil-paper OUTPUT.png\n");
        return 2;
    }
    const std::vector<double> ink = Strokes();
    const auto [lo, hi] = std::minmax_element(ink.begin(), ink.end());
    std::vector<double> paper(ink.size());
    for (size_t i = 0; i < ink.size(); ++i) paper[i] = 1.0 - (ink[i] - *lo) / (*hi - *lo);

    // Find the gamma whose mean grey is closest to the target (bisection; the mean
    // falls as gamma grows).
    auto meanFor = [&](double gamma) {
        double sum = 0;
        for (double p : paper) sum += std::lround(255.0 * std::pow(p, gamma));
        return sum / paper.size();
    };
    double a = 0.05, b = 20.0;
    for (int i = 0; i < 60; ++i) {
        const double mid = 0.5 * (a + b);
        (meanFor(mid) > kTargetMean ? a : b) = mid;
    }

    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const int g = static_cast<int>(std::lround(255.0 * std::pow(paper[y * kWidth + x], a)));
            image.setPixel(x, y, qRgb(g, g, g));
        }
    image = image.convertToFormat(QImage::Format_RGB888);
    if (!image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "make-pencil-paper: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("mean %.1f with gamma %.3f\n", meanFor(a), a);
    return 0;
}
