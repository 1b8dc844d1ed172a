#pragma once

#include <cstddef>
#include <exception>
#include <thread>
#include <vector>

// Runs work(0) to work(count - 1) at once, work(0) on the calling thread and
// each other on a thread of its own, and returns when all have returned. An
// exception of any of them is raised again here, the lowest part's first.
template <typename Work> void RunSideBySide(size_t count, const Work &work)
{
    std::vector<std::exception_ptr> failures(count);
    const auto run = [&](size_t part) {
        try {
            work(part);
        } catch (...) {
            failures[part] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    for (size_t part = 1; part < count; ++part)
        threads.emplace_back(run, part);
    run(0);
    for (std::thread &thread : threads)
        thread.join();
    for (const std::exception_ptr &failure : failures) {
        if (failure)
            std::rethrow_exception(failure);
    }
}
