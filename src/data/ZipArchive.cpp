// A zip archive held in memory, opened with libzip, with entries read as bounded streams.
#include "ZipArchive.h"

#include "WorkbookError.h"

#include <algorithm>
#include <zip.h>

namespace tagloom {

bool ZipArchive::hasSignature(QByteArrayView head)
{
    // A local file header, or the end record of an archive without entries.
    return head.startsWith("PK\x03\x04") || head.startsWith("PK\x05\x06");
}

ZipArchive::ZipArchive(const QByteArray &bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source
        = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (source) {
        archive_ = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (!archive_) zip_source_free(source);
    }
    zip_error_fini(&error);
    if (!archive_) throw WorkbookError::damaged();
}

ZipArchive::~ZipArchive()
{
    zip_discard(archive_);
}

qint64 ZipArchive::index(const QString &name) const
{
    return zip_name_locate(archive_, name.toUtf8().constData(), ZIP_FL_NOCASE | ZIP_FL_ENC_GUESS);
}

bool ZipArchive::contains(const QString &name) const
{
    return index(name) >= 0;
}

std::unique_ptr<ZipEntryDevice> ZipArchive::open(const QString &name) const
{
    const qint64 entry = index(name);
    if (entry < 0) return nullptr;
    zip_stat_t stat;
    if (zip_stat_index(archive_, zip_uint64_t(entry), 0, &stat) != 0
        || !(stat.valid & ZIP_STAT_SIZE))
        throw WorkbookError::damaged();
    if (stat.size > zip_uint64_t(inflateLimit)) throw WorkbookError::inflatesTooFar();
    // Entries saved with a password, or compressed in a way libzip does not know, do not open.
    zip_file_t *file = zip_fopen_index(archive_, zip_uint64_t(entry), 0);
    if (!file) throw WorkbookError::damaged();
    auto device = std::make_unique<ZipEntryDevice>(file, qint64(stat.size));
    device->open(QIODevice::ReadOnly);
    return device;
}

ZipEntryDevice::ZipEntryDevice(zip_file_t *file, qint64 declaredSize)
    : file_(file)
    , declaredSize_(declaredSize)
{
}

ZipEntryDevice::~ZipEntryDevice()
{
    zip_fclose(file_);
}

qint64 ZipEntryDevice::readData(char *data, qint64 maxSize)
{
    if (failed_ || limitReached_) return -1;
    // One byte more than the entry claims shows an entry that lies about its size.
    const qint64 wanted = std::min(maxSize, declaredSize_ + 1 - inflated_);
    if (wanted <= 0) return 0;
    if (inflated_ >= limit_) {
        limitReached_ = true;
        return -1;
    }
    const zip_int64_t got
        = zip_fread(file_, data, zip_uint64_t(std::min(wanted, limit_ - inflated_)));
    inflated_ += std::max<zip_int64_t>(got, 0);
    failed_ = got < 0 || inflated_ > declaredSize_;
    return failed_ ? -1 : got;
}

} // namespace tagloom
