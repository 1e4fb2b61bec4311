#include "output_file.h"

#include <fmt/format.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace pstgen {

namespace {

constexpr std::size_t kFlushThreshold = 4 << 20;

[[noreturn]] void Fail(const char* what, const std::filesystem::path& path)
{
    throw std::runtime_error(fmt::format("cannot {} {}: {}", what, path.string(), std::strerror(errno)));
}

}  // namespace

OutputFile::OutputFile(std::filesystem::path path) : path_(std::move(path))
{
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ < 0)
        Fail("create", path_);
}

OutputFile::~OutputFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void OutputFile::WriteAt(std::uint64_t offset, ByteView data)
{
    const auto bufferEnd = bufferStart_ + buffer_.size();
    if (offset < bufferEnd) {
        Flush();
        WriteThrough(offset, data);
        return;
    }
    if (buffer_.empty())
        bufferStart_ = offset;
    // Gaps are the map pages, written later; zeros stand in for them meanwhile.
    AppendZeros(buffer_, offset - (bufferStart_ + buffer_.size()));
    Append(buffer_, data);
    if (buffer_.size() >= kFlushThreshold)
        Flush();
}

void OutputFile::Finish(std::uint64_t size)
{
    Flush();
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0)
        Fail("set the size of", path_);
    if (::close(fd_) != 0)
        Fail("close", path_);
    fd_ = -1;
}

void OutputFile::Flush()
{
    WriteThrough(bufferStart_, buffer_);
    bufferStart_ += buffer_.size();
    buffer_.clear();
}

void OutputFile::WriteThrough(std::uint64_t offset, ByteView data)
{
    while (!data.empty()) {
        const auto written = ::pwrite(fd_, data.data(), data.size(), static_cast<off_t>(offset));
        if (written < 0)
            Fail("write", path_);
        data = data.subspan(static_cast<std::size_t>(written));
        offset += static_cast<std::uint64_t>(written);
    }
}

}  // namespace pstgen
