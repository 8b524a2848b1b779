// Writing and reading the layout file's extension block.
#include "LayoutExtension.h"

#include "app/MainPanel.h"
#include "canvas/DesignLimits.h"
#include "canvas/DesignSnapshot.h"
#include "canvas/NumberText.h"
#include "canvas/QuotedText.h"
#include "canvas/Twips.h"

#include <algorithm>
#include <iterator>

namespace tagloom {

namespace {

const QString firstLine = QStringLiteral("[Tagloom 1]");
const QString lastLine = QStringLiteral("[Tagloom end]");
const QString fieldKeyword = QStringLiteral("label1(");
const QString textItemKeyword = QStringLiteral("text(");
const QString codeImageKeyword = QStringLiteral("Image1");
const QString holderKeyword = QStringLiteral("Picture2");
const QString labelKeyword = QStringLiteral("Picture1");
const QString printKeyword = QStringLiteral("Print");
const QLatin1StringView widthName("width");
const QLatin1StringView heightName("height");
const QLatin1StringView printsPictureName("print");
const QLatin1StringView quantityColumnName("quantityColumn");
// Far more text items than a label holds: a block cannot make more.
constexpr int mostTextItems = 1000;
// A label of up to two metres: far beyond any printer's media.
constexpr double largestMillimetres = 2000;

bool escapes(QChar c)
{
    return c == QLatin1Char('%') || c == QLatin1Char(',') || c.unicode() < 0x20
        || c.unicode() == 0x7f;
}

QString escaped(const QString &value)
{
    QString text;
    for (const QChar c : value) {
        if (escapes(c))
            text += QStringLiteral("%%1").arg(uint(c.unicode()), 2, 16, QLatin1Char('0')).toUpper();
        else
            text += c;
    }
    return text;
}

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (isDigit(c)) return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

std::optional<QString> unescaped(const QString &text)
{
    QString value;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('%')) {
            value += text[i];
            continue;
        }
        const int high = i + 1 < text.size() ? hexDigit(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? hexDigit(text[i + 2]) : -1;
        if (high < 0 || low < 0) return std::nullopt;
        value += QChar(char16_t(high * 16 + low));
        i += 2;
    }
    return value;
}

QString flagText(bool flag)
{
    return flag ? QStringLiteral("1") : QStringLiteral("0");
}

std::optional<bool> flagValue(const QString &text)
{
    if (text == QLatin1String("1")) return true;
    if (text == QLatin1String("0")) return false;
    return std::nullopt;
}

// One attribute of an item in the block: its name, its value's text, and the value taken back
// from a text (false, changing nothing, when the text is no value of it).
template<class Item> struct Attribute
{
    QLatin1StringView name;
    QString (*text)(const Item &item);
    bool (*read)(Item &item, const QString &text);
    // Whether the entry is written; none: always. An entry left out reads as the item's default.
    bool (*written)(const Item &item) = nullptr;
};

template<bool LabelFont::*flag> QString fontFlagText(const FieldItem &item)
{
    return flagText(item.font.*flag);
}

template<bool LabelFont::*flag> bool readFontFlag(FieldItem &item, const QString &text)
{
    const std::optional<bool> value = flagValue(text);
    if (value) item.font.*flag = *value;
    return value.has_value();
}

const Attribute<FieldItem> fieldAttributes[] = {
    {QLatin1StringView("font"), [](const FieldItem &item) { return item.font.family; },
        [](FieldItem &item, const QString &text) {
            item.font.family = text;
            return true;
        }},
    {QLatin1StringView("bold"), &fontFlagText<&LabelFont::bold>, &readFontFlag<&LabelFont::bold>},
    {QLatin1StringView("italic"), &fontFlagText<&LabelFont::italic>,
        &readFontFlag<&LabelFont::italic>},
    {QLatin1StringView("underline"), &fontFlagText<&LabelFont::underline>,
        &readFontFlag<&LabelFont::underline>},
    {QLatin1StringView("strikeout"), &fontFlagText<&LabelFont::strikeout>,
        &readFontFlag<&LabelFont::strikeout>},
    {QLatin1StringView("color"),
        [](const FieldItem &item) { return item.foreColor.name(QColor::HexRgb); },
        [](FieldItem &item, const QString &text) {
            // Only the form written here: QColor would also take names and other forms.
            const bool form = text.size() == 7 && text.front() == QLatin1Char('#')
                && std::all_of(
                    std::next(text.begin()), text.end(), [](QChar c) { return hexDigit(c) >= 0; });
            if (form) item.foreColor = QColor::fromString(text);
            return form;
        }},
    {QLatin1StringView("hidden"), [](const FieldItem &item) { return flagText(!item.visible); },
        [](FieldItem &item, const QString &text) {
            const std::optional<bool> hidden = flagValue(text);
            if (hidden) item.visible = !*hidden;
            return hidden.has_value();
        }},
};

// A number the positional lines would take for the same value: twips and points.
template<class Item, float Item::*member>
bool readNumber(Item &item, const QString &text, float lowest, float highest)
{
    const std::optional<float> value = NumberText::toSingle(text);
    if (!value || !(*value >= lowest && *value <= highest)) return false;
    item.*member = *value;
    return true;
}

bool boxSet(const FieldItem &item)
{
    return item.box.isSet();
}

const QLatin1StringView shrinkName("shrink");
const QLatin1StringView wrapName("wrap");

// The width a field or text item was given, and how its text fits it; written only when given.
const Attribute<FieldItem> boxAttributes[] = {
    {QLatin1StringView("width"),
        [](const FieldItem &item) { return NumberText::fromSingle(item.box.width); },
        [](FieldItem &item, const QString &text) {
            return readNumber<TextBox, &TextBox::width>(
                item.box, text, 0, DesignLimits::largestSize);
        },
        &boxSet},
    {QLatin1StringView("fit"),
        [](const FieldItem &item) {
            return QString(item.box.fit == TextBox::Fit::Shrink ? shrinkName : wrapName);
        },
        [](FieldItem &item, const QString &text) {
            if (text != shrinkName && text != wrapName) return false;
            item.box.fit = text == shrinkName ? TextBox::Fit::Shrink : TextBox::Fit::Wrap;
            return true;
        },
        &boxSet},
    {QLatin1StringView("smallest"),
        [](const FieldItem &item) { return NumberText::fromSingle(item.box.smallestPointSize); },
        [](FieldItem &item, const QString &text) {
            return readNumber<TextBox, &TextBox::smallestPointSize>(
                item.box, text, DesignLimits::smallestFontSize, DesignLimits::largestFontSize);
        },
        &boxSet},
};

// What a text item has beyond a field item's attributes: its text with fields, place and size.
const Attribute<FieldItem> textItemAttributes[] = {
    {QLatin1StringView("text"), [](const FieldItem &item) { return item.caption; },
        [](FieldItem &item, const QString &text) {
            item.caption = text;
            return true;
        }},
    {QLatin1StringView("left"),
        [](const FieldItem &item) { return NumberText::fromSingle(item.left); },
        [](FieldItem &item, const QString &text) {
            return readNumber<FieldItem, &FieldItem::left>(
                item, text, -DesignLimits::largestPosition, DesignLimits::largestPosition);
        }},
    {QLatin1StringView("top"),
        [](const FieldItem &item) { return NumberText::fromSingle(item.top); },
        [](FieldItem &item, const QString &text) {
            return readNumber<FieldItem, &FieldItem::top>(
                item, text, -DesignLimits::largestPosition, DesignLimits::largestPosition);
        }},
    {QLatin1StringView("size"),
        [](const FieldItem &item) { return NumberText::fromSingle(item.font.pointSize); },
        [](FieldItem &item, const QString &text) {
            return readNumber<LabelFont, &LabelFont::pointSize>(
                item.font, text, DesignLimits::smallestFontSize, DesignLimits::largestFontSize);
        }},
};

// A code's text with fields, written only when it has one.
template<class Item>
const Attribute<Item> templateAttribute
    = {QLatin1StringView("template"), [](const Item &item) { return item.textTemplate; },
        [](Item &item, const QString &text) {
            item.textTemplate = text;
            return true;
        },
        [](const Item &item) { return !item.textTemplate.isEmpty(); }};

const Attribute<BarcodeHolderItem> holderAttributes[] = {templateAttribute<BarcodeHolderItem>};

const Attribute<CodeImageItem> codeImageAttributes[] = {
    {QLatin1StringView("visible"),
        [](const CodeImageItem &image) { return flagText(image.visible); },
        [](CodeImageItem &image, const QString &text) {
            const std::optional<bool> visible = flagValue(text);
            if (visible) image.visible = *visible;
            return visible.has_value();
        }},
    templateAttribute<CodeImageItem>,
};

// The QR code's level and the barcode's type, written with the items a person chooses them on.
const Attribute<DesignSnapshot> qrCodeAttributes[] = {
    {QLatin1StringView("level"),
        [](const DesignSnapshot &design) { return qrLevelName(design.qrLevel); },
        [](DesignSnapshot &design, const QString &text) {
            const std::optional<QrLevel> level = qrLevelFromName(text);
            if (level) design.qrLevel = *level;
            return level.has_value();
        }},
};

const Attribute<DesignSnapshot> barcodeAttributes[] = {
    {QLatin1StringView("type"),
        [](const DesignSnapshot &design) { return barcodeTypeKeyword(design.barcodeType); },
        [](DesignSnapshot &design, const QString &text) {
            const std::optional<BarcodeType> type = barcodeTypeFromKeyword(text);
            if (type) design.barcodeType = *type;
            return type.has_value();
        }},
};

template<class Item, size_t count>
void writeAttributes(QStringList &lines, const QString &key, const Item &item,
    const Attribute<Item> (&attributes)[count])
{
    for (const Attribute<Item> &attribute : attributes) {
        if (!attribute.written || attribute.written(item))
            lines.append(key + QLatin1Char('.') + attribute.name + QLatin1Char('=')
                + escaped(attribute.text(item)));
    }
}

// Whether the entry's value was taken; an attribute this reader does not know is taken as it is
// skipped.
template<class Item, size_t count, class... More>
bool readAttribute(Item &item, QStringView name, const QString &value,
    const Attribute<Item> (&attributes)[count], const More &...more)
{
    for (const Attribute<Item> &attribute : attributes) {
        if (name == attribute.name) return attribute.read(item, value);
    }
    if constexpr (sizeof...(more) > 0) return readAttribute(item, name, value, more...);
    return true;
}

// The index of a key's item part "label1(i)" or "text(i)", by its keyword; nothing for another
// item, and -1 for an index too large to be one.
std::optional<int> itemIndex(QStringView item, const QString &keyword)
{
    if (!item.startsWith(keyword) || !item.endsWith(QLatin1Char(')'))) return std::nullopt;
    const QStringView digits = item.sliced(keyword.size()).chopped(1);
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), &isDigit))
        return std::nullopt;
    bool ok = false;
    const int index = digits.toInt(&ok);
    return ok ? index : -1;
}

