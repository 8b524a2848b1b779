// Filling each label from the data table: cells, texts with fields and the codes' texts.
#include "LabelContent.h"

#include "LabelDesign.h"
#include "QuotedText.h"
#include "data/DataTable.h"

namespace tagloom {

namespace {

// A text with fields as the design holds it; none for no text, or for braces that do not match,
// which `problem` then tells of unless it tells of an earlier one.
std::optional<TextTemplate> parsed(const QString &text, QString &problem)
{
    if (text.isEmpty()) return std::nullopt;
    QString why;
    std::optional<TextTemplate> made = TextTemplate::parse(text, &why);
    if (!made && problem.isEmpty()) problem = why;
    return made;
}

} // namespace

LabelContent::LabelContent(
    const LabelDesign &design, const DataTable *table, int qrColumn, int barcodeColumn)
    : design_(design)
    , table_(table)
    // A code given a text with fields takes it in place of its column.
    , qrColumn_(design.codeImage().textTemplate.isEmpty() ? qrColumn : 0)
    , barcodeColumn_(design.barcodeHolder().textTemplate.isEmpty() ? barcodeColumn : 0)
    , qrTemplate_(parsed(design.codeImage().textTemplate, problem_))
    , barcodeTemplate_(parsed(design.barcodeHolder().textTemplate, problem_))
{
    texts_.reserve(static_cast<size_t>(design.textItemCount()));
    for (int index = 0; index < design.textItemCount(); ++index)
        texts_.push_back(parsed(design.textItem(index).caption, problem_));
}

bool LabelContent::bind(QString *problem)
{
    bool bound = problem_.isEmpty();
    if (!bound) *problem = problem_;
    const auto bindOne = [&](std::optional<TextTemplate> &text) {
        QString why;
        if (text && !text->bind(table_, &why) && std::exchange(bound, false)) *problem = why;
    };
    bindOne(qrTemplate_);
    bindOne(barcodeTemplate_);
    for (std::optional<TextTemplate> &text : texts_)
        bindOne(text);
    return bound;
}

bool LabelContent::anyText(bool (TextTemplate::*test)() const) const
{
    const auto holds
        = [test](const std::optional<TextTemplate> &text) { return text && ((*text).*test)(); };
    return holds(qrTemplate_) || holds(barcodeTemplate_)
        || std::any_of(texts_.begin(), texts_.end(), holds);
}

bool LabelContent::readsColumns() const
{
    return anyText(&TextTemplate::readsColumns);
}

bool LabelContent::countsLabels() const
{
    return anyText(&TextTemplate::countsLabels);
}

bool LabelContent::feedsQrCode() const
{
    return qrColumn_ > 0 || !design_.codeImage().textTemplate.isEmpty();
}

bool LabelContent::feedsBarcode() const
{
    return barcodeColumn_ > 0 || !design_.barcodeHolder().textTemplate.isEmpty();
}

QString LabelContent::filledIn(const LabelNumbering &label,
    const std::optional<TextTemplate> &withFields, const QString &written) const
{
    // Braces that do not match show as they are written.
    return withFields ? withFields->expand(table_, label) : written;
}

QString LabelContent::codeText(const LabelNumbering &label, int column,
    const std::optional<TextTemplate> &withFields, const QString &written) const
{
    if (!written.isEmpty()) return filledIn(label, withFields, written);
    return table_ && table_->contains(label.row, column) ? table_->cell(label.row, column)
                                                         : QString();
}

QString LabelContent::qrText(const LabelNumbering &label) const
{
    return codeText(label, qrColumn_, qrTemplate_, design_.codeImage().textTemplate);
}

QString LabelContent::barcodeText(const LabelNumbering &label) const
{
    return codeText(label, barcodeColumn_, barcodeTemplate_, design_.barcodeHolder().textTemplate);
}

QString LabelContent::sourceName(int column, const QString &written) const
{
    if (!written.isEmpty()) return QStringLiteral("“%1”").arg(QuotedText::shortened(written));
    const QString header
        = table_ && table_->contains(0, column) ? table_->cell(0, column) : QString();
    return header.isEmpty() ? QStringLiteral("第%1列").arg(column)
                            : QStringLiteral("“%1”列").arg(QuotedText::shortened(header));
}

QString LabelContent::qrSourceName() const
{
    return sourceName(qrColumn_, design_.codeImage().textTemplate);
}

QString LabelContent::barcodeSourceName() const
{
    return sourceName(barcodeColumn_, design_.barcodeHolder().textTemplate);
}

QString LabelContent::textItemText(int index, const LabelNumbering &label) const
{
    return filledIn(label, texts_[static_cast<size_t>(index)], design_.textItem(index).caption);
}

LabelRow LabelContent::row(const LabelNumbering &label) const
{
    LabelRow made;
    // A cell outside the table is empty: a print run refuses such a table before, a preview
    // shows it so.
    made.captions.assign(static_cast<size_t>(design_.fieldCount()), QString());
    for (int col = 1; table_ && col < design_.fieldCount(); ++col) {
        if (table_->contains(label.row, col))
            made.captions[static_cast<size_t>(col)] = table_->cell(label.row, col);
    }
    made.texts.reserve(texts_.size());
    for (int index = 0; index < design_.textItemCount(); ++index)
        made.texts.push_back(textItemText(index, label));
    if (feedsBarcode()) {
        BarCodeCtrl barcode = design_.barcode();
        barcode.setValue(barcodeText(label));
        barcode.setVisible(true);
        made.barcode = std::move(barcode);
    }
    return made;
}

} // namespace tagloom
