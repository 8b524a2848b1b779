// A design that puts every record of a layout file to use, saved and loaded through the main
// window, and the values a load restores in the order it restores them.
#pragma once

#include "support/TestProgram.h"

#include <functional>

namespace tagloom::test {

// One number a load restores: where it stands in the file and how to read it from a program.
struct RestoredValue
{
    QString name;
    int line = 0; // from 1
    int field = 0; // from 1, after the keyword
    std::function<float(TestProgram &)> read;
};

class DesignScenario
{
public:
    // Puts label.bmp and data.xls (three columns, two rows) into the folder.
    explicit DesignScenario(const QString &folder);

    const QString &picture() const { return picture_; }
    const QString &workbook() const { return workbook_; }

    // Picture, data and field items; items at distinct places and font sizes, each with a face
    // (one with commas and Chinese, one with "%"), effects and a colour of its own, item 2
    // hidden; the QR code inserted with geometry of its own, level H, and hidden, the barcode
    // inserted with geometry of its own as a Code 39; both sources chosen.
    void build(TestProgram &program) const;

    // Command8 to `path`, answering its message; the file's bytes.
    static QByteArray save(TestProgram &program, const QString &path);
    // Command9 on `path`, a changed design not saved first.
    static void load(TestProgram &program, const QString &path);

    // The numbers a load restores from a data table of `columns` columns, in the order of loading.
    // An item that does not exist reads as the template, where it would stand.
    static QList<RestoredValue> restoredValues(int columns);
    static QList<float> read(TestProgram &program, const QList<RestoredValue> &values);

    // Everything of the design, one attribute after the other, as text.
    static QString describeDesign(TestProgram &program);
    // Everything a load can change: the design, the main panel, the data table and the windows.
    static QString describe(TestProgram &program);

    // Byte offsets [first, second) of field `field` of line `line` (both from 1; field 0 is the
    // keyword) in the bytes of a file; both at the end of the bytes when it is not there.
    static std::pair<qsizetype, qsizetype> span(const QByteArray &file, int line, int field);

private:
    QString picture_;
    QString workbook_;
};

} // namespace tagloom::test