// One side of the label's physical size, in millimetres; false when the text is none. The other
// side stays unset (-1) until its entry comes.
bool readLabelSide(DesignSnapshot &design, QStringView side, const QString &text)
{
    if (side == printsPictureName) {
        const std::optional<bool> prints = flagValue(text);
        if (prints) design.printsPicture = *prints;
        return prints.has_value();
    }
    if (side != widthName && side != heightName) return true;
    bool ok = false;
    const double millimetres = text.toDouble(&ok);
    if (!ok || !(millimetres > 0 && millimetres <= largestMillimetres)) return false;
    QSizeF size = design.physicalSize.value_or(QSizeF(-1, -1));
    (side == widthName ? size.rwidth() : size.rheight()) = millimetres * twipsPerMillimetre;
    design.physicalSize = size;
    return true;
}

// A text item of the block, made when its first entry comes; the items come in order.
FieldItem *textItem(DesignSnapshot &design, int index)
{
    if (index < 1 || index > std::min(int(design.textItems.size()) + 1, mostTextItems))
        return nullptr;
    if (index > int(design.textItems.size()))
        design.textItems.push_back(LabelDesign::newTextItem());
    return &design.textItems[static_cast<size_t>(index - 1)];
}

// The design as far as only a block says otherwise: no text items, no texts with fields for the
// codes, the codes' first level and type, the label picture printed, no physical size of the
// label.
void withoutBlock(DesignSnapshot &design)
{
    const DesignSnapshot fresh;
    design.textItems.clear();
    design.codeImage.textTemplate.clear();
    design.holder.textTemplate.clear();
    design.qrLevel = fresh.qrLevel;
    design.barcodeType = fresh.barcodeType;
    design.printsPicture = true;
    design.physicalSize.reset();
}

