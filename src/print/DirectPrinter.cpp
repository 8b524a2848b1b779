// A directly connected printer as text.
#include "DirectPrinter.h"

#include "DeviceConnection.h"

namespace tagloom {

std::optional<DirectPrinter> DirectPrinter::fromText(const QString &text, QString *problem)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    const QString language = text.left(colon).toLower();
    DirectPrinter printer;
    printer.address = text.mid(colon + 1).trimmed();
    if (colon < 0 || (language != QLatin1String("tspl") && language != QLatin1String("zpl"))
        || printer.address.isEmpty()) {
        *problem = QStringLiteral("直接连接的打印机写作 语言:位置，语言是 tspl 或 zpl，"
                                  "位置是设备文件、主机:端口或 CUPS 队列（如 tspl:/dev/usb/lp0）");
        return std::nullopt;
    }
    printer.language = language == QLatin1String("zpl") ? Language::Zpl : Language::Tspl;
    return printer;
}

QString DirectPrinter::text() const
{
    return (language == Language::Zpl ? QStringLiteral("zpl:") : QStringLiteral("tspl:")) + address;
}

DirectPrinter::Place DirectPrinter::place() const
{
    if (address.startsWith(QLatin1Char('/'))) return Place::DeviceFile;
    if (DeviceConnection::hostAndPort(address)) return Place::Network;
    return Place::CupsQueue;
}

} // namespace tagloom
