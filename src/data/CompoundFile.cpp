// Opens an OLE2 compound file with libgsf and hands out its workbook stream.
#include "CompoundFile.h"

#include "WorkbookError.h"

#include <QString>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-utils.h>
#include <memory>
#include <mutex>

namespace tagloom {

namespace {

struct GObjectUnref
{
    void operator()(gpointer object) const { g_object_unref(object); }
};
template<typename T> using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

// libgsf reports damaged files through GLib's log, some of it without a log domain; while it
// works for us, those messages are dropped: a refusal says all the user needs to know.
thread_local bool insideLibgsf = false;

void logUnlessInsideLibgsf(
    const gchar *domain, GLogLevelFlags level, const gchar *message, gpointer data)
{
    if (!insideLibgsf) g_log_default_handler(domain, level, message, data);
}

void initLibgsf()
{
    static std::once_flag once;
    std::call_once(once, [] {
        gsf_init();
        const auto levels
            = GLogLevelFlags(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL | G_LOG_FLAG_RECURSION);
        for (const char *domain : {"libgsf", "libgsf:msole", "GLib", "GLib-GObject"})
            g_log_set_handler(domain, levels, logUnlessInsideLibgsf, nullptr);
        g_log_set_handler(nullptr, levels, logUnlessInsideLibgsf, nullptr);
    });
}

struct InsideLibgsf
{
    InsideLibgsf() { insideLibgsf = true; }
    ~InsideLibgsf() { insideLibgsf = false; }
    InsideLibgsf(const InsideLibgsf &) = delete;
    InsideLibgsf &operator=(const InsideLibgsf &) = delete;
};

} // namespace

bool CompoundFile::hasSignature(QByteArrayView head)
{
    return head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}

QByteArray CompoundFile::workbookStream(const QByteArray &fileBytes)
{
    if (!hasSignature(fileBytes)) throw WorkbookError::notWorkbook();
    initLibgsf();
    const InsideLibgsf quiet;
    const GObjectPtr<GsfInput> input(gsf_input_memory_new(
        reinterpret_cast<const guint8 *>(fileBytes.constData()), fileBytes.size(), false));
    GError *error = nullptr;
    const GObjectPtr<GsfInfile> ole(gsf_infile_msole_new(input.get(), &error));
    if (!ole) {
        g_clear_error(&error);
        throw WorkbookError::damaged();
    }
    // Stream names in a compound file are compared without regard to case. "Book" holds an
    // Excel 5.0/95 workbook; files saved for both versions have it beside "Workbook".
    GObjectPtr<GsfInput> stream;
    bool olderFormat = false;
    for (int i = 0; i < gsf_infile_num_children(ole.get()) && !stream; ++i) {
        const QString name = QString::fromUtf8(gsf_infile_name_by_index(ole.get(), i));
        if (name.compare(u"Workbook", Qt::CaseInsensitive) == 0)
            stream.reset(gsf_infile_child_by_index(ole.get(), i));
        olderFormat = olderFormat || name.compare(u"Book", Qt::CaseInsensitive) == 0;
        if (name == u"EncryptedPackage") throw WorkbookError::encrypted();
    }
    if (!stream) throw olderFormat ? WorkbookError::olderFormat() : WorkbookError::notWorkbook();
    // A stream cannot be larger than the file that holds it, unless its sector chain is damaged.
    const gsf_off_t size = gsf_input_size(stream.get());
    if (size > fileBytes.size()) throw WorkbookError::damaged();
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    if (size > 0
        && !gsf_input_read(stream.get(), size_t(size), reinterpret_cast<guint8 *>(bytes.data())))
        throw WorkbookError::damaged();
    return bytes;
}

} // namespace tagloom
