#pragma once
// A PDF document written to a new file of its own. The name is claimed by an exclusive create, so
// documents started in the same second (by one process or by many) never share a file, and the
// file counts as written only once every byte reached it and it was flushed to disk and closed: a
// full disk or a failing write is a failure, never a truncated PDF. An unfinished file is removed.

#include <QString>

#include <cstdint>
#include <memory>
#include <string>

class QDateTime;
class QPdfWriter;

namespace qel {

class NewFileDevice;

// Creates "<base>.pdf" in folder exclusively, or "<base>-2.pdf", "<base>-3.pdf" ... when the name
// is taken. Returns the open descriptor (the name in path), or -1 with errno when no new file can
// be made there.
int claimNewPdfFile(const QString& folder, const QString& base, QString& path);

class PdfFile {
public:
    // A new file "<stem>-<yyyyMMdd-HHmmss>.pdf" in folder (the current directory when empty).
    // Nothing when none can be made; why is in `reason`.
    static std::unique_ptr<PdfFile> create(const QString& folder, const QString& stem, const QDateTime& time,
                                           std::string& reason);
    ~PdfFile();
    PdfFile(const PdfFile&) = delete;
    PdfFile& operator=(const PdfFile&) = delete;

    const QString& path() const { return path_; }
    QPdfWriter& writer() { return *writer_; }
    // Whether a write has failed so far.
    bool failed() const;
    // The bytes the document has written so far (some may still wait to go out).
    uint64_t size() const;
    // Once the painter has ended: the rest goes out, to the disk, and the file is closed. False
    // (the file removed, the reason in `reason`) when any of it failed.
    [[nodiscard]] bool finish(std::string& reason);

private:
    PdfFile(QString path, int fd);

    QString path_;
    std::unique_ptr<NewFileDevice> device_;
    std::unique_ptr<QPdfWriter> writer_;
    bool closed_ = false; // finished, or removed: the name is no longer this document's
};

} // namespace qel
