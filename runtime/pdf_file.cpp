#include "runtime/pdf_file.h"

#include "runtime/gui_application.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QPdfWriter>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace qel {

namespace {

// Tried before giving up on a folder whose names are all taken.
constexpr int kMostNames = 10000;
// Written to the file in pieces of this size.
constexpr qsizetype kBufferBytes = qsizetype{64} << 10;

std::string describe(const QString& path, int error)
{
    return QDir::toNativeSeparators(path).toStdString() + ": " + std::strerror(error);
}

} // namespace

// The file's bytes, written through its one descriptor: every write is checked and the first
// failure is remembered, so what the writer made is kept whole or refused whole.
class NewFileDevice final : public QIODevice {
public:
    explicit NewFileDevice(int fd) : fd_(fd) { open(QIODevice::WriteOnly); }
    NewFileDevice(const NewFileDevice&) = delete;
    NewFileDevice& operator=(const NewFileDevice&) = delete;
    ~NewFileDevice() override
    {
        if (fd_ >= 0)
            ::close(fd_);
    }

    int error() const { return error_; }
    // Every byte taken so far, whether it has gone out yet or waits in the buffer.
    uint64_t taken() const { return taken_; }

    // The buffered rest goes out and the file reaches the disk and is closed; false on any failure.
    bool finish()
    {
        drain();
        if (error_ == 0 && ::fsync(fd_) != 0)
            error_ = errno;
        if (::close(fd_) != 0 && error_ == 0)
            error_ = errno;
        fd_ = -1;
        QIODevice::close();
        return error_ == 0;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (error_ != 0)
            return -1;
        buffer_.append(data, size);
        taken_ += static_cast<uint64_t>(size);
        if (buffer_.size() >= kBufferBytes)
            drain();
        return error_ != 0 ? -1 : size;
    }

private:
    void drain()
    {
        qsizetype done = 0;
        while (error_ == 0 && done < buffer_.size()) {
            const ssize_t n = ::write(fd_, buffer_.constData() + done, static_cast<size_t>(buffer_.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                error_ = n < 0 ? errno : ENOSPC;
            else
                done += n;
        }
        buffer_.clear();
    }

    int fd_;
    int error_ = 0;
    uint64_t taken_ = 0;
    QByteArray buffer_;
};

int claimNewPdfFile(const QString& folder, const QString& base, QString& path)
{
    const QDir dir(folder.isEmpty() ? QDir::currentPath() : folder);
    for (int n = 1; n <= kMostNames; ++n) {
        path = dir.filePath(n == 1 ? base + ".pdf" : base + '-' + QString::number(n) + ".pdf");
        // Exclusive: the name is ours only if nothing (not even a link) had it.
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

PdfFile::PdfFile(QString path, int fd)
    : path_(std::move(path)),
      device_(std::make_unique<NewFileDevice>(fd)),
      writer_(std::make_unique<QPdfWriter>(device_.get()))
{}

std::unique_ptr<PdfFile> PdfFile::create(const QString& folder, const QString& stem, const QDateTime& time,
                                         std::string& reason)
{
    ensureGuiApplication(); // the writer's fonts
    QString path;
    const int fd = claimNewPdfFile(folder, stem + '-' + time.toString(QStringLiteral("yyyyMMdd-HHmmss")), path);
    if (fd < 0) {
        reason = describe(path, errno);
        return nullptr;
    }
    return std::unique_ptr<PdfFile>(new PdfFile(std::move(path), fd));
}

PdfFile::~PdfFile()
{
    writer_.reset();
    if (!closed_)
        QFile::remove(path_);
}

bool PdfFile::failed() const { return device_->error() != 0; }

uint64_t PdfFile::size() const { return device_->taken(); }

bool PdfFile::finish(std::string& reason)
{
    writer_.reset();
    closed_ = true;
    if (device_->finish())
        return true;
    reason = describe(path_, device_->error());
    QFile::remove(path_);
    return false;
}

} // namespace qel
