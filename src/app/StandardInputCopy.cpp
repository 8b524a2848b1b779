// Copying standard input within the table's limits.
#include "StandardInputCopy.h"

#include "data/SheetBuilder.h"

#include <QFile>

namespace tagloom {

namespace {

// Counts the lines of CSV text as it streams by: the line ends outside quotes (each '"' switches
// between inside and outside), LF, CR LF and CR alike. The reader counts exactly; this stops a
// pipe that would go on for ever.
class LineCounter
{
public:
    void add(QByteArrayView bytes)
    {
        for (const char byte : bytes) {
            if (byte == '"')
                quoted_ = !quoted_;
            else if (!quoted_ && (byte == '\r' || (byte == '\n' && !afterCr_)))
                ++lines_;
            afterCr_ = byte == '\r';
        }
    }
    qint64 lines() const { return lines_; }

private:
    qint64 lines_ = 0;
    bool quoted_ = false;
    bool afterCr_ = false;
};

} // namespace

bool StandardInputCopy::copy(QString *reason)
{
    QFile in;
    QFile out(path());
    if (!folder_.isValid() || !in.open(stdin, QIODevice::ReadOnly)
        || !out.open(QIODevice::WriteOnly)) {
        *reason = QStringLiteral("无法读取标准输入");
        return false;
    }
    LineCounter counter;
    qint64 copied = 0;
    for (QByteArray chunk; !(chunk = in.read(1 << 20)).isEmpty(); copied += chunk.size()) {
        counter.add(chunk);
        if (counter.lines() > SheetBuilder::maxRows || copied + chunk.size() > mostBytes) {
            *reason = counter.lines() > SheetBuilder::maxRows
                ? QStringLiteral("标准输入超过了数据表的上限：最多 %1 行")
                      .arg(SheetBuilder::maxRows)
                : QStringLiteral("标准输入超过了数据表的上限：最多 %1 MiB").arg(mostBytes >> 20);
            return false;
        }
        if (out.write(chunk) != chunk.size()) {
            *reason = QStringLiteral("无法复制标准输入：%1").arg(out.errorString());
            return false;
        }
    }
    if (in.error() != QFileDevice::NoError || !out.flush()) {
        *reason = QStringLiteral("无法读取标准输入");
        return false;
    }
    return true;
}

} // namespace tagloom
