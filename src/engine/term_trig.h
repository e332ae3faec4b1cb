// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <utility>

// Sine and cosine of a periodic term's argument: an integer combination of a series'
// fundamental angles (Meeus, Astronomical Algorithms, chs. 22 and 47). A series sums its terms
// through one of the two evaluators below, so it is written once for both.

// Left unset by default: the fast evaluator's tables are filled where they are used.
struct TSinCos {
    double Sin;
    double Cos;
};

// What a series' table of terms uses, gathered at compile time in the order its terms are
// summed: the distinct combinations of the multiples of the first N / 2 angles and of the
// rest, and for each term which of those it is. No term uses more than four of any angle.
inline constexpr int MaxMultiple = 4;
inline constexpr std::size_t MaxTerms = 128;

template <std::size_t N> struct TTermMultiples {
    static constexpr std::size_t Split = N / 2; // the first group: angles 0..Split-1

    // Distinct combinations of each group, the other group's multiples left 0.
    std::array<std::array<int, N>, MaxTerms> First{};
    std::array<std::array<int, N>, MaxTerms> Rest{};
    std::size_t FirstCount = 0;
    std::size_t RestCount = 0;
    // Term by term, its combination of each group.
    std::array<std::size_t, MaxTerms> FirstOf{};
    std::array<std::size_t, MaxTerms> RestOf{};
    std::size_t Terms = 0;
    bool WithinMaxMultiple = true;

    constexpr void Add(const std::array<int, N>& multiples) {
        for (const int k : multiples)
            WithinMaxMultiple = WithinMaxMultiple && k >= -MaxMultiple && k <= MaxMultiple;
        if (Terms == MaxTerms) return;
        FirstOf[Terms] = Combination(multiples, 0, Split, First, FirstCount);
        RestOf[Terms] = Combination(multiples, Split, N, Rest, RestCount);
        ++Terms;
    }
    [[nodiscard]] constexpr bool Valid() const { return WithinMaxMultiple && Terms < MaxTerms; }

  private:
    static constexpr std::size_t Combination(const std::array<int, N>& multiples, std::size_t begin,
                                             std::size_t end,
                                             std::array<std::array<int, N>, MaxTerms>& list,
                                             std::size_t& count) {
        std::array<int, N> combination{};
        for (std::size_t i = begin; i < end; ++i)
            combination[i] = multiples[i];
        for (std::size_t j = 0; j < count; ++j)
            if (list[j] == combination) return j;
        list[count] = combination;
        return count++;
    }
};

// std::sin and std::cos of the argument summed in the order of the angles: the values the
// series has always given, to the last bit. The term's place is the fast evaluator's.
template <std::size_t N> class TExactTermTrig {
  public:
    explicit TExactTermTrig(const std::array<double, N>& anglesRad) : Angles(anglesRad) {}

    [[nodiscard]] double Sin(std::size_t /*term*/, const std::array<int, N>& multiples) const {
        return std::sin(Argument(multiples));
    }
    [[nodiscard]] TSinCos SinCos(std::size_t /*term*/, const std::array<int, N>& multiples) const {
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
// instead of one per term. The combinations of the first angles' multiples that the table
// uses, and those of the rest, are formed once each, so a term costs one complex product. The
// values agree with the exact ones to a few units in the 15th digit; a rise or set found from
// them moves by far less than a second, so they serve a search that compares times to the
// minute and checks its margin. A term is named by its place in the Table's order; its
// multiples are the exact evaluator's.
template <std::size_t N, TTermMultiples<N> Table> class TFastTermTrig {
    static_assert(Table.Valid());

  public:
    explicit TFastTermTrig(const std::array<double, N>& anglesRad) {
        std::array<std::array<TSinCos, Width>, N> multiples;
        for (std::size_t i = 0; i < N; ++i)
            multiples[i] = MultiplesOf(anglesRad[i]);
        Fill(multiples, Table.First, Table.FirstCount, First, std::make_index_sequence<Split>());
        Fill(multiples, Table.Rest, Table.RestCount, Rest,
             OffsetSequence<Split>(std::make_index_sequence<N - Split>()));
    }

    [[nodiscard]] double Sin(std::size_t term, const std::array<int, N>& /*multiples*/) const {
        return SinCos(term, {}).Sin;
    }
    [[nodiscard]] TSinCos SinCos(std::size_t term, const std::array<int, N>& /*multiples*/) const {
        return Times(First[Table.FirstOf[term]], Rest[Table.RestOf[term]]);
    }

  private:
    static constexpr std::size_t Split = TTermMultiples<N>::Split;
    static constexpr std::size_t Width = 2 * MaxMultiple + 1;

    template <std::size_t Offset, std::size_t... I>
    static constexpr std::index_sequence<Offset + I...> OffsetSequence(std::index_sequence<I...>) {
        return {};
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

    // Each combination of the group's angles the table uses, as the product of its multiples.
    template <std::size_t Angle, std::size_t... Angles>
    static void Fill(const std::array<std::array<TSinCos, Width>, N>& multiples,
                     const std::array<std::array<int, N>, MaxTerms>& used, std::size_t count,
                     std::array<TSinCos, MaxTerms>& table, std::index_sequence<Angle, Angles...>) {
        for (std::size_t j = 0; j < count; ++j) {
            TSinCos product = Multiple(multiples, used[j], Angle);
            ((product = Times(product, Multiple(multiples, used[j], Angles))), ...);
            table[j] = product;
        }
    }
    static const TSinCos& Multiple(const std::array<std::array<TSinCos, Width>, N>& multiples,
                                   const std::array<int, N>& combination, std::size_t angle) {
        return multiples[angle][static_cast<std::size_t>(MaxMultiple + combination[angle])];
    }

    std::array<TSinCos, MaxTerms> First;
    std::array<TSinCos, MaxTerms> Rest;
};
