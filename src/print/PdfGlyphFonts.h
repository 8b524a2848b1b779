// The fonts of a PDF document: every glyph drawn is written once, as its outline, into a Type 3
// font of up to 256 glyphs. Any outline font prints so, TrueType or not, whole collections among
// them, and a page names only one byte a glyph; a map to Unicode keeps the text searchable.
#pragma once

#include <QHash>
#include <QRawFont>
#include <functional>
#include <vector>

namespace tagloom {

class PdfObjectWriter;

class PdfGlyphFonts
{
public:
    explicit PdfGlyphFonts(PdfObjectWriter &objects);

    struct Code
    {
        int font; // the Type 3 font's object
        uchar code; // the glyph's byte in it
        float advance; // in glyph space
    };
    // Glyph space is a thousandth of the font size.
    static constexpr double unitsPerEm = 1000;

    // The face of `font`, as a number for `code`.
    int face(const QRawFont &font);
    // Where glyph `glyph` of face `face` is; `character` gives the text it stands for, asked only
    // the first time the glyph is drawn.
    Code code(int face, quint32 glyph, const std::function<char32_t()> &character);
    // Writes every font; called once, after the last page.
    void write();

private:
    struct Glyph
    {
        quint32 index;
        char32_t character;
    };
    struct Font
    {
        int face;
        int object;
        std::vector<Glyph> glyphs;
    };
    struct Face
    {
        QRawFont outlines; // at unitsPerEm pixels
        int openFont = -1; // index in fonts_ of the font that still takes glyphs
    };

    void writeFont(const Font &font);

    PdfObjectWriter &objects_;
    QHash<QString, int> faceNumbers_;
    std::vector<Face> faces_;
    std::vector<Font> fonts_;
    QHash<quint64, Code> codes_; // by face << 32 | glyph
};

} // namespace tagloom
