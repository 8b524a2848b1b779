// The label design: its initial items and the changes the windows and commands make to it.
#include "LabelDesign.h"

namespace tagloom {

LabelDesign::LabelDesign()
{
    FieldItem templateItem;
    templateItem.caption = QStringLiteral("Label1");
    templateItem.font = defaultLabelFont();
    fields_.push_back(templateItem);

    // What the canvas window does when it loads: the holder and the barcode get their working size.
    holder_.geometry.width = 5000;
    holder_.geometry.height = 1000;
    TwipsRect barcode = barcode_.geometry();
    barcode.width = 8000;
    barcode.height = 1000;
    barcode_.setGeometry(barcode);
}

void LabelDesign::setPicture(PictureRef picture)
{
    picture_ = std::move(picture);
    if (picture_) {
        scaleWidth_ = static_cast<Twips>(picture_->width() * twipsPerPicturePixel);
        scaleHeight_ = static_cast<Twips>(picture_->height() * twipsPerPicturePixel);
    }
    emit pictureChanged();
    setPhysicalSize(std::nullopt);
}

void LabelDesign::setPhysicalSize(const std::optional<QSizeF> &size)
{
    if (physicalSize_ == size) return;
    physicalSize_ = size;
    emit physicalSizeChanged();
}

bool LabelDesign::loadField(int index)
{
    if (index < fieldCount()) return false;
    Q_ASSERT(index == fieldCount()); // elements are only ever added at the end
    FieldItem item = fields_.front();
    item.index = index;
    item.visible = false;
    fields_.push_back(item);
    emit fieldAdded(index);
    return true;
}

void LabelDesign::unloadFieldsFrom(int count)
{
    Q_ASSERT(count >= 1); // the template stays
    if (count >= fieldCount()) return;
    fields_.resize(static_cast<size_t>(count));
    emit fieldsUnloaded(count);
}

void LabelDesign::setFieldCaption(int index, const QString &caption)
{
    FieldItem &item = mutableField(index);
    if (item.caption == caption) return;
    item.caption = caption;
    emit fieldChanged(index);
}

void LabelDesign::moveField(int index, Twips left, Twips top)
{
    FieldItem &item = mutableField(index);
    item.left = left;
    item.top = top;
    emit fieldChanged(index);
}

void LabelDesign::setFieldFont(int index, const LabelFont &font)
{
    mutableField(index).font = font;
    emit fieldChanged(index);
}

void LabelDesign::setFieldForeColor(int index, const QColor &color)
{
    mutableField(index).foreColor = color;
    emit fieldChanged(index);
}

void LabelDesign::setFieldVisible(int index, bool visible)
{
    mutableField(index).visible = visible;
    emit fieldChanged(index);
}

void LabelDesign::setCodeImagePicture(PictureRef picture)
{
    codeImage_.picture = std::move(picture);
    emit codeImageChanged();
}

void LabelDesign::setCodeImageVisible(bool visible)
{
    codeImage_.visible = visible;
    emit codeImageChanged();
}

void LabelDesign::setCodeImageGeometry(const TwipsRect &geometry)
{
    codeImage_.geometry = geometry;
    emit codeImageChanged();
}

void LabelDesign::setQrLevel(QrLevel level)
{
    if (level == qrMaker_.level()) return;
    const bool inserted = qrCodeInserted();
    qrMaker_.setLevel(level);
    if (inserted) codeImage_.picture = qrMaker_.codePicture();
    emit codeImageChanged();
}

void LabelDesign::setBarcodeHolderVisible(bool visible)
{
    holder_.visible = visible;
    emit barcodeChanged();
}

void LabelDesign::setBarcodeHolderGeometry(const TwipsRect &geometry)
{
    holder_.geometry = geometry;
    emit barcodeChanged();
}

void LabelDesign::setBarcodeGeometry(const TwipsRect &geometry)
{
    barcode_.setGeometry(geometry);
    emit barcodeChanged();
}

void LabelDesign::setBarcodeVisible(bool visible)
{
    barcode_.setVisible(visible);
    emit barcodeChanged();
}

void LabelDesign::setBarcodeType(BarcodeType type)
{
    barcode_.setType(type);
    emit barcodeChanged();
}

void LabelDesign::setBarcodeValue(const QString &value)
{
    barcode_.setValue(value);
    emit barcodeChanged();
}

QRectF LabelDesign::barcodeComponentRect() const
{
    return barcode_.geometry().toRectF().translated(holder_.geometry.left, holder_.geometry.top);
}

QRectF LabelDesign::barcodeStrip() const
{
    return barcodeComponentRect().intersected(holder_.geometry.toRectF());
}

} // namespace tagloom
