#pragma once
// Opens named pipes for writing once a moment has passed, until it ends: a
// read that would wait on one of them forever then ends, so a call that
// hangs on a pipe fails its test instead of hanging the suite.

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace platform_test {

class PipeWriter {
public:
    PipeWriter(std::vector<std::string> pipes, std::chrono::milliseconds after)
        : thread_([this, pipes = std::move(pipes), after] {
              std::unique_lock<std::mutex> lock(mutex_);
              if (done_.wait_for(lock, after, [this] { return over_; })) return;
              while (!done_.wait_for(lock, std::chrono::milliseconds(50), [this] { return over_; }))
                  for (const std::string& p : pipes)
                      if (int fd = ::open(p.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) ::close(fd);
          }) {}
    ~PipeWriter() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            over_ = true;
        }
        done_.notify_all();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool over_ = false;
    std::thread thread_;
};

}  // namespace platform_test
