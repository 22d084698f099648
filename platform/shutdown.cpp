#include "platform/shutdown.h"

#include <mutex>
#include <vector>

namespace platform {
namespace {

struct Enders {
    std::mutex mutex;
    std::vector<std::function<void()>> ends;
    std::vector<std::thread> threads;
};

// Never destroyed: a thread kept here must not meet a destroyed list.
Enders& enders() {
    static auto* e = new Enders;
    return *e;
}

}  // namespace

void AtShutdown(std::function<void()> end) {
    std::lock_guard<std::mutex> lock(enders().mutex);
    enders().ends.push_back(std::move(end));
}

void JoinAtShutdown(std::thread thread) {
    std::lock_guard<std::mutex> lock(enders().mutex);
    enders().threads.push_back(std::move(thread));
}

void Shutdown() {
    std::vector<std::function<void()>> ends;
    std::vector<std::thread> threads;
    {
        std::lock_guard<std::mutex> lock(enders().mutex);
        ends = enders().ends;
        threads.swap(enders().threads);
    }
    for (auto i = ends.rbegin(); i != ends.rend(); ++i) (*i)();
    for (std::thread& t : threads)
        if (t.joinable()) t.join();
}

}  // namespace platform
