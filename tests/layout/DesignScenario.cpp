// The layout design scenario: building it, saving and loading it, and reading back its values.
#include "DesignScenario.h"

#include "canvas/LabelDesign.h"
#include "data/DataTable.h"
#include "support/DesignText.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

namespace tagloom::test {

DesignScenario::DesignScenario(const QString &folder)
    : picture_(QDir(folder).filePath(QStringLiteral("label.bmp")))
    , workbook_(QDir(folder).filePath(QStringLiteral("data.xls")))
{
    if (!QFile::copy(fixture(QStringLiteral("pictures/label_300x200.bmp")), picture_)
        || !writeWorkbook(
            workbook_, {{"SKU", "名称", "网址"}, {"A-1", "茶杯", "u1"}, {"B-2", "碗", "u2"}}))
        qFatal("cannot prepare the design's files in %s", qPrintable(folder));
}

void DesignScenario::build(TestProgram &program) const
{
    program.dialogs.answerOpen(picture_);
    program.click("Command1");
    program.dialogs.answerOpen(workbook_);
    program.click("Command2");
    program.dialogs.answerMessage();
    program.click("Command3");

    LabelDesign &design = program.workspace.canvas();
    const struct
    {
        Twips top, left;
        LabelFont font;
        QColor color;
    } items[] = {
        {300, 2000, {"DejaVu Serif", 10, true, false, false, false}, QColor(0xc0, 0, 0)},
        {615.5F, -120, {"文泉驿 微米黑, 等宽", 9.75F, false, true, true, false},
            QColor(0, 0x80, 1)},
        {1260, 3600, {"100% Sans,%2C", 10.5F, true, true, false, true}, QColor(0x12, 0x34, 0xfe)},
    };
    for (int index = 1; index <= 3; ++index) {
        design.moveField(index, items[index - 1].left, items[index - 1].top);
        design.setFieldFont(index, items[index - 1].font);
        design.setFieldForeColor(index, items[index - 1].color);
    }
    design.setFieldVisible(2, false);
    program.click("Command4");
    design.setCodeImageGeometry({2880, 480, 1125, 1200});
    program.click("Command10"); // the QR code stays inserted, hidden
    program.click("Command5");
    design.setBarcodeHolderGeometry({240, 2520, 4335, 975});
    program.panel().chooser(MainPanel::QrSource).setListIndex(2);
    program.panel().chooser(MainPanel::BarcodeSource).setListIndex(0); // SKU: Code 39 takes it
    design.setBarcodeType(BarcodeType::Code39);
    design.setQrLevel(QrLevel::H);
    design.setPhysicalSize(QSizeF(80, 55) * (twipsPerInch / 25.4)); // printed a little larger
}

QByteArray DesignScenario::save(TestProgram &program, const QString &path)
{
    program.dialogs.answerSave(path);
    program.dialogs.answerMessage();
    program.click("Command8");
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void DesignScenario::load(TestProgram &program, const QString &path)
{
    if (program.workspace.history().designChanged())
        program.dialogs.answerMessage(MessageAnswer::Discard);
    program.dialogs.answerOpen(path);
    program.click("Command9");
}

QList<RestoredValue> DesignScenario::restoredValues(int columns)
{
    QList<RestoredValue> values;
    for (int j = 1; j < columns; ++j) {
        const auto item = [j](TestProgram &program) -> const FieldItem & {
            const LabelDesign &design = program.workspace.canvas();
            return design.field(j < design.fieldCount() ? j : 0);
        };
        values.append({QStringLiteral("Label1(%1).Top").arg(j), j + 2, 1,
            [item](TestProgram &p) { return item(p).top; }});
        values.append({QStringLiteral("Label1(%1).Left").arg(j), j + 2, 2,
            [item](TestProgram &p) { return item(p).left; }});
        values.append({QStringLiteral("Label1(%1).FontSize").arg(j), j + 2, 3,
            [item](TestProgram &p) { return item(p).font.pointSize; }});
    }
    const auto addGeometry = [&values](const QString &name, int line,
                                 const std::function<TwipsRect(TestProgram &)> &rect) {
        const std::pair<const char *, Twips TwipsRect::*> parts[]
            = {{".Top", &TwipsRect::top}, {".Left", &TwipsRect::left},
                {".Width", &TwipsRect::width}, {".Height", &TwipsRect::height}};
        int field = 1;
        for (const auto &[suffix, member] : parts)
            values.append({name + QLatin1String(suffix), line, field++,
                [rect, member](TestProgram &p) { return rect(p).*member; }});
    };
    addGeometry(QStringLiteral("Image1"), columns + 2,
        [](TestProgram &p) { return p.workspace.canvas().codeImage().geometry; });
    addGeometry(QStringLiteral("Picture2"), columns + 3,
        [](TestProgram &p) { return p.workspace.canvas().barcodeHolder().geometry; });
    for (auto source : {MainPanel::QrSource, MainPanel::BarcodeSource}) {
        values.append({QStringLiteral("Combo1(%1).ListIndex").arg(source), columns + 4 + source, 1,
            [source](TestProgram &p) { return float(p.panel().chooser(source).listIndex()); }});
    }
    return values;
}

QList<float> DesignScenario::read(TestProgram &program, const QList<RestoredValue> &values)
{
    QList<float> numbers;
    for (const RestoredValue &value : values)
        numbers.append(value.read(program));
    return numbers;
}

QString DesignScenario::describeDesign(TestProgram &program)
{
    return program.workspace.hasCanvas() ? test::describe(program.workspace.canvas())
                                         : QStringLiteral("no canvas");
}

QString DesignScenario::describe(TestProgram &program)
{
    const MainPanel &panel = program.panel();
    QStringList parts {describeDesign(program), "Text1 " + panel.labelPicturePath(),
        "Text2 " + panel.dataFilePath(),
        QStringLiteral("Text3 %1 to %2")
            .arg(panel.rangeText(MainPanel::FirstRow), panel.rangeText(MainPanel::LastRow))};
    for (auto source : {MainPanel::QrSource, MainPanel::BarcodeSource}) {
        const SourceChooser &chooser = panel.chooser(source);
        parts << QStringLiteral("Combo1(%1) %2 of [%3]")
                     .arg(source)
                     .arg(chooser.listIndex())
                     .arg(chooser.items().join('|'));
    }
    parts << QStringLiteral("Command3 %1").arg(panel.generateEnabled() ? "enabled" : "disabled");
    if (program.workspace.hasDataTable()) {
        const DataTable &table = program.workspace.dataTable();
        parts << QStringLiteral("table %1 × %2").arg(table.rows()).arg(table.cols());
    }
    parts << QStringLiteral("windows: canvas %1, data %2, docking %3")
                 .arg(program.forms.hasForm2() && program.forms.form2()->isVisible())
                 .arg(program.forms.hasForm3() && program.forms.form3()->isVisible())
                 .arg(program.form1().findChild<QTimer *>("Timer1")->isActive());
    return parts.join('\n');
}

std::pair<qsizetype, qsizetype> DesignScenario::span(const QByteArray &file, int line, int field)
{
    qsizetype start = 0;
    for (int n = 1; n < line && start < file.size(); ++n) {
        const qsizetype end = file.indexOf('\n', start);
        start = end < 0 ? file.size() : end + 1;
    }
    qsizetype lineEnd = file.indexOf("\r\n", start);
    if (lineEnd < 0) lineEnd = file.size();
    for (int k = 0; k < field; ++k) {
        const qsizetype comma = file.indexOf(',', start);
        if (comma < 0 || comma >= lineEnd) return {file.size(), file.size()};
        start = comma + 1;
    }
    const qsizetype comma = file.indexOf(',', start);
    return {start, comma >= 0 && comma < lineEnd ? comma : lineEnd};
}

} // namespace tagloom::test
