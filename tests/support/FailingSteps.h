#pragma once
// A file writer whose chosen steps fail: the n-th call (counted from 0) of a kind of step, so a
// test can stop a transaction at any replacement or undo step and look at what is on disk.

#include <array>
#include <optional>
#include <set>
#include <utility>

#include "core/platform/FileIO.h"

namespace kinloom::test {

class FailingSteps : public AtomicFileWriter {
public:
    // Write counts the files written (one chunk each: images under 1 MiB); Flush the files a
    // transaction puts on the disk once all are written, in their order.
    enum class Step { Write, Flush, MoveAside, Commit, PutBack, Remove };

    FailingSteps() = default;
    FailingSteps(Step step, int call) { Fail(step, call); }

    FailingSteps& Fail(Step step, int call) {
        failing_.insert({step, call});
        return *this;
    }
    int Calls(Step step) const { return calls_[static_cast<std::size_t>(step)]; }

protected:
    std::size_t WriteChunk(std::FILE* file, ByteView chunk) override {
        return Fails(Step::Write) ? 0 : AtomicFileWriter::WriteChunk(file, chunk);
    }
    std::optional<std::size_t> FlushWritten(
        std::span<const std::filesystem::path> temporaries) override {
        for (std::size_t i = 0; i < temporaries.size(); ++i)
            if (Fails(Step::Flush)) return i;
        return AtomicFileWriter::FlushWritten(temporaries);
    }
    void Commit(const std::filesystem::path& temporary,
                const std::filesystem::path& target) override {
        Throw(Step::Commit);
        AtomicFileWriter::Commit(temporary, target);
    }
    void MoveAside(const std::filesystem::path& original,
                   const std::filesystem::path& oldCopy) override {
        Throw(Step::MoveAside);
        AtomicFileWriter::MoveAside(original, oldCopy);
    }
    void PutBack(const std::filesystem::path& oldCopy,
                 const std::filesystem::path& target) override {
        Throw(Step::PutBack);
        AtomicFileWriter::PutBack(oldCopy, target);
    }
    void RemoveFile(const std::filesystem::path& file) override {
        Throw(Step::Remove);
        AtomicFileWriter::RemoveFile(file);
    }

private:
    bool Fails(Step step) {
        return failing_.count({step, calls_[static_cast<std::size_t>(step)]++}) != 0;
    }
    void Throw(Step step) {
        if (Fails(step)) throw FileError("injected failure");
    }

    std::set<std::pair<Step, int>> failing_;
    std::array<int, 6> calls_{};
};

}  // namespace kinloom::test
