// The paper a printer takes, as its queue describes it: the default media with the edges the
// printer cannot print on, and the range of custom sizes it accepts. Lengths in points (1/72 in),
// the unit of PDF pages.
#pragma once

#include <QMarginsF>
#include <QSizeF>
#include <QString>
#include <optional>

namespace tagloom {

struct PrinterMedia
{
    QString option; // the job option that asks for this media: "media" or "PageSize"
    QString value; // its value as the queue knows it: "custom_6x4in_6x4in", "w288h144", "A4"
    QSizeF size;
    QMarginsF margins;
};

struct CustomSizes
{
    QSizeF smallest;
    QSizeF largest;
};

struct PrinterPaper
{
    PrinterMedia defaultMedia;
    std::optional<CustomSizes> custom; // none when the printer takes only its listed sizes
};

} // namespace tagloom
