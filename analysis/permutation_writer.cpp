#include "analysis/permutation_writer.h"

#include <filesystem>

#include "analysis/output_file.h"

namespace relakin {

namespace {
constexpr std::size_t kMaxWaiting = 2;
}  // namespace

PermutationWriter::PermutationWriter() : thread_([this] { Loop(); }) {}

PermutationWriter::~PermutationWriter() {
  {
    std::lock_guard lock(m_);
    quit_ = true;
    jobs_.clear();
  }
  cv_.notify_all();
  thread_.join();
}

void PermutationWriter::Loop() {
  for (;;) {
    Job job;
    {
      std::unique_lock lock(m_);
      cv_.wait(lock, [&] { return quit_ || !jobs_.empty(); });
      if (jobs_.empty()) return;  // quit
      job = std::move(jobs_.front());
      jobs_.pop_front();
      busy_ = true;
    }
    std::exception_ptr error;
    try {
      // One look per folder for the stale temporary files of all the vector files, instead of
      // one per file.
      const std::string folder = std::filesystem::path(job.path).parent_path().string();
      if (swept_.insert(folder).second) RemoveStaleTemporariesIn(folder);
      OutputFile file(job.path, FileReplacement::Sync::kNone, /*removeStale=*/false);
      for (const std::string& chunk : job.chunks) file.Write(chunk);
      file.Close();
    } catch (...) {
      error = std::current_exception();
    }
    for (std::string& chunk : job.chunks) chunk.clear();
    {
      std::lock_guard lock(m_);
      busy_ = false;
      if (error && !error_) error_ = error;
      if (error) jobs_.clear();  // nothing after a failed file
      spare_.push_back(std::move(job.chunks));
    }
    cv_.notify_all();
  }
}

void PermutationWriter::RethrowLocked() {
  if (!error_) return;
  std::exception_ptr e = error_;
  error_ = nullptr;
  std::rethrow_exception(e);
}

std::vector<std::string> PermutationWriter::Submit(std::string path,
                                                   std::vector<std::string> chunks) {
  std::unique_lock lock(m_);
  cv_.wait(lock, [&] { return error_ || jobs_.size() < kMaxWaiting; });
  RethrowLocked();
  jobs_.push_back({std::move(path), std::move(chunks)});
  cv_.notify_all();
  std::vector<std::string> reuse;
  if (!spare_.empty()) {
    reuse = std::move(spare_.back());
    spare_.pop_back();
  }
  return reuse;
}

void PermutationWriter::Finish() {
  std::unique_lock lock(m_);
  cv_.wait(lock, [&] { return error_ || (jobs_.empty() && !busy_); });
  RethrowLocked();
}

}  // namespace relakin
