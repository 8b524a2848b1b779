// A label page at a printer's own dots: drawn on a picture of the printer's resolution and read
// off as rows of dots, one bit each, the first dot in the top bit, 1 for a dot the head burns.
// Each dot burns where the drawing is darker than half grey; the label picture comes dithered.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPainter>

namespace tagloom {

class DotPage
{
public:
    DotPage(const QSize &dots, int dotsPerInch);

    // A white page; the painter's user space is the page's dots.
    QPainter &begin();
    // Ends the drawing and reads the dots off.
    void end();

    QSize size() const { return picture_.size(); }
    int dotsPerInch() const { return dotsPerInch_; }
    int bytesPerRow() const { return (picture_.width() + 7) / 8; }
    // Row y of the ended page; the bits after the last dot are 0.
    const char *row(int y) const { return dots_.constData() + qsizetype(y) * bytesPerRow(); }
    const QByteArray &rows() const { return dots_; }

private:
    int dotsPerInch_;
    QImage picture_;
    QPainter painter_;
    QByteArray dots_;
};

} // namespace tagloom
