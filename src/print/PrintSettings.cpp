// Print settings in the user's configuration file (~/.config/tagloom/tagloom.conf).
#include "PrintSettings.h"

#include "CupsQueue.h"

#include <QSettings>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace tagloom {

namespace {

QSettings userSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tagloom"),
        QStringLiteral("tagloom"));
}

// Queue names may hold characters that settings keys give a meaning of their own.
QString printerGroup(const QString &printer)
{
    return QStringLiteral("printers/") + QString::fromLatin1(QUrl::toPercentEncoding(printer));
}

// A hand-edited file may hold anything: what is read stays within what the window offers.
double number(
    const QSettings &settings, const QString &key, double otherwise, double lowest, double highest)
{
    bool isNumber = false;
    const double value = settings.value(key).toDouble(&isNumber);
    return isNumber && std::isfinite(value) ? std::clamp(value, lowest, highest) : otherwise;
}

} // namespace

QString PrintSettings::chosenPrinter()
{
    return userSettings().value(QStringLiteral("print/printer")).toString();
}

void PrintSettings::setChosenPrinter(const QString &name)
{
    userSettings().setValue(QStringLiteral("print/printer"), name);
}

bool PrintSettings::directChosen()
{
    return userSettings().value(QStringLiteral("print/direct")).toBool();
}

void PrintSettings::setDirectChosen(bool chosen)
{
    userSettings().setValue(QStringLiteral("print/direct"), chosen);
}

DirectPrinter PrintSettings::directPrinter()
{
    QSettings settings = userSettings();
    settings.beginGroup(QStringLiteral("direct"));
    DirectPrinter printer;
    printer.address = QStringLiteral("/dev/usb/lp0");
    QString problem;
    if (const std::optional<DirectPrinter> stored
        = DirectPrinter::fromText(settings.value(QStringLiteral("printer")).toString(), &problem))
        printer = *stored;
    printer.dotsPerInch = int(number(settings, QStringLiteral("dpi"), printer.dotsPerInch,
        DirectPrinter::lowestDotsPerInch, DirectPrinter::highestDotsPerInch));
    printer.gapMm
        = number(settings, QStringLiteral("gap"), printer.gapMm, 0, DirectPrinter::largestGapMm);
    return printer;
}

void PrintSettings::setDirectPrinter(const DirectPrinter &printer)
{
    QSettings settings = userSettings();
    settings.beginGroup(QStringLiteral("direct"));
    settings.setValue(QStringLiteral("printer"), printer.text());
    settings.setValue(QStringLiteral("dpi"), printer.dotsPerInch);
    settings.setValue(QStringLiteral("gap"), printer.gapMm);
}

Calibration PrintSettings::calibration(const QString &printer)
{
    if (printer.isEmpty()) return {};
    QSettings settings = userSettings();
    settings.beginGroup(printerGroup(printer));
    const double largest = Calibration::largestOffsetMm;
    return {QPointF(number(settings, QStringLiteral("offsetX"), 0, -largest, largest),
                number(settings, QStringLiteral("offsetY"), 0, -largest, largest)),
        number(settings, QStringLiteral("scale"), 100, Calibration::smallestScalePercent,
            Calibration::largestScalePercent)};
}

void PrintSettings::setCalibration(const QString &printer, const Calibration &calibration)
{
    QSettings settings = userSettings();
    settings.beginGroup(printerGroup(printer));
    settings.setValue(QStringLiteral("offsetX"), calibration.offsetMm.x());
    settings.setValue(QStringLiteral("offsetY"), calibration.offsetMm.y());
    settings.setValue(QStringLiteral("scale"), calibration.scalePercent);
}

} // namespace tagloom
