#pragma once
// The text files a run has open, by handle. A File variable holds only the handle, a small number,
// so a copied or stale handle is looked up and refused rather than followed. Handles count up from 1
// and are never handed out twice.
//
// A file is read and written through a buffer of its own. Lines end with CR LF when written, on
// every platform, so files move between machines unchanged; on reading, a LF or a CR LF ends a line
// and nothing else is removed. Bytes are 8-bit and pass unchanged.
//
// The buffer and a long line being put together are paid for from the run's memory budget, given
// at opening: the line's buffer is taken before it grows and given back by releaseLine(), so files
// that were each read once on a long line hold nothing beyond their fixed buffers.

#include "values/memory_budget.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qel {

class TextFile {
public:
    enum class Mode : uint8_t { Read, Write };
    enum class ReadResult : uint8_t { Line, End, Error, OutOfMemory };

    // Opens a regular file (a folder, a device or a FIFO is refused): for reading an existing one,
    // for writing a new or emptied one. nullptr when it cannot be opened. The buffer is charged to
    // the budget, when there is one, until the file is closed; the caller has seen it fits
    // (kBufferSize).
    static std::unique_ptr<TextFile> open(const std::string& path, Mode mode, MemoryBudget* budget = nullptr);
    ~TextFile(); // closes without a word; call close() to learn whether everything was written
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    Mode mode() const { return mode_; }

    // The next line without its line end, as a view that stays valid until the file is next read or
    // closed or releaseLine() is called. A line longer than kMaxLinePiece comes back in pieces of that
    // length, one a read. End when nothing was left to read (from then on atEnd() holds); OutOfMemory
    // when the budget cannot hold the line (the run ends there).
    ReadResult readLine(std::string_view& line);
    // The last line has been used: the buffer a long line was put together in is given back.
    void releaseLine();
    // True once a read found nothing more; a file open for writing is never at its end.
    bool atEnd() const { return atEnd_; }

    // Adds bytes to the file; false once the system has refused to take them.
    bool write(std::string_view bytes);
    // Writes out what is buffered and closes; false when something written could not be stored (a
    // refusal write() has already reported is not reported again).
    bool close();

    static constexpr size_t kBufferSize = size_t{1} << 16;
    static constexpr size_t kMaxLinePiece = size_t{1} << 24;

private:
    TextFile(int fd, Mode mode);
    bool flush();
    bool fill();                     // more bytes into the read buffer; false at the end or on an error (see failed_)
    bool reserveLine(size_t length); // room in line_ for length bytes, paid for from the budget

    int fd_ = -1;
    Mode mode_;
    std::vector<char> buffer_;
    std::string line_; // a line that did not lie whole in the buffer
    size_t begin_ = 0; // reading: the unread bytes are [begin_, end_); writing: end_ bytes wait
    size_t end_ = 0;
    bool atEnd_ = false;
    bool exhausted_ = false; // the system reported the file's end
    bool failed_ = false;
    MemoryBudget* budget_ = nullptr;
    uint64_t lineCharged_ = 0; // what line_ holds of the budget
};

class TextFileTable {
public:
    // Takes the open file and returns its handle; 0 when every handle has been used.
    uint32_t add(std::unique_ptr<TextFile> file);
    // The open file of a handle; nullptr for 0, a closed handle or one never given out.
    TextFile* get(uint32_t handle) const;
    // Closes the file of a handle: false when it did not store everything written. Nothing happens for
    // a handle that names no open file.
    bool close(uint32_t handle);
    // Closes every open file (each run's end): false when one of them lost what was written to it.
    bool closeAll();
    size_t size() const { return files_.size(); }

private:
    std::unordered_map<uint32_t, std::unique_ptr<TextFile>> files_;
    uint32_t next_ = 1; // 0 once the handles are used up
};

} // namespace qel
