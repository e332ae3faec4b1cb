#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <utility>

// Sine and cosine of a periodic term's argument: an integer combination of a series'
// fundamental angles (Meeus, Astronomical Algorithms, chs. 22 and 47). A series sums its terms
// through one of the two evaluators below, so it is written once for both.

// Left unset by default: the fast evaluator's tables are filled where they are used.
struct TSinCos {
    double Sin;
    double Cos;
};

// The multiples of its angles a series' terms use, angle by angle: its table's lowest and
// highest. No table uses more than four of any angle.
inline constexpr int MaxMultiple = 4;

template <std::size_t N> struct TMultipleRanges {
    std::array<int, N> Lowest{};
    std::array<int, N> Highest{};

    constexpr void Widen(const std::array<int, N>& multiples) {
        for (std::size_t i = 0; i < N; ++i) {
            Lowest[i] = multiples[i] < Lowest[i] ? multiples[i] : Lowest[i];
            Highest[i] = multiples[i] > Highest[i] ? multiples[i] : Highest[i];
        }
    }
    [[nodiscard]] constexpr bool WithinMaxMultiple() const {
        for (std::size_t i = 0; i < N; ++i)
            if (Lowest[i] < -MaxMultiple || Highest[i] > MaxMultiple) return false;
        return true;
    }
};

// std::sin and std::cos of the argument summed in the order of the angles: the values the
// series has always given, to the last bit.
template <std::size_t N> class TExactTermTrig {
  public:
    explicit TExactTermTrig(const std::array<double, N>& anglesRad) : Angles(anglesRad) {}

    [[nodiscard]] double Sin(const std::array<int, N>& multiples) const {
        return std::sin(Argument(multiples));
    }
    [[nodiscard]] TSinCos SinCos(const std::array<int, N>& multiples) const {
        const double argument = Argument(multiples);
        return {std::sin(argument), std::cos(argument)};
    }

  private:
    double Argument(const std::array<int, N>& multiples) const {
        double argument = Angles[0] * multiples[0];
        for (std::size_t i = 1; i < N; ++i)
            argument += Angles[i] * multiples[i];
        return argument;
    }
    std::array<double, N> Angles;
};

// The same values as products of the angles' multiples e^(ikx): one sine and cosine per angle
// instead of one per term. The multiples of the first angles and those of the rest, within the
// table's Ranges, are combined once each into two tables, so a term costs one complex product.
// The values agree with the exact ones to a few units in the 15th digit; a rise or set found
// from them moves by far less than a second, so they serve a search that compares times to the
// minute and checks its margin.
template <std::size_t N, TMultipleRanges<N> Ranges> class TFastTermTrig {
    static_assert(Ranges.WithinMaxMultiple());

  public:
    explicit TFastTermTrig(const std::array<double, N>& anglesRad) {
        std::array<std::array<TSinCos, Width>, N> multiples;
        for (std::size_t i = 0; i < N; ++i)
            multiples[i] = MultiplesOf(anglesRad[i]);
        FillGroup<0>(multiples, First, std::make_index_sequence<Split>());
        FillGroup<Split>(multiples, Rest, std::make_index_sequence<N - Split>());
    }

    [[nodiscard]] double Sin(const std::array<int, N>& multiples) const {
        return SinCos(multiples).Sin;
    }
    [[nodiscard]] TSinCos SinCos(const std::array<int, N>& multiples) const {
        return Times(First[IndexIn<0>(multiples, std::make_index_sequence<Split>())],
                     Rest[IndexIn<Split>(multiples, std::make_index_sequence<N - Split>())]);
    }

  private:
    static constexpr std::size_t Split = N / 2; // the first group: angles 0..Split-1
    static constexpr std::size_t Width = 2 * MaxMultiple + 1;

    static constexpr std::size_t Span(std::size_t angle) {
        return static_cast<std::size_t>(Ranges.Highest[angle] - Ranges.Lowest[angle] + 1);
    }
    static constexpr std::size_t Combinations(std::size_t begin, std::size_t end) {
        std::size_t n = 1;
        for (std::size_t i = begin; i < end; ++i)
            n *= Span(i);
        return n;
    }

    // e^(ia) e^(ib) = e^(i(a + b)).
    static TSinCos Times(const TSinCos& a, const TSinCos& b) {
        return {a.Sin * b.Cos + a.Cos * b.Sin, a.Cos * b.Cos - a.Sin * b.Sin};
    }

    // e^(ikx) for k = -MaxMultiple..MaxMultiple, at index MaxMultiple + k.
    static std::array<TSinCos, Width> MultiplesOf(double angleRad) {
        std::array<TSinCos, Width> all;
        TSinCos up{0.0, 1.0};
        const TSinCos once{std::sin(angleRad), std::cos(angleRad)};
        for (int k = 0; k <= MaxMultiple; ++k) {
            all[MaxMultiple + k] = up;
            all[MaxMultiple - k] = {-up.Sin, up.Cos};
            up = Times(up, once);
        }
        return all;
    }

    // A group's combination of multiples as an index: mixed radix over the ranges, the group's
    // first angle the most significant.
    template <std::size_t Begin, std::size_t... I>
    static std::size_t IndexIn(const std::array<int, N>& multiples, std::index_sequence<I...>) {
        std::size_t index = 0;
        ((index = index * Span(Begin + I) +
                  static_cast<std::size_t>(multiples[Begin + I] - Ranges.Lowest[Begin + I])),
         ...);
        return index;
    }

    // Every combination of the group's multiples, in IndexIn's order: the combinations of the
    // angles before, each times every multiple of the next angle.
    template <std::size_t Begin, class TTable, std::size_t... I>
    static void FillGroup(const std::array<std::array<TSinCos, Width>, N>& multiples, TTable& table,
                          std::index_sequence<I...>) {
        (Extend<Begin, Begin + I>(multiples[Begin + I], table), ...);
    }

    template <std::size_t Begin, std::size_t Angle, class TTable>
    static void Extend(const std::array<TSinCos, Width>& multiples, TTable& table) {
        constexpr std::size_t span = Span(Angle);
        constexpr std::size_t count = Combinations(Begin, Angle);
        const TSinCos* first =
            &multiples[static_cast<std::size_t>(MaxMultiple + Ranges.Lowest[Angle])];
        if constexpr (count == 1) {
            for (std::size_t k = 0; k < span; ++k)
                table[k] = first[k];
        } else {
            // Backwards, so each entry is read before its place is written.
            for (std::size_t before = count; before-- > 0;) {
                const TSinCos product = table[before];
                for (std::size_t k = 0; k < span; ++k)
                    table[before * span + k] = Times(product, first[k]);
            }
        }
    }

    std::array<TSinCos, Combinations(0, Split)> First;
    std::array<TSinCos, Combinations(Split, N)> Rest;
};