// Takes one entry into the design's items or the print choices; false when it cannot be used:
// no "=", a value that is no value of its attribute, or a field item the design does not have.
bool readEntry(DesignSnapshot &design, QString &quantityColumn, const QString &line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0) return false;
    const std::optional<QString> value = unescaped(line.sliced(equals + 1));
    if (!value) return false;
    const QStringView key = QStringView(line).first(equals);
    const qsizetype dot = key.indexOf(QLatin1Char('.'));
    if (dot < 0) return true; // no item of this reader's
    const QStringView item = key.first(dot);
    const QStringView attribute = key.sliced(dot + 1);
    if (item == codeImageKeyword)
        return readAttribute(design.codeImage, attribute, *value, codeImageAttributes)
            && readAttribute(design, attribute, *value, qrCodeAttributes);
    if (item == holderKeyword)
        return readAttribute(design.holder, attribute, *value, holderAttributes)
            && readAttribute(design, attribute, *value, barcodeAttributes);
    if (item == labelKeyword) return readLabelSide(design, attribute, *value);
    if (item == printKeyword) {
        if (attribute == quantityColumnName) quantityColumn = *value;
        return true;
    }
    if (const std::optional<int> index = itemIndex(item, textItemKeyword)) {
        FieldItem *text = textItem(design, *index);
        return text
            && readAttribute(
                *text, attribute, *value, textItemAttributes, fieldAttributes, boxAttributes);
    }
    const std::optional<int> index = itemIndex(item, fieldKeyword);
    if (!index) return true;
    if (*index < 1 || *index >= static_cast<int>(design.fields.size())) return false;
    return readAttribute(design.fields[static_cast<size_t>(*index)], attribute, *value,
        fieldAttributes, boxAttributes);
}

} // namespace

