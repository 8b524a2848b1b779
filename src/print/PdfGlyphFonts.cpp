// Type 3 fonts of glyph outlines.
#include "PdfGlyphFonts.h"

#include "PdfObjectWriter.h"

#include <QPainterPath>

namespace tagloom {

namespace {

// A face as fontconfig tells faces apart; the size is not part of it.
QString faceKey(const QRawFont &font)
{
    return font.familyName() + QChar(0) + font.styleName() + QChar(0)
        + QString::number(font.weight()) + QChar(0) + QString::number(int(font.style()));
}

QByteArray hexCode(uint value, int digits)
{
    return QByteArray::number(value, 16).rightJustified(digits, '0').toUpper();
}

// The text a glyph stands for, as UTF-16 in hexadecimal.
QByteArray utf16Hex(char32_t character)
{
    QByteArray out;
    const QString text = QString::fromUcs4(&character, 1);
    for (const QChar unit : text)
        out += hexCode(unit.unicode(), 4);
    return out;
}

} // namespace

PdfGlyphFonts::PdfGlyphFonts(PdfObjectWriter &objects)
    : objects_(objects)
{
}

int PdfGlyphFonts::face(const QRawFont &font)
{
    const QString key = faceKey(font);
    const auto known = faceNumbers_.constFind(key);
    if (known != faceNumbers_.constEnd()) return *known;
    Face face;
    face.outlines = font;
    face.outlines.setPixelSize(unitsPerEm);
    faces_.push_back(std::move(face));
    const int number = int(faces_.size() - 1);
    faceNumbers_.insert(key, number);
    return number;
}

PdfGlyphFonts::Code PdfGlyphFonts::code(
    int face, quint32 glyph, const std::function<char32_t()> &character)
{
    const quint64 key = quint64(face) << 32 | glyph;
    const auto known = codes_.constFind(key);
    if (known != codes_.constEnd()) return *known;
    Face &owner = faces_[size_t(face)];
    if (owner.openFont < 0 || fonts_[size_t(owner.openFont)].glyphs.size() == 256) {
        fonts_.push_back({face, objects_.reserve(), {}});
        owner.openFont = int(fonts_.size() - 1);
    }
    Font &font = fonts_[size_t(owner.openFont)];
    const QList<QPointF> advances = owner.outlines.advancesForGlyphIndexes(QList<quint32> {glyph});
    const Code code {
        font.object, uchar(font.glyphs.size()), advances.isEmpty() ? 0 : float(advances[0].x())};
    font.glyphs.push_back({glyph, character()});
    codes_.insert(key, code);
    return code;
}

void PdfGlyphFonts::write()
{
    for (const Font &font : fonts_)
        writeFont(font);
}

void PdfGlyphFonts::writeFont(const Font &font)
{
    const QRawFont &outlines = faces_[size_t(font.face)].outlines;
    QList<quint32> indexes;
    for (const Glyph &glyph : font.glyphs)
        indexes.append(glyph.index);
    const QList<QPointF> advances = outlines.advancesForGlyphIndexes(indexes);

    QByteArray procedures;
    QByteArray names;
    QByteArray widths;
    QByteArray unicode;
    QRectF box;
    for (size_t g = 0; g < font.glyphs.size(); ++g) {
        const QPainterPath path = outlines.pathForGlyph(font.glyphs[g].index);
        const QRectF bounds = path.boundingRect();
        box = box.united(bounds);
        QByteArray procedure;
        appendPdfNumber(procedure, advances.value(qsizetype(g)).x(), 1);
        procedure += " 0 ";
        for (const double edge : {bounds.left(), -bounds.bottom(), bounds.right(), -bounds.top()}) {
            appendPdfNumber(procedure, edge, 1);
            procedure += ' ';
        }
        // d1: the glyph is a shape filled with the text's colour; its outline in glyph space, y up.
        procedure += "d1\n";
        appendPdfPath(procedure, path, -1, 1);
        if (!path.isEmpty()) procedure += "f\n";
        const QByteArray name = "/g" + QByteArray::number(qulonglong(g));
        procedures
            += name + ' ' + QByteArray::number(objects_.writeStream({}, procedure)) + " 0 R ";
        names += name + ' ';
        appendPdfNumber(widths, advances.value(qsizetype(g)).x(), 1);
        widths += ' ';
        if (font.glyphs[g].character != 0)
            unicode
                += '<' + hexCode(uint(g), 2) + "> <" + utf16Hex(font.glyphs[g].character) + ">\n";
    }
    const int toUnicode = objects_.writeStream({},
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
        "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
        "1 begincodespacerange\n<00> <FF>\nendcodespacerange\n"
            + QByteArray::number(unicode.count('\n')) + " beginbfchar\n" + unicode
            + "endbfchar\nendcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n");
    QByteArray bbox;
    for (const double edge : {box.left(), -box.bottom(), box.right(), -box.top()}) {
        appendPdfNumber(bbox, edge, 1);
        bbox += ' ';
    }
    objects_.write("<< /Type /Font /Subtype /Type3 /FontBBox [" + bbox.trimmed()
            + "] /FontMatrix [0.001 0 0 0.001 0 0] /CharProcs << " + procedures
            + ">> /Encoding << /Type /Encoding /Differences [0 " + names
            + "] >> /FirstChar 0 /LastChar "
            + QByteArray::number(qulonglong(font.glyphs.size() - 1)) + " /Widths [" + widths
            + "] /Resources << >> /ToUnicode " + QByteArray::number(toUnicode) + " 0 R >>",
        font.object);
}

} // namespace tagloom
