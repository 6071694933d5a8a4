// The drawing pass's quick arithmetic against the plain integer formulas of the rules, over
// their whole input ranges: exhaustively where the range is small, otherwise on millions of
// random inputs with the edge values mixed in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "paint/BrushMasks.h"
#include "paint/COLORSETTING.h"
#include "paint/ParticleDrawing.h"
#include "paint/RingLanes.h"

namespace {

using app::ColorWord;

uint32_t Byte(uint32_t word, int k) {
    return word >> (8 * k) & 0xFFu;
}

// Laying mask value m of colour P on a record (W, Q), word for word as the rules say, in
// unsigned 32-bit integers with truncating division.
void PlainSplat(uint32_t& W, uint32_t& Q, uint32_t m, uint32_t P) {
    const uint32_t Ac = Byte(Q, 3), Ap = Byte(P, 3);
    const uint32_t old = W * Ac, add = m * Ap;
    uint32_t bytes[4] = {Byte(Q, 0), Byte(Q, 1), Byte(Q, 2), Ac};
    if (add > 0) {
        if (old > 0) {
            for (int k = 0; k < 3; ++k)
                bytes[k] = (bytes[k] * old + Byte(P, k) * add) / (old + add);
        } else {
            for (int k = 0; k < 4; ++k)
                bytes[k] = Byte(P, k);
        }
    }
    if (m > 0)
        bytes[3] = W > 0 ? (old + add) / (W + m) : Ap;
    W = std::min(W + m, 65535u);
    Q = ColorWord(bytes[0], bytes[1], bytes[2], bytes[3]);
}

// Compositing a record into a pixel, as the rules say.
void PlainComposite(unsigned char* pixel, uint32_t W, uint32_t Q, int32_t mode) {
    const uint32_t base = W <= 180 ? 0 : std::min(W - 180, 256u);
    const uint32_t w = Byte(Q, 3) > 0 ? base * (Byte(Q, 3) + 1) : 0;
    if (w == 0)
        return;
    const uint32_t a = pixel[3];
    if (mode != 1) {
        for (int k = 0; k < 3; ++k)
            pixel[k] = static_cast<unsigned char>((pixel[k] * a * 256 + Byte(Q, k) * w) / (a * 256 + w));
        pixel[3] = static_cast<unsigned char>(((65536 - w) * a + 255 * w) >> 16);
    } else {
        pixel[3] = static_cast<unsigned char>(((65536 - w) * a) >> 16);
    }
}

// Inputs with the edges of every range mixed in.
struct Draw {
    std::mt19937 random{20261209};
    uint32_t Pick(std::initializer_list<uint32_t> edges, uint32_t highest) {
        if (random() % 4 == 0)
            return *(edges.begin() + random() % edges.size());
        return static_cast<uint32_t>(random() % (uint64_t{highest} + 1));
    }
    uint32_t Weight() { return Pick({0, 1, 180, 181, 436, 437, 65279, 65534, 65535}, 65535); }
    uint32_t Mask() { return Pick({0, 1, 180, 254, 255}, 255); }
    uint32_t Level() { return Pick({0, 1, 127, 254, 255}, 255); }
    uint32_t Colour() { return ColorWord(Pick({0, 255}, 255), Pick({0, 255}, 255), Pick({0, 255}, 255), Level()); }
};

TEST(ExactArithmetic, SmallQuotientIsTheIntegerQuotient) {
    std::mt19937 random(1);
    for (int i = 0; i < 4000000; ++i) {
        // Every quotient below 256, with remainders at both ends, up to the largest n.
        const uint32_t q = random() % 256;
        const uint32_t d = 1 + static_cast<uint32_t>(random() % (0xFFFFFFFFu / (q + 1)));
        const uint32_t r = i % 3 == 0 ? 0 : i % 3 == 1 ? d - 1 : static_cast<uint32_t>(random() % d);
        const uint64_t n = uint64_t{q} * d + r;
        if (n > 0xFFFFFFFFu)
            continue;
        ASSERT_EQ(app::SmallQuotient(static_cast<uint32_t>(n), d), n / d) << n << " / " << d;
    }
}

TEST(ExactArithmetic, RecordsAndMarkRowsLayAsThePlainRule) {
    Draw draw;
    for (int i = 0; i < 3000000; ++i) {
        const uint32_t W = draw.Weight(), Q = W == 0 && i % 2 ? 0 : draw.Colour();
        const uint32_t m = draw.Mask(), P = draw.Colour();
        uint32_t plainW = W, plainQ = Q;
        PlainSplat(plainW, plainQ, m, P);
        uint16_t weight = static_cast<uint16_t>(W);
        uint32_t colour = Q;
        app::SplatRecord(weight, colour, m, P);
        ASSERT_EQ(weight, plainW);
        ASSERT_EQ(colour, plainQ) << W << " " << Q << " " << m << " " << P;
        if (m > 0 && W > 0 && Q != P && (P >> 24) > 0) {
            ASSERT_EQ(app::MixedColour(W, Q, m, P), plainQ) << W << " " << Q << " " << m << " " << P;
        }
    }
    // Whole rows of a mark, with the particle's own colour and fresh records among them.
    for (int i = 0; i < 300000; ++i) {
        uint32_t P = draw.Colour();
        P = P >> 24 == 0 ? P | 0x01000000u : P;
        uint16_t weights[8];
        uint32_t colours[8], W[8], Q[8];
        unsigned char mask[8];
        for (int s = 0; s < 8; ++s) {
            const uint32_t kind = draw.random() % 4;
            W[s] = kind == 0 ? 0 : draw.Weight();
            Q[s] = kind == 0 ? 0 : kind == 1 ? P : draw.Colour();
            mask[s] = static_cast<unsigned char>(draw.Mask());
            weights[s] = static_cast<uint16_t>(W[s]);
            colours[s] = Q[s];
        }
        app::LayMarkRow(weights, colours, mask, P);
        for (int s = 0; s < 8; ++s) {
            PlainSplat(W[s], Q[s], mask[s], P);
            ASSERT_EQ(weights[s], W[s]);
            ASSERT_EQ(colours[s], Q[s]);
        }
    }
}

TEST(ExactArithmetic, CompositingAsThePlainRule) {
    Draw draw;
    for (int i = 0; i < 3000000; ++i) {
        const uint32_t W = draw.Weight(), Q = draw.Colour();
        const int32_t mode = static_cast<int32_t>(draw.random() % 3);
        unsigned char pixel[4], plain[4];
        for (int k = 0; k < 4; ++k)
            pixel[k] = plain[k] = static_cast<unsigned char>(k == 3 ? draw.Level() : draw.Pick({0, 255}, 255));
        app::CompositeHeavy(pixel, W, Q, mode);
        PlainComposite(plain, W, Q, mode);
        ASSERT_EQ(std::memcmp(pixel, plain, 4), 0) << W << " " << Q << " mode " << mode;
        app::CompositePixel(pixel, W, Q, mode);  // the record primitive, once more, the same way
        PlainComposite(plain, W, Q, mode);
        ASSERT_EQ(std::memcmp(pixel, plain, 4), 0);
    }
}

// Every pair of pixel and colour byte where the float quotient is closest to its limits: the
// largest divisor (an opaque pixel under the heaviest weight) and the smallest ones.
TEST(ExactArithmetic, CompositingEveryByteAtTheExtremes) {
    for (const uint32_t a : {0u, 1u, 127u, 254u, 255u}) {
        for (const uint32_t W : {181u, 182u, 300u, 436u, 65535u}) {
            for (const uint32_t level : {1u, 2u, 128u, 254u, 255u}) {
                for (uint32_t x = 0; x < 256; ++x) {
                    for (uint32_t q = 0; q < 256; ++q) {
                        const uint32_t Q = ColorWord(q, 255 - q, q / 3, level);
                        unsigned char pixel[4] = {static_cast<unsigned char>(x), static_cast<unsigned char>(255 - x),
                                                  static_cast<unsigned char>(x / 2), static_cast<unsigned char>(a)};
                        unsigned char plain[4];
                        std::memcpy(plain, pixel, 4);
                        app::CompositeHeavy(pixel, W, Q, 0);
                        PlainComposite(plain, W, Q, 0);
                        ASSERT_EQ(std::memcmp(pixel, plain, 4), 0)
                            << a << " " << W << " " << level << " " << x << " " << q;
                    }
                }
            }
        }
    }
}

TEST(ExactArithmetic, HeavyRecordsAreThoseAboveTheThreshold) {
    uint16_t weights[16];
    for (uint32_t w = 0; w <= 65535; ++w) {
        for (int32_t s = 0; s < 16; ++s)
            weights[s] = static_cast<uint16_t>((w + 4099u * s) & 0xFFFFu);
        for (int32_t count : {16, 13, 8, 5}) {
            uint32_t expected = 0;
            for (int32_t s = 0; s < count; ++s)
                expected |= static_cast<uint32_t>(weights[s] > 180) << s;
            ASSERT_EQ(app::HeavyRecords(weights, count), expected) << w << " " << count;
        }
    }
}

// Every fraction, in grids of several sizes: the integer placement is the placement of the
// position computed in double.
TEST(ExactArithmetic, MarksPlacedInIntegersAsInDouble) {
    for (const int32_t column : {0, 1, 2, 77, 262140}) {
        for (int32_t offset = 24; offset <= 32; ++offset) {
            for (uint32_t f = 0; f <= 65535; ++f) {
                const uint16_t fraction = static_cast<uint16_t>(f);
                const double x = (column + std::min<uint16_t>(fraction, 32767) / 32768.0) * 16 - offset;
                const app::MARK expected = app::PlaceMark(x, x);
                const app::MARK mark = app::PlaceMarkInGrid(column, column, fraction, fraction, offset, offset);
                ASSERT_TRUE(mark.px == expected.px && mark.py == expected.py && mark.phaseX == expected.phaseX &&
                            mark.phaseY == expected.phaseY)
                    << column << " " << offset << " " << f;
            }
        }
    }
}

}  // namespace
