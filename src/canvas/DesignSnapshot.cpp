// Capturing a design's items and bringing a design from one capture to another.
#include "DesignSnapshot.h"

namespace tagloom {

namespace {

void changeField(LabelDesign &design, int index, const FieldItem &from, const FieldItem &to)
{
    if (from.caption != to.caption) design.setFieldCaption(index, to.caption);
    if (from.left != to.left || from.top != to.top) design.moveField(index, to.left, to.top);
    if (from.font != to.font) design.setFieldFont(index, to.font);
    if (from.foreColor != to.foreColor) design.setFieldForeColor(index, to.foreColor);
    if (from.visible != to.visible) design.setFieldVisible(index, to.visible);
}

} // namespace

DesignSnapshot DesignSnapshot::of(const LabelDesign &design)
{
    DesignSnapshot snapshot;
    snapshot.fields.reserve(static_cast<size_t>(design.fieldCount()));
    for (int index = 0; index < design.fieldCount(); ++index)
        snapshot.fields.push_back(design.field(index));
    snapshot.codeImage = design.codeImage();
    snapshot.qrLevel = design.qrLevel();
    snapshot.holder = design.barcodeHolder();
    snapshot.barcode = design.barcodeGeometry();
    snapshot.barcodeType = design.barcodeType();
    snapshot.physicalSize = design.physicalSize();
    return snapshot;
}

void DesignSnapshot::change(
    LabelDesign &design, const DesignSnapshot &from, const DesignSnapshot &to)
{
    const int common = static_cast<int>(std::min(from.fields.size(), to.fields.size()));
    design.unloadFieldsFrom(static_cast<int>(to.fields.size()));
    for (int index = 0; index < common; ++index)
        changeField(design, index, from.fields[index], to.fields[index]);
    for (int index = common; index < static_cast<int>(to.fields.size()); ++index) {
        design.loadField(index);
        const FieldItem created = design.field(index); // a copy: changing the item changes it
        changeField(design, index, created, to.fields[index]);
    }

    // The level first: it may put the generator's picture at the new level into the image, which
    // the picture taken back below then leaves as the capture has it.
    if (from.qrLevel != to.qrLevel) design.setQrLevel(to.qrLevel);
    const CodeImageItem &image = to.codeImage;
    if (from.codeImage.geometry != image.geometry) design.setCodeImageGeometry(image.geometry);
    if (from.codeImage.picture != image.picture) design.setCodeImagePicture(image.picture);
    if (from.codeImage.visible != image.visible) design.setCodeImageVisible(image.visible);
    if (from.holder.geometry != to.holder.geometry)
        design.setBarcodeHolderGeometry(to.holder.geometry);
    if (from.holder.visible != to.holder.visible) design.setBarcodeHolderVisible(to.holder.visible);
    if (from.barcode != to.barcode) design.setBarcodeGeometry(to.barcode);
    if (from.barcodeType != to.barcodeType) design.setBarcodeType(to.barcodeType);
    if (from.physicalSize != to.physicalSize) design.setPhysicalSize(to.physicalSize);
}

} // namespace tagloom
