// The label design: everything the canvas window holds. The picture, the field items, the QR code
// image with its generator, and the barcode holder with its barcode. Plain state, no window needed:
// the canvas window shows it, the print run and the layout files read and write it.
#pragma once

#include "FieldItem.h"
#include "Twips.h"
#include "codes/BarCodeCtrl.h"
#include "codes/QrMaker.h"

#include <QImage>
#include <QObject>
#include <QSizeF>
#include <memory>
#include <optional>
#include <vector>

namespace tagloom {

using PictureRef = std::shared_ptr<const QImage>;

// The QR code image (Image1): stretches its picture to its own size.
struct CodeImageItem
{
    TwipsRect geometry {2760, 360, 1005, 1005};
    bool visible = true;
    PictureRef picture;

    friend bool operator==(const CodeImageItem &, const CodeImageItem &) = default;
};

// The barcode holder (Picture2): a grey box that clips the barcode inside it.
struct BarcodeHolderItem
{
    TwipsRect geometry {120, 2400, 4335, 975};
    bool visible = false;

    friend bool operator==(const BarcodeHolderItem &, const BarcodeHolderItem &) = default;
};

class LabelDesign : public QObject
{
    Q_OBJECT

public:
    // The design as the canvas window has it when it comes into existence.
    LabelDesign();

    static constexpr Twips initialWidth = 4335;
    static constexpr Twips initialHeight = 3855;

    // Picture1: the label picture and the drawing area that follows its size.
    const PictureRef &picture() const { return picture_; }
    void setPicture(PictureRef picture);
    Twips scaleWidth() const { return scaleWidth_; }
    Twips scaleHeight() const { return scaleHeight_; }

    // The label's physical size in twips, when the person set one: the whole label, picture and
    // items, prints scaled to it. Without one it prints at its ScaleWidth × ScaleHeight, 15 twips
    // a picture pixel. A new picture clears it.
    const std::optional<QSizeF> &physicalSize() const { return physicalSize_; }
    void setPhysicalSize(const std::optional<QSizeF> &size);
    QSizeF printedSize() const { return physicalSize_.value_or(QSizeF(scaleWidth_, scaleHeight_)); }

    // Label1: element 0 is the template, elements 1.. stand for data columns.
    int fieldCount() const { return static_cast<int>(fields_.size()); }
    const FieldItem &field(int index) const { return fields_.at(static_cast<size_t>(index)); }
    // Creates element `index` as a hidden copy of the template; false when it exists already.
    bool loadField(int index);
    // Keeps elements 0 .. count - 1 and removes the others. No command of the person's removes an
    // item; only taking back the generation of the items does.
    void unloadFieldsFrom(int count);
    void setFieldCaption(int index, const QString &caption);
    void moveField(int index, Twips left, Twips top);
    void setFieldFont(int index, const LabelFont &font);
    void setFieldForeColor(int index, const QColor &color);
    void setFieldVisible(int index, bool visible);

    // Image1.
    const CodeImageItem &codeImage() const { return codeImage_; }
    void setCodeImagePicture(PictureRef picture);
    void setCodeImageVisible(bool visible);
    void setCodeImageGeometry(const TwipsRect &geometry);
    // The QR code's error correction level, the generator's: changing it shows the generator's
    // code at the new level in Image1 when Image1 showed the generator's picture.
    QrLevel qrLevel() const { return qrMaker_.level(); }
    void setQrLevel(QrLevel level);

    // Picture2.
    const BarcodeHolderItem &barcodeHolder() const { return holder_; }
    void setBarcodeHolderVisible(bool visible);
    void setBarcodeHolderGeometry(const TwipsRect &geometry);

    // BarCodeCtrl1: its place inside the holder, its visibility, its type and the text it draws.
    const BarCodeCtrl &barcode() const { return barcode_; }
    TwipsRect barcodeGeometry() const { return barcode_.geometry(); }
    bool barcodeVisible() const { return barcode_.isVisible(); }
    BarcodeType barcodeType() const { return barcode_.type(); }
    void setBarcodeGeometry(const TwipsRect &geometry);
    void setBarcodeVisible(bool visible);
    void setBarcodeType(BarcodeType type);
    void setBarcodeValue(const QString &value);
    // The component on the label, and the strip of it that the holder shows, which its bars fill;
    // both in label twips.
    QRectF barcodeComponentRect() const;
    QRectF barcodeStrip() const;

    // QRmaker1, never shown: the QR code item shows its picture. Its level is set through
    // setQrLevel(), which keeps the item with it.
    QrMaker &qrMaker() { return qrMaker_; }
    const QrMaker &qrMaker() const { return qrMaker_; }

    // The QR code item counts as inserted while Image1 shows the generator's own picture object,
    // whether it is visible or not; the barcode item while its holder is visible.
    bool qrCodeInserted() const { return codeImage_.picture == qrMaker_.codePicture(); }
    bool barcodeInserted() const { return holder_.visible; }

signals:
    void pictureChanged();
    void physicalSizeChanged();
    void fieldAdded(int index);
    void fieldsUnloaded(int count); // the elements from `count` on are gone
    void fieldChanged(int index);
    void codeImageChanged();
    void barcodeChanged(); // the holder or the barcode inside it

private:
    FieldItem &mutableField(int index) { return fields_.at(static_cast<size_t>(index)); }

    PictureRef picture_;
    Twips scaleWidth_ = initialWidth;
    Twips scaleHeight_ = initialHeight;
    std::optional<QSizeF> physicalSize_;
    std::vector<FieldItem> fields_;
    CodeImageItem codeImage_;
    BarcodeHolderItem holder_;
    BarCodeCtrl barcode_;
    QrMaker qrMaker_;
};

} // namespace tagloom
