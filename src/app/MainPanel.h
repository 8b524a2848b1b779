// What the main window holds for the other commands: the two file paths, the print range texts,
// the two source choosers, the quantity column and whether items can be generated.
#pragma once

#include "SourceChooser.h"

#include <QObject>
#include <QString>
#include <optional>

namespace tagloom {

class MainPanel : public QObject
{
    Q_OBJECT

public:
    MainPanel();

    // Text1: the label picture path.
    const QString &labelPicturePath() const { return labelPicturePath_; }
    void setLabelPicturePath(const QString &path);

    // Text2: the data file path.
    const QString &dataFilePath() const { return dataFilePath_; }
    void setDataFilePath(const QString &path);

    // Text3(0) and Text3(1): first and last row of the print range, as typed.
    enum RangeBound { FirstRow = 0, LastRow = 1 };
    const QString &rangeText(RangeBound bound) const { return rangeTexts_[bound]; }
    void setRangeText(RangeBound bound, const QString &text);

    // Combo1(0) and Combo1(1).
    enum Source { QrSource = 0, BarcodeSource = 1 };
    SourceChooser &chooser(Source source) { return choosers_[source]; }
    const SourceChooser &chooser(Source source) const { return choosers_[source]; }

    // The column whose cells give each row's number of labels ("份数列"), by its header; empty
    // for none, one label a row.
    const QString &quantityColumn() const { return quantityColumn_; }
    void setQuantityColumn(const QString &header);

    // Text1 and Text2 as the layout last loaded wrote them, a relative path as it stands there:
    // a layout saved where that text still names the same file writes it so again, so a folder
    // with a layout and its files can move as a whole.
    enum PathLine { PictureLine = 0, DataLine = 1 };
    const QString &pathAsLoaded(PathLine line) const { return pathsAsLoaded_[line]; }
    void setPathAsLoaded(PathLine line, const QString &text) { pathsAsLoaded_[line] = text; }

    // The layout file last saved or loaded, offered by the next save.
    const QString &layoutPath() const { return layoutPath_; }
    void setLayoutPath(const QString &path) { layoutPath_ = path; }

    // The dots per inch of the label on the printer chosen beside the steps, its calibration's
    // scale included; nothing when no printer is chosen or it does not say. The canvas and the
    // size dialog show the codes on these dots, as they print.
    const std::optional<double> &printerDotsPerInch() const { return printerDotsPerInch_; }
    void setPrinterDotsPerInch(const std::optional<double> &dotsPerInch);

    // Command3: enabled by the first complete workbook import.
    bool generateEnabled() const { return generateEnabled_; }
    void enableGenerate();

signals:
    void labelPicturePathChanged(const QString &path);
    void dataFilePathChanged(const QString &path);
    void rangeTextChanged(tagloom::MainPanel::RangeBound bound, const QString &text);
    void generateEnabledChanged(bool enabled);
    void printerDotsPerInchChanged();
    void quantityColumnChanged(const QString &header);

private:
    QString labelPicturePath_;
    QString dataFilePath_;
    QString rangeTexts_[2];
    SourceChooser choosers_[2];
    QString pathsAsLoaded_[2];
    QString layoutPath_;
    QString quantityColumn_;
    bool generateEnabled_ = false;
    std::optional<double> printerDotsPerInch_;
};

} // namespace tagloom
