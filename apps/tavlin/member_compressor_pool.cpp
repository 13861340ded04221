// The pool's workers each keep their own codec state and take jobs in the order
// submitted; each job's promise carries its result or what compressing it raised.
#include "member_compressor_pool.h"

#include <algorithm>
#include <exception>

namespace tavlin::tool {

MemberCompressorPool::MemberCompressorPool(unsigned workers) {
    for (unsigned i = 0; i < std::max(workers, 1u); ++i) workers_.emplace_back([this] { Work(); });
}

MemberCompressorPool::~MemberCompressorPool() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        jobs_.clear();
    }
    wake_.notify_all();
    for (auto& worker : workers_) worker.join();
}

std::size_t MemberCompressorPool::ByteBudget() const {
    return std::max<std::size_t>(64u << 20, workers_.size() * (16u << 20));
}

unsigned MemberCompressorPool::DefaultWorkers() { return std::max(std::thread::hardware_concurrency(), 1u); }

void MemberCompressorPool::Submit(std::vector<std::uint8_t> bytes, std::uint8_t method, std::int32_t key) {
    Job job;
    job.bytes = std::move(bytes);
    job.method = method;
    job.key = key;
    results_.push_back(job.result.get_future());
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

TCompressedMember MemberCompressorPool::Next() {
    std::future<TCompressedMember> next = std::move(results_.front());
    results_.pop_front();
    return next.get();
}

void MemberCompressorPool::Discard() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        jobs_.clear();
    }
    // Jobs already taken finish on their own; their results are not waited for.
    results_.clear();
}

void MemberCompressorPool::Work() {
    TCompThreadSafety state;
    // The workers run no window: a yield would only hand their time to others.
    state.YieldProcessor = nullptr;
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        try {
            job.result.set_value(TZiviArchive::CompressMemberBytes(state, std::move(job.bytes), job.method, job.key));
        } catch (...) {
            // Handed to the writer, which raises it when this member's turn comes.
            job.result.set_exception(std::current_exception());
        }
    }
}

}  // namespace tavlin::tool
