// The layout design scenario: building it, saving and loading it, and reading back its values.
#include "DesignScenario.h"

#include "canvas/LabelDesign.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <QTest>

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
        float fontSize;
    } items[] = {{300, 2000, 10}, {615.5F, -120, 9.75F}, {1260, 3600, 10.5F}};
    for (int index = 1; index <= 3; ++index) {
        design.moveField(index, items[index - 1].left, items[index - 1].top);
        LabelFont font = design.field(index).font;
        font.pointSize = items[index - 1].fontSize;
        design.setFieldFont(index, font);
    }
    design.setFieldVisible(2, false);
    program.click("Command4");
    design.setCodeImageGeometry({2880, 480, 1125, 1200});
    program.click("Command5");
    design.setBarcodeHolderGeometry({240, 2520, 4335, 975});
    program.panel().chooser(MainPanel::QrSource).setListIndex(2);
    program.panel().chooser(MainPanel::BarcodeSource).setListIndex(1);
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
