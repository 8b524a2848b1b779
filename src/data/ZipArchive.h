// A zip archive held in memory (an .xlsx or .ods package), opened with libzip; its entries are
// read as streams that refuse to inflate past a limit.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <limits>
#include <memory>

struct zip;
struct zip_file;

namespace tagloom {

class ZipArchive
{
public:
    // No entry inflates to more than this, nor to more than its directory entry says it holds:
    // a small file that inflates to gigabytes (a zip bomb) is refused early.
    static constexpr qint64 inflateLimit = qint64(1) << 30;

    // Whether a file's first bytes are those of a zip archive.
    static bool hasSignature(QByteArrayView head);

    // bytes must outlive the archive. Throws WorkbookError::damaged().
    explicit ZipArchive(const QByteArray &bytes);
    ~ZipArchive();
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    // Entry names are compared without regard to letter case, as in an Office package.
    bool contains(const QString &name) const;
    // A sequential device over the inflated entry; nullptr when there is no such entry. Throws
    // WorkbookError::inflatesTooFar() for an entry that says it holds more than the limit. A read
    // that fails, or passes what the entry says it holds, ends the stream with failed() set.
    std::unique_ptr<class ZipEntryDevice> open(const QString &name) const;

private:
    qint64 index(const QString &name) const;

    zip *archive_ = nullptr;
};

class ZipEntryDevice : public QIODevice
{
public:
    ZipEntryDevice(zip_file *file, qint64 declaredSize);
    ~ZipEntryDevice() override;

    bool isSequential() const override { return true; }
    bool failed() const { return failed_; }
    // Lets the stream inflate at most bytes more; a read past them fails with limitReached().
    void limitFurtherReads(qint64 bytes) { limit_ = inflated_ + bytes; }
    bool limitReached() const { return limitReached_; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    zip_file *file_;
    qint64 declaredSize_;
    qint64 inflated_ = 0;
    qint64 limit_ = std::numeric_limits<qint64>::max();
    bool failed_ = false;
    bool limitReached_ = false;
};

} // namespace tagloom