QStringList LayoutExtension::lines(const LabelDesign &design, const MainPanel &panel)
{
    QStringList lines {firstLine};
    for (int index = 1; index < design.fieldCount(); ++index) {
        const QString key = fieldKeyword + QString::number(index) + QLatin1Char(')');
        writeAttributes(lines, key, design.field(index), fieldAttributes);
        writeAttributes(lines, key, design.field(index), boxAttributes);
    }
    for (int index = 0; index < design.textItemCount(); ++index) {
        const QString key = textItemKeyword + QString::number(index + 1) + QLatin1Char(')');
        writeAttributes(lines, key, design.textItem(index), textItemAttributes);
        writeAttributes(lines, key, design.textItem(index), fieldAttributes);
        writeAttributes(lines, key, design.textItem(index), boxAttributes);
    }
    writeAttributes(lines, codeImageKeyword, design.codeImage(), codeImageAttributes);
    writeAttributes(lines, holderKeyword, design.barcodeHolder(), holderAttributes);
    if (const std::optional<QSizeF> &size = design.physicalSize()) {
        const auto millimetres
            = [](double twips) { return QString::number(twips / twipsPerMillimetre, 'f', 2); };
        lines.append(labelKeyword + QLatin1Char('.') + widthName + QLatin1Char('=')
            + millimetres(size->width()));
        lines.append(labelKeyword + QLatin1Char('.') + heightName + QLatin1Char('=')
            + millimetres(size->height()));
    }
    const DesignSnapshot codes = DesignSnapshot::of(design);
    writeAttributes(lines, codeImageKeyword, codes, qrCodeAttributes);
    writeAttributes(lines, holderKeyword, codes, barcodeAttributes);
    if (!design.printsPicture())
        lines.append(labelKeyword + QLatin1Char('.') + printsPictureName + QStringLiteral("=0"));
    if (!panel.quantityColumn().isEmpty())
        lines.append(printKeyword + QLatin1Char('.') + quantityColumnName + QLatin1Char('=')
            + escaped(panel.quantityColumn()));
    lines.append(lastLine);
    return lines;
}

int LayoutExtension::start(const QStringList &lines)
{
    const qsizetype index = lines.indexOf(firstLine);
    return static_cast<int>(index < 0 ? lines.size() : index) + 1;
}

void LayoutExtension::reset(LabelDesign &design, MainPanel &panel)
{
    const DesignSnapshot before = DesignSnapshot::of(design);
    DesignSnapshot after = before;
    withoutBlock(after);
    after.physicalSize = before.physicalSize; // the picture's, which a layout loads first
    DesignSnapshot::change(design, before, after);
    panel.setQuantityColumn({});
}

bool LayoutExtension::apply(
    LabelDesign &design, MainPanel &panel, const QStringList &lines, int first, QString *reason)
{
    if (first > lines.size() || lines.at(first - 1) != firstLine) return true;
    const auto fail = [reason](const QString &why) {
        if (reason)
            *reason = why + QStringLiteral("，字体、颜色、显示与否、标签尺寸和码制都没有恢复");
        return false;
    };
    // Read into a copy of the items, so that a damaged block changes nothing.
    const DesignSnapshot loaded = DesignSnapshot::of(design);
    DesignSnapshot designed = loaded;
    withoutBlock(designed); // only what the block says
    QString quantityColumn;
    for (int n = first + 1; n <= lines.size(); ++n) {
        const QString &line = lines.at(n - 1);
        if (line == lastLine) {
            const std::optional<QSizeF> &size = designed.physicalSize;
            if (size && (size->width() < 0 || size->height() < 0))
                return fail(QStringLiteral("标签尺寸只有宽或高"));
            DesignSnapshot::change(design, loaded, designed);
            panel.setQuantityColumn(quantityColumn);
            return true;
        }
        if (!readEntry(designed, quantityColumn, line))
            return fail(
                QStringLiteral("第 %1 行“%2”无法使用").arg(n).arg(QuotedText::shortened(line)));
    }
    return fail(QStringLiteral("布局文件在扩展部分的末行“%1”之前就结束了").arg(lastLine));
}

} // namespace tagloom
