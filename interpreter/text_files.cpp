#include "interpreter/text_files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qel {

std::unique_ptr<TextFile> TextFile::open(const std::string& path, Mode mode, MemoryBudget* budget)
{
    if (path.empty() || path.find('\0') != std::string::npos)
        return nullptr;
    // Non-blocking, so a FIFO or a device cannot hold the run up before it is refused; the file is
    // emptied only once it is known to be a regular file.
    const int flags = (mode == Mode::Read ? O_RDONLY : O_WRONLY | O_CREAT) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = 0;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    const int blocking = regular ? ::fcntl(fd, F_GETFL) : -1;
    if (!regular || blocking < 0 || ::fcntl(fd, F_SETFL, blocking & ~O_NONBLOCK) < 0 ||
        (mode == Mode::Write && ::ftruncate(fd, 0) != 0)) {
        ::close(fd);
        return nullptr;
    }
    std::unique_ptr<TextFile> file(new TextFile(fd, mode));
    file->budget_ = budget;
    if (budget)
        budget->charge(kBufferSize);
    return file;
}

TextFile::TextFile(int fd, Mode mode) : fd_(fd), mode_(mode), buffer_(kBufferSize) {}

TextFile::~TextFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    releaseLine();
    if (budget_)
        budget_->give(kBufferSize);
}

bool TextFile::reserveLine(size_t length)
{
    const size_t had = line_.capacity();
    if (length <= had)
        return true;
    // Grown by doubling up to the longest piece, each step paid for before it is made.
    const size_t wanted = std::max(length, std::min(2 * had, kMaxLinePiece));
    if (budget_ && !budget_->take(wanted - lineCharged_))
        return false;
    line_.reserve(wanted);
    if (budget_) {
        budget_->give(wanted - lineCharged_);
        budget_->charge(line_.capacity() - lineCharged_);
    }
    lineCharged_ = line_.capacity();
    return true;
}

void TextFile::releaseLine()
{
    if (lineCharged_ == 0)
        return;
    std::string().swap(line_);
    if (budget_)
        budget_->give(lineCharged_);
    lineCharged_ = 0;
}

bool TextFile::fill()
{
    if (exhausted_ || failed_)
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    for (;;) {
        const ssize_t got = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
        if (got > 0) {
            end_ += static_cast<size_t>(got);
            return true;
        }
        if (got == 0) {
            exhausted_ = true;
            return false;
        }
        if (errno != EINTR) {
            failed_ = true;
            return false;
        }
    }
}

TextFile::ReadResult TextFile::readLine(std::string_view& line)
{
    line = {};
    if (mode_ != Mode::Read || fd_ < 0)
        return ReadResult::Error;
    if (line_.capacity() > kBufferSize)
        releaseLine(); // the last line was a long one
    line_.clear();
    bool assembling = false; // the line began in an earlier fill of the buffer
    for (;;) {
        const char* start = buffer_.data() + begin_;
        const size_t available = end_ - begin_;
        const size_t room = kMaxLinePiece - line_.size();
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', std::min(available, room)));
        if (newline || available >= room) {
            // A whole line, or a piece of a very long one (the rest comes with the next reads).
            const size_t length = newline ? static_cast<size_t>(newline - start) : room;
            if (assembling && !reserveLine(line_.size() + length))
                return ReadResult::OutOfMemory;
            begin_ += length + (newline ? 1 : 0);
            if (assembling) {
                line_.append(start, length);
                line = line_;
            } else {
                line = std::string_view(start, length);
            }
            if (newline && !line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            return ReadResult::Line;
        }
        if (!reserveLine(line_.size() + available))
            return ReadResult::OutOfMemory;
        line_.append(start, available);
        assembling = !line_.empty();
        begin_ = end_ = 0;
        if (!fill()) {
            if (failed_)
                return ReadResult::Error;
            if (!line_.empty()) {
                line = line_; // the last line has no line end: it keeps every character
                return ReadResult::Line;
            }
            atEnd_ = true;
            return ReadResult::End;
        }
    }
}

bool TextFile::write(std::string_view bytes)
{
    if (mode_ != Mode::Write || fd_ < 0 || failed_)
        return false;
    while (!bytes.empty()) {
        if (end_ == buffer_.size() && !flush())
            return false;
        const size_t n = std::min(bytes.size(), buffer_.size() - end_);
        std::memcpy(buffer_.data() + end_, bytes.data(), n);
        end_ += n;
        bytes.remove_prefix(n);
    }
    return true;
}

bool TextFile::flush()
{
    size_t done = 0;
    while (done < end_ && !failed_) {
        const ssize_t put = ::write(fd_, buffer_.data() + done, end_ - done);
        if (put > 0)
            done += static_cast<size_t>(put);
        else if (put < 0 && errno == EINTR)
            continue;
        else
            failed_ = true;
    }
    end_ = 0;
    return !failed_;
}

bool TextFile::close()
{
    // A write the system refused has been reported by the write; closing reports only its own.
    const bool reported = failed_;
    if (fd_ < 0)
        return true;
    bool stored = reported || mode_ == Mode::Read || flush();
    if (::close(fd_) != 0 && mode_ == Mode::Write)
        stored = false; // a file system that stores late (NFS, a full quota) reports it here
    fd_ = -1;
    return stored;
}

uint32_t TextFileTable::add(std::unique_ptr<TextFile> file)
{
    if (next_ == 0 || !file)
        return 0;
    const uint32_t handle = next_++;
    files_.emplace(handle, std::move(file));
    return handle;
}

TextFile* TextFileTable::get(uint32_t handle) const
{
    auto it = files_.find(handle);
    return it == files_.end() ? nullptr : it->second.get();
}

bool TextFileTable::close(uint32_t handle)
{
    auto it = files_.find(handle);
    if (it == files_.end())
        return true;
    const bool stored = it->second->close();
    files_.erase(it);
    return stored;
}

bool TextFileTable::closeAll()
{
    bool stored = true;
    for (auto& [handle, file] : files_)
        stored = file->close() && stored;
    files_.clear();
    return stored;
}

} // namespace qel
