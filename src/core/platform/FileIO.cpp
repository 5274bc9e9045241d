#include "platform/FileIO.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kinloom {
namespace fs = std::filesystem;

namespace {

std::string Describe(const fs::path& p) { return p.string(); }

fs::path TemporaryBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    fs::path dir = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate =
            dir / (target.filename().string() + ".kinloom-" + std::to_string(stamp % 1000000007ULL) +
                   "-" + std::to_string(counter++) + ".tmp");
        std::error_code ec;
        if (!fs::exists(candidate, ec)) return candidate;
    }
    throw FileError("cannot choose a temporary file name beside " + Describe(target));
}

std::FILE* OpenForWriting(const fs::path& p) {
#ifdef _WIN32
    return _wfopen(p.c_str(), L"wbx");
#else
    return std::fopen(p.c_str(), "wbx");
#endif
}

bool FlushToDisk(std::FILE* f) {
    if (std::fflush(f) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return ::fsync(fileno(f)) == 0;
#endif
}

// A rewritten package keeps the permissions of the file it replaces.
void CopyPermissions(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    auto st = fs::status(from, ec);
    if (!ec && fs::exists(st)) fs::permissions(to, st.permissions(), ec);
}

void SyncDirectory([[maybe_unused]] const fs::path& dir) {
#ifndef _WIN32
    int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

}  // namespace

Bytes ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError("cannot open " + Describe(path));
    in.seekg(0, std::ios::end);
    auto end = in.tellg();
    if (end < 0) throw FileError("cannot read " + Describe(path));
    in.seekg(0, std::ios::beg);
    Bytes data(static_cast<std::size_t>(end));
    if (!data.empty() &&
        !in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size())))
        throw FileError("cannot read " + Describe(path));
    return data;
}

std::size_t AtomicFileWriter::WriteChunk(std::FILE* file, ByteView chunk) {
    return std::fwrite(chunk.data(), 1, chunk.size(), file);
}

void AtomicFileWriter::Commit(const fs::path& temporary, const fs::path& target) {
#ifdef _WIN32
    if (!MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw FileError("cannot replace " + Describe(target));
#else
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) throw FileError("cannot replace " + Describe(target) + ": " + ec.message());
    SyncDirectory(target.parent_path());
#endif
}

void AtomicFileWriter::Replace(const fs::path& target, ByteView image) {
    const fs::path temporary = TemporaryBeside(target);
    std::FILE* f = OpenForWriting(temporary);
    if (!f) throw FileError("cannot create a temporary file beside " + Describe(target));

    bool ok = true;
    constexpr std::size_t kChunk = 1 << 20;
    for (std::size_t done = 0; ok && done < image.size();) {
        ByteView chunk = image.subspan(done, std::min(kChunk, image.size() - done));
        std::size_t written = WriteChunk(f, chunk);
        ok = written == chunk.size();
        done += written;
    }
    ok = ok && FlushToDisk(f);
    ok = (std::fclose(f) == 0) && ok;

    std::error_code ec;
    if (!ok) {
        fs::remove(temporary, ec);
        throw FileError("cannot write " + Describe(target) + " (the original is unchanged)");
    }
    CopyPermissions(target, temporary);
    try {
        Commit(temporary, target);
    } catch (...) {
        fs::remove(temporary, ec);
        throw;
    }
}

void ReplaceFileAtomically(const fs::path& target, ByteView image) {
    AtomicFileWriter writer;
    writer.Replace(target, image);
}

}  // namespace kinloom
