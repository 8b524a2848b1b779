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
    if (from.box != to.box) design.setFieldBox(index, to.box);
}

// Text items are changed whole; those only one side has are removed or inserted at the end.
void changeTextItems(
    LabelDesign &design, const std::vector<FieldItem> &from, const std::vector<FieldItem> &to)
{
    for (int index = design.textItemCount(); index > static_cast<int>(to.size()); --index)
        design.removeTextItem(index - 1);
    for (size_t index = 0; index < to.size(); ++index) {
        const int at = static_cast<int>(index);
        if (at >= design.textItemCount())
            design.addTextItem(to[index]);
        else if (index >= from.size() || from[index] != to[index])
            design.setTextItem(at, to[index]);
    }
}

} // namespace

DesignSnapshot DesignSnapshot::of(const LabelDesign &design)
{
    DesignSnapshot snapshot;
    snapshot.fields.reserve(static_cast<size_t>(design.fieldCount()));
    for (int index = 0; index < design.fieldCount(); ++index)
        snapshot.fields.push_back(design.field(index));
    for (int index = 0; index < design.textItemCount(); ++index)
        snapshot.textItems.push_back(design.textItem(index));
    snapshot.printsPicture = design.printsPicture();
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

    changeTextItems(design, from.textItems, to.textItems);
    if (from.printsPicture != to.printsPicture) design.setPrintsPicture(to.printsPicture);

    // The level first: it may put the generator's picture at the new level into the image, which
    // the picture taken back below then leaves as the capture has it.
    if (from.qrLevel != to.qrLevel) design.setQrLevel(to.qrLevel);
    const CodeImageItem &image = to.codeImage;
    if (from.codeImage.geometry != image.geometry) design.setCodeImageGeometry(image.geometry);
    if (from.codeImage.picture != image.picture) design.setCodeImagePicture(image.picture);
    if (from.codeImage.visible != image.visible) design.setCodeImageVisible(image.visible);
    if (from.codeImage.textTemplate != image.textTemplate)
        design.setCodeImageTemplate(image.textTemplate);
    if (from.holder.geometry != to.holder.geometry)
        design.setBarcodeHolderGeometry(to.holder.geometry);
    if (from.holder.textTemplate != to.holder.textTemplate)
        design.setBarcodeTemplate(to.holder.textTemplate);
    if (from.holder.visible != to.holder.visible) design.setBarcodeHolderVisible(to.holder.visible);
    if (from.barcode != to.barcode) design.setBarcodeGeometry(to.barcode);
    if (from.barcodeType != to.barcodeType) design.setBarcodeType(to.barcodeType);
    if (from.physicalSize != to.physicalSize) design.setPhysicalSize(to.physicalSize);
}

} // namespace tagloom
