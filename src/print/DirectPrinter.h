// A label printer used with no driver: the language it speaks (TSPL or ZPL), its resolution, the
// gap between its labels, and where it is: a device file (/dev/usb/lp0), a network address
// (192.168.1.50:9100) or a CUPS queue that passes jobs through unchanged. Written as one text,
// LANGUAGE:WHERE, on the command line and in the settings.
#pragma once

#include <QString>
#include <optional>

namespace tagloom {

struct DirectPrinter
{
    enum class Language { Tspl, Zpl };
    enum class Place { DeviceFile, Network, CupsQueue };

    static constexpr int lowestDotsPerInch = 100;
    static constexpr int highestDotsPerInch = 600;
    static constexpr double largestGapMm = 20;

    Language language = Language::Tspl;
    QString address;
    int dotsPerInch = 203;
    double gapMm = 2; // 0 for continuous paper

    // "tspl:/dev/usb/lp0", "zpl:host:9100", "zpl:QUEUE"; nothing with the problem otherwise.
    static std::optional<DirectPrinter> fromText(const QString &text, QString *problem);
    QString text() const;
    Place place() const;

    friend bool operator==(const DirectPrinter &, const DirectPrinter &) = default;
};

} // namespace tagloom
