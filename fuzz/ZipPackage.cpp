// Builds a stored zip archive in memory with libzip.
#include "ZipPackage.h"

#include <cstdlib>
#include <zip.h>

namespace tagloom::fuzz {

QByteArray zipPackage(const QList<QPair<QByteArray, QByteArray>> &parts)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t *archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive) std::abort();
    for (const auto &[name, content] : parts) {
        zip_source_t *part = zip_source_buffer(archive, content.constData(), content.size(), 0);
        const zip_int64_t index = zip_file_add(archive, name.constData(), part, ZIP_FL_OVERWRITE);
        if (index < 0 || zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0))
            std::abort();
    }
    if (zip_close(archive) != 0) std::abort();
    zip_stat_t stat;
    if (zip_source_stat(buffer, &stat) != 0 || zip_source_open(buffer) != 0) std::abort();
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    if (zip_source_read(buffer, bytes.data(), stat.size) != zip_int64_t(stat.size)) std::abort();
    zip_source_close(buffer);
    zip_source_free(buffer);
    zip_error_fini(&error);
    return bytes;
}

} // namespace tagloom::fuzz
