// Worker threads that compress archive members ahead of the archive writer, one
// member per worker at a time, handing the results back in the order given, so
// that the archive is byte for byte what a single worker writes.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "compress/zivi_archive.h"

namespace tavlin::tool {

class MemberCompressorPool : public TAheadCompression {
public:
    // workers >= 2; fewer gain nothing over the writer's own compression.
    explicit MemberCompressorPool(unsigned workers);
    ~MemberCompressorPool() override;
    MemberCompressorPool(const MemberCompressorPool&) = delete;
    MemberCompressorPool& operator=(const MemberCompressorPool&) = delete;

    // Every worker busy and as many members again waiting, so that none idles
    // while the writer writes.
    std::size_t Capacity() const override { return 2 * workers_.size(); }
    // Input bytes in flight: 16 MiB a worker, at least 64 MiB.
    std::size_t ByteBudget() const override;
    void Submit(std::vector<std::uint8_t> bytes, std::uint8_t method, std::int32_t key) override;
    TCompressedMember Next() override;
    void Discard() override;

    // The number of workers for -j 0: one per processor.
    static unsigned DefaultWorkers();

private:
    struct Job {
        std::vector<std::uint8_t> bytes;
        std::uint8_t method = 0;
        std::int32_t key = 0;
        std::promise<TCompressedMember> result;
    };
    void Work();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::deque<std::future<TCompressedMember>> results_;  // writer's side only
    std::vector<std::thread> workers_;
};

}  // namespace tavlin::tool
