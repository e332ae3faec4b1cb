// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Long listings made in pieces on the machine's cores, the pieces' results kept in order.

#include <algorithm>
#include <atomic>
#include <future>
#include <iterator>
#include <thread>
#include <vector>

// Threads that make pieces side by side, this one included, at most.
inline constexpr int MaxSideBySideThreads = 4;

// make(0) .. make(count - 1), each piece handed in order to whichever thread is free, so a
// thread that starts late (on a busy machine a new thread can wait milliseconds for a core)
// takes fewer. Fewer than two pieces, or one core, and all are made on this thread.
template <class Make>
[[nodiscard]] auto PiecesSideBySide(int count, Make make) -> std::vector<decltype(make(0))> {
    std::vector<decltype(make(0))> pieces(static_cast<size_t>(std::max(count, 0)));
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    const int threads = std::clamp(std::min(cores, count), 1, MaxSideBySideThreads);
    std::atomic<int> next{0};
    auto work = [&] {
        for (int i = next++; i < count; i = next++)
            pieces[static_cast<size_t>(i)] = make(i);
    };
    std::vector<std::future<void>> helpers;
    for (int i = 1; i < threads; ++i)
        helpers.push_back(std::async(std::launch::async, work));
    work();
    for (std::future<void>& helper : helpers)
        helper.get();
    return pieces;
}

// The pieces' elements one after the other.
template <class T>
[[nodiscard]] std::vector<T> Joined(std::vector<std::vector<T>>&& pieces) {
    std::vector<T> all;
    size_t size = 0;
    for (const std::vector<T>& piece : pieces)
        size += piece.size();
    all.reserve(size);
    for (std::vector<T>& piece : pieces)
        all.insert(all.end(), std::make_move_iterator(piece.begin()),
                   std::make_move_iterator(piece.end()));
    return all;
}
