// The main panel's state, with a signal for each change.
#include "MainPanel.h"

namespace tagloom {

MainPanel::MainPanel()
    // The paths in force until a file is chosen; a layout saved before any choice stores them.
    : labelPicturePath_(QStringLiteral("C:\\Users\\Administrator\\Desktop\\标签.jpg"))
    , dataFilePath_(QStringLiteral("C:\\Users\\Administrator\\Desktop\\6.xls"))
    , rangeTexts_ {QStringLiteral("1"), QStringLiteral("1")}
{
}

void MainPanel::setLabelPicturePath(const QString &path)
{
    if (path == labelPicturePath_) return;
    labelPicturePath_ = path;
    emit labelPicturePathChanged(path);
}

void MainPanel::setDataFilePath(const QString &path)
{
    if (path == dataFilePath_) return;
    dataFilePath_ = path;
    emit dataFilePathChanged(path);
}

void MainPanel::setRangeText(RangeBound bound, const QString &text)
{
    if (text == rangeTexts_[bound]) return;
    rangeTexts_[bound] = text;
    emit rangeTextChanged(bound, text);
}

void MainPanel::setQuantityColumn(const QString &header)
{
    if (header == quantityColumn_) return;
    quantityColumn_ = header;
    emit quantityColumnChanged(header);
}

void MainPanel::enableGenerate()
{
    if (generateEnabled_) return;
    generateEnabled_ = true;
    emit generateEnabledChanged(true);
}

void MainPanel::setPrinterDotsPerInch(const std::optional<double> &dotsPerInch)
{
    if (dotsPerInch == printerDotsPerInch_) return;
    printerDotsPerInch_ = dotsPerInch;
    emit printerDotsPerInchChanged();
}

} // namespace tagloom
