// A spreadsheet number format and the text it shows for a number or a text cell.
#include "NumberFormat.h"

#include "CellTextFormatter.h"
#include "DecimalDigits.h"
#include "SerialDateTime.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tagloom {

namespace {

// Excel takes no longer codes; the limit also bounds the text each cell can be given.
constexpr qsizetype longestCode = 255;

// The sections of a code, split at the semicolons outside quotes, brackets and escapes.
std::vector<QStringView> splitSections(QStringView code)
{
    std::vector<QStringView> sections;
    qsizetype start = 0;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"') {
            const qsizetype end = code.indexOf(u'"', i + 1);
            i = end < 0 ? code.size() : end;
        } else if (c == u'[') {
            const qsizetype end = code.indexOf(u']', i + 1);
            i = end < 0 ? code.size() : end;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u';') {
            sections.push_back(code.mid(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(code.mid(start));
    return sections;
}

// How many times c repeats from i on, in any letter case.
qsizetype runLength(QStringView code, qsizetype i)
{
    const QChar c = code[i].toLower();
    qsizetype end = i;
    while (end < code.size() && code[end].toLower() == c)
        ++end;
    return end - i;
}

const std::array<const char *, 12> englishMonths = {"January", "February", "March", "April", "May",
    "June", "July", "August", "September", "October", "November", "December"};
const std::array<const char *, 7> englishDays
    = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const std::array<const char16_t *, 12> chineseMonths = {u"一月", u"二月", u"三月", u"四月", u"五月",
    u"六月", u"七月", u"八月", u"九月", u"十月", u"十一月", u"十二月"};
const QString chineseDays = QStringLiteral("日一二三四五六");

QString padded(qint64 value, int width)
{
    return QString::number(value).rightJustified(width, u'0');
}

// The built-in formats of Chinese (PRC) Excel, which it writes as ids without their codes.
constexpr const char16_t *yearMonth = u"yyyy\"年\"m\"月\"";
constexpr const char16_t *monthDay = u"m\"月\"d\"日\"";
constexpr const char16_t *morningMinutes = u"上午/下午h\"时\"mm\"分\"";
constexpr const char16_t *morningSeconds = u"上午/下午h\"时\"mm\"分\"ss\"秒\"";
constexpr std::pair<quint32, const char16_t *> builtIns[] = {{1, u"0"}, {2, u"0.00"}, {3, u"#,##0"},
    {4, u"#,##0.00"}, {9, u"0%"}, {10, u"0.00%"}, {11, u"0.00E+00"}, {12, u"# ?/?"},
    {13, u"# \?\?/\?\?"}, {14, u"yyyy/m/d"}, {15, u"d-mmm-yy"}, {16, u"d-mmm"}, {17, u"mmm-yy"},
    {18, u"h:mm AM/PM"}, {19, u"h:mm:ss AM/PM"}, {20, u"h:mm"}, {21, u"h:mm:ss"},
    {22, u"yyyy/m/d h:mm"}, {27, yearMonth}, {28, monthDay}, {29, monthDay}, {30, u"m-d-yy"},
    {31, u"yyyy\"年\"m\"月\"d\"日\""}, {32, u"h\"时\"mm\"分\""}, {33, u"h\"时\"mm\"分\"ss\"秒\""},
    {34, morningMinutes}, {35, morningSeconds}, {36, yearMonth}, {37, u"#,##0 ;(#,##0)"},
    {38, u"#,##0 ;[Red](#,##0)"}, {39, u"#,##0.00;(#,##0.00)"}, {40, u"#,##0.00;[Red](#,##0.00)"},
    {45, u"mm:ss"}, {46, u"[h]:mm:ss"},
    {47, u"mm:ss.0"}, // what Excel shows, though the standard writes mmss.0
    {48, u"##0.0E+0"}, {49, u"@"}, {50, yearMonth}, {51, monthDay}, {52, yearMonth}, {53, monthDay},
    {54, monthDay}, {55, morningMinutes}, {56, morningSeconds}, {57, yearMonth}, {58, monthDay}};

} // namespace

NumberFormat::NumberFormat(QStringView code)
{
    if (code.compare(u"General", Qt::CaseInsensitive) == 0 || code == u"G/通用格式") return;
    if (code.size() > longestCode) {
        renderable_ = false;
        return;
    }
    for (const QStringView sectionCode : splitSections(code)) {
        std::optional<Section> section = parseSection(sectionCode);
        if (!section) {
            renderable_ = false;
            sections_.clear();
            return;
        }
        sections_.push_back(std::move(*section));
    }
}

NumberFormat NumberFormat::builtIn(quint32 id)
{
    for (const auto &[builtInId, code] : builtIns) {
        if (builtInId == id) return NumberFormat(QStringView(code));
    }
    return NumberFormat();
}

bool NumberFormat::Condition::holds(double value) const
{
    switch (op) {
    case Less:
        return value < operand;
    case LessEqual:
        return value <= operand;
    case Greater:
        return value > operand;
    case GreaterEqual:
        return value >= operand;
    case Equal:
        return value == operand;
    case NotEqual:
        return value != operand;
    }
    return false;
}

bool NumberFormat::Condition::meansNegative() const
{
    return (op == Less || op == LessEqual) && operand == 0;
}

// Tokens in the order of the code; nullopt for what this program does not show.
std::optional<NumberFormat::Section> NumberFormat::parseSection(QStringView code)
{
    Section section;
    std::vector<Token> &tokens = section.tokens;
    const auto literal = [&tokens](QStringView text) {
        if (!tokens.empty() && tokens.back().kind == Kind::Literal)
            tokens.back().text += text;
        else
            tokens.push_back(Token(Kind::Literal, 0, text.toString()));
    };
    const auto lastPart = [&tokens] {
        for (auto t = tokens.rbegin(); t != tokens.rend(); ++t) {
            if (t->kind != Kind::Literal) return t->kind;
        }
        return Kind::Literal;
    };
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        const QStringView rest = code.mid(i);
        switch (c.toLower().unicode()) {
        case '"': {
            const qsizetype end = code.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? code.size() : end;
            literal(code.mid(i + 1, stop - i - 1));
            i = stop;
            continue;
        }
        case '\\':
            if (i + 1 < code.size()) literal(code.mid(++i, 1));
            continue;
        case '_': // room for a character, and a fill: no padding on a label
        case '*':
            ++i;
            continue;
        case '[': {
            const qsizetype end = code.indexOf(u']', i + 1);
            if (end < 0 || !readBracket(code.mid(i + 1, end - i - 1), section)) return std::nullopt;
            i = end;
            continue;
        }
        case '@':
            tokens.push_back(Token(Kind::Text));
            continue;
        case '0':
        case '#':
        case '?':
            tokens.push_back(Token::digitOf(c));
            continue;
        case '.': {
            const Kind last = lastPart();
            qsizetype zeros = 0;
            while (i + 1 + zeros < code.size() && code[i + 1 + zeros] == u'0')
                ++zeros;
            if ((last == Kind::Second || last == Kind::ElapsedSeconds) && zeros > 0) {
                tokens.push_back(Token(Kind::Subsecond, int(std::min<qsizetype>(zeros, 3))));
                i += zeros;
            } else {
                tokens.push_back(Token(Kind::Point));
            }
            continue;
        }
        case ',':
            tokens.push_back(Token(Kind::Comma));
            continue;
        case '%':
            section.powerShift += 2;
            literal(u"%");
            continue;
        case '/':
            tokens.push_back(Token(Kind::FractionSlash));
            continue;
        case 'e':
            if (i + 1 < code.size() && (code[i + 1] == u'+' || code[i + 1] == u'-')) {
                tokens.push_back(Token(Kind::Exponent, 0, code.mid(i, 2).toString()));
                ++i;
            } else { // the year, as Chinese Excel reads it
                tokens.push_back(Token(Kind::Year, 4));
                i += runLength(code, i) - 1;
            }
            continue;
        case 'y':
        case 'm':
        case 'd':
        case 'h':
        case 's': {
            const qsizetype run = runLength(code, i);
            const char16_t letter = c.toLower().unicode();
            Token token(Kind::Year);
            if (letter == u'y')
                token = Token(Kind::Year, run <= 2 ? 2 : 4);
            else if (letter == u'm')
                token = Token(Kind::Month, int(std::min<qsizetype>(run, 5)));
            else if (letter == u'd')
                token = Token(Kind::Day, int(std::min<qsizetype>(run, 4)));
            else if (letter == u'h')
                token = Token(Kind::Hour, int(std::min<qsizetype>(run, 2)));
            else
                token = Token(Kind::Second, int(std::min<qsizetype>(run, 2)));
            tokens.push_back(token);
            i += run - 1;
            continue;
        }
        case 'a':
            if (rest.startsWith(u"am/pm", Qt::CaseInsensitive)) {
                tokens.push_back(
                    Token(Kind::AmPm, 0, rest.left(2).toString(), rest.mid(3, 2).toString()));
                i += 4;
            } else if (rest.startsWith(u"a/p", Qt::CaseInsensitive)) {
                tokens.push_back(
                    Token(Kind::AmPm, 0, rest.left(1).toString(), rest.mid(2, 1).toString()));
                i += 2;
            } else if (runLength(code, i) >= 3) {
                const qsizetype run = runLength(code, i);
                tokens.push_back(Token(Kind::Weekday, run == 3 ? 3 : 4));
                i += run - 1;
            } else {
                return std::nullopt;
            }
            continue;
        case 'g':
            if (rest.startsWith(u"G/通用格式")) {
                tokens.push_back(Token(Kind::General));
                i += 5;
            } else if (rest.startsWith(u"general", Qt::CaseInsensitive)) {
                tokens.push_back(Token(Kind::General));
                i += 6;
            } else {
                return std::nullopt; // eras
            }
            continue;
        }
        if (rest.startsWith(u"上午/下午")) {
            tokens.push_back(Token(Kind::AmPm, 0, QStringLiteral("上午"), QStringLiteral("下午")));
            i += 4;
        } else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) {
            return std::nullopt; // Buddhist years, calendars, or a letter that needs quotes
        } else {
            literal(code.mid(i, 1));
        }
    }

    const auto has
        = [&tokens](auto test) { return std::any_of(tokens.begin(), tokens.end(), test); };
    const bool text = has([](const Token &t) { return t.kind == Kind::Text; });
    const bool date = has([](const Token &t) { return t.kind >= Kind::Year; });
    const bool number = has([](const Token &t) {
        return t.kind == Kind::Digit || t.kind == Kind::Exponent || t.kind == Kind::General;
    });
    if (int(text) + int(date) + int(number) > 1) return std::nullopt;
    if (text) {
        section.type = SectionType::Text;
        // The text goes in once: a cell's text is not repeated at will.
        if (std::count_if(
                tokens.begin(), tokens.end(), [](auto &t) { return t.kind == Kind::Text; })
            > 1)
            return std::nullopt;
    } else if (date) {
        section.type = SectionType::Date;
        if (!finishDate(section)) return std::nullopt;
    } else if (!finishNumber(section)) {
        return std::nullopt;
    }
    if (section.type == SectionType::Number) return section;
    // Outside numbers the number signs are text: "." and "," in yyyy.m.d, "/" in m/d.
    for (Token &token : tokens) {
        if (token.kind == Kind::Point)
            token = Token(Kind::Literal, 0, QStringLiteral("."));
        else if (token.kind == Kind::Comma)
            token = Token(Kind::Literal, 0, QStringLiteral(","));
        else if (token.kind == Kind::FractionSlash)
            token = Token(Kind::Literal, 0, QStringLiteral("/"));
    }
    return section;
}

// [Red], [Color 10], [红色], [>100], [$¥-804], [h]; false for what this program does not show
// ([DBNum1] Chinese numerals, a calendar or a numeral system of another locale).
bool NumberFormat::readBracket(QStringView content, Section &section)
{
    static const QStringList colours = {QStringLiteral("black"), QStringLiteral("blue"),
        QStringLiteral("cyan"), QStringLiteral("green"), QStringLiteral("magenta"),
        QStringLiteral("red"), QStringLiteral("white"), QStringLiteral("yellow"),
        QStringLiteral("黑色"), QStringLiteral("蓝色"), QStringLiteral("青色"),
        QStringLiteral("绿色"), QStringLiteral("洋红"), QStringLiteral("红色"),
        QStringLiteral("白色"), QStringLiteral("黄色")};
    if (content.isEmpty()) return false;
    const QString lower = content.toString().toLower();
    if (colours.contains(lower)) return true;
    for (const QStringView colour : {QStringView(u"color"), QStringView(u"颜色")}) {
        if (lower.startsWith(colour)) {
            bool ok = false;
            (void)QStringView(lower).mid(colour.size()).trimmed().toInt(&ok);
            return ok;
        }
    }
    const QChar first = lower[0];
    if (first == u'h' || first == u'm' || first == u's') {
        if (runLength(lower, 0) != lower.size()) return false;
        const Kind kind = first == u'h' ? Kind::ElapsedHours
            : first == u'm'             ? Kind::ElapsedMinutes
                                        : Kind::ElapsedSeconds;
        section.tokens.push_back(Token(kind, int(lower.size())));
        return true;
    }
    if (first == u'$') {
        const qsizetype dash = content.indexOf(u'-');
        if (dash < 0) {
            section.tokens.push_back(Token(Kind::Literal, 0, content.mid(1).toString()));
            return true;
        }
        if (dash > 1)
            section.tokens.push_back(Token(Kind::Literal, 0, content.mid(1, dash - 1).toString()));
        bool ok = false;
        const uint locale = content.mid(dash + 1).toUInt(&ok, 16);
        // Beyond the language: another calendar or numeral system; F800 and F400 stand for the
        // system's own long date and time, which are not in the code.
        if (!ok || locale > 0xFFFF || locale == 0xF800 || locale == 0xF400) return false;
        section.chineseNames = (locale & 0x3FF) == 0x04;
        return true;
    }
    if (first == u'<' || first == u'>' || first == u'=') {
        static const std::array<std::pair<const char16_t *, Condition::Op>, 6> ops = {{
            {u"<=", Condition::LessEqual},
            {u">=", Condition::GreaterEqual},
            {u"<>", Condition::NotEqual},
            {u"<", Condition::Less},
            {u">", Condition::Greater},
            {u"=", Condition::Equal},
        }};
        for (const auto &[sign, op] : ops) {
            const QStringView signView(sign);
            if (!content.startsWith(signView)) continue;
            bool ok = false;
            const double operand = content.mid(signView.size()).trimmed().toDouble(&ok);
            if (!ok || section.condition) return false;
            section.condition = Condition {op, operand};
            return true;
        }
    }
    return false;
}

// m and mm after an hour or before a second are minutes, otherwise months; no number signs.
bool NumberFormat::finishDate(Section &section)
{
    std::vector<Token> &tokens = section.tokens;
    const auto neighbour = [&tokens](std::size_t i, int step) {
        for (auto j = qsizetype(i) + step; j >= 0 && j < qsizetype(tokens.size()); j += step) {
            if (tokens[std::size_t(j)].kind != Kind::Literal) return tokens[std::size_t(j)].kind;
        }
        return Kind::Literal;
    };
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        Token &token = tokens[i];
        if (token.kind == Kind::Digit || token.kind == Kind::General) return false;
        if (token.kind != Kind::Month || token.width > 2) continue;
        const Kind before = neighbour(i, -1);
        const Kind after = neighbour(i, 1);
        if (before == Kind::Hour || before == Kind::ElapsedHours || after == Kind::Second
            || after == Kind::ElapsedSeconds)
            token.kind = Kind::Minute;
    }
    return true;
}

// Commas between digits group thousands, commas after the last digit divide by 1,000; a slash
// between digits makes a fraction.
bool NumberFormat::finishNumber(Section &section)
{
    std::vector<Token> &tokens = section.tokens;
    bool afterPoint = false;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Kind kind = tokens[i].kind;
        if (kind == Kind::Point || kind == Kind::Exponent) afterPoint = true;
        if (kind == Kind::FractionSlash) {
            const bool digitBefore = i > 0 && tokens[i - 1].kind == Kind::Digit;
            const bool digitAfter = i + 1 < tokens.size() && tokens[i + 1].kind == Kind::Digit;
            if (digitBefore && !digitAfter) tokens[i].width = fixedDenominator(tokens, i + 1);
            if (!digitBefore || (!digitAfter && tokens[i].width == 0))
                tokens[i] = Token(Kind::Literal, 0, QStringLiteral("/"));
            continue;
        }
        if (kind != Kind::Comma) continue;
        std::size_t next = i;
        while (next < tokens.size() && tokens[next].kind == Kind::Comma)
            ++next;
        const bool digitBefore = i > 0 && tokens[i - 1].kind == Kind::Digit;
        const bool digitAfter = next < tokens.size() && tokens[next].kind == Kind::Digit;
        if (digitBefore && digitAfter && !afterPoint) {
            section.grouping = true;
        } else if (digitBefore) {
            section.powerShift -= 3 * int(next - i);
        } else {
            i = next - 1;
            continue; // text
        }
        tokens.erase(tokens.begin() + qsizetype(i), tokens.begin() + qsizetype(next));
        --i;
    }
    return true;
}

// The denominator written after a slash (# ?/8, ?/100): its literal digits and 0 placeholders,
// taken out of the tokens; 0 when there is none.
int NumberFormat::fixedDenominator(std::vector<Token> &tokens, std::size_t at)
{
    QString digits;
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    while (at < tokens.size() && digits.size() < 9) {
        Token &token = tokens[at];
        if (token.kind == Kind::Digit && token.digit == u'0' && !digits.isEmpty()) {
            digits += u'0';
        } else if (token.kind == Kind::Literal && !token.text.isEmpty() && isDigit(token.text[0])
            && (token.text[0] != u'0' || !digits.isEmpty())) {
            qsizetype count = 0;
            while (count < token.text.size() && isDigit(token.text[count]) && digits.size() < 9)
                digits += token.text[count++];
            token.text.remove(0, count);
            if (!token.text.isEmpty()) break;
        } else {
            break;
        }
        tokens.erase(tokens.begin() + qsizetype(at));
    }
    return digits.toInt();
}

std::optional<QString> NumberFormat::number(double value, bool dates1904) const
{
    if (!renderable_ || !std::isfinite(value)) return std::nullopt;
    bool withSign = false;
    const Section *section = sectionFor(value, &withSign);
    if (!section) return std::nullopt;
    if (section->type == SectionType::Date) {
        // A spreadsheet has no text for a date before its epoch (it shows ####).
        if (value < 0) return std::nullopt;
        return renderDate(*section, value, dates1904);
    }
    bool zero = false;
    const std::optional<QString> text = renderNumber(*section, std::fabs(value), &zero);
    // A negative number rounded to nothing shows no sign: -0.001 with two decimals is 0.00.
    if (text && withSign && !zero) return u'-' + *text;
    return text;
}

std::optional<QString> NumberFormat::text(const QString &text) const
{
    if (!renderable_) return std::nullopt;
    const Section *section = nullptr;
    if (sections_.size() >= 4) {
        section = &sections_[3];
    } else {
        for (const Section &candidate : sections_) {
            if (candidate.type == SectionType::Text) section = &candidate;
        }
    }
    if (!section || section->type == SectionType::Date) return std::nullopt;
    QString shown;
    for (const Token &token : section->tokens) {
        if (token.kind == Kind::Text)
            shown += text;
        else if (token.kind == Kind::Literal)
            shown += token.text;
        else
            return std::nullopt; // a number's section in the place of the text's
    }
    return shown;
}

// Without conditions: one section for all, or positive (and zero); negative; zero. With them, the
// first section whose condition holds, the third for the rest. Only the first section writes a
// minus sign, and not where its condition is [<0]: as LibreOffice shows them.
const NumberFormat::Section *NumberFormat::sectionFor(double value, bool *withSign) const
{
    std::vector<const Section *> numbers;
    for (std::size_t i = 0; i < sections_.size() && i < 3; ++i) {
        if (sections_[i].type != SectionType::Text) numbers.push_back(&sections_[i]);
    }
    if (numbers.empty()) return nullptr;
    const std::optional<Condition> &first = numbers[0]->condition;
    const bool conditional = first || (numbers.size() > 1 && numbers[1]->condition);
    std::size_t chosen = 0;
    if (!conditional) {
        if (numbers.size() > 1 && value < 0)
            chosen = 1;
        else if (numbers.size() > 2 && value == 0)
            chosen = 2;
    } else if (first ? !first->holds(value) : !(value >= 0)) {
        const std::optional<Condition> &second
            = numbers.size() > 1 ? numbers[1]->condition : std::nullopt;
        if (numbers.size() == 1) return nullptr; // a spreadsheet shows ####
        chosen = numbers.size() == 2 || (second ? second->holds(value) : value < 0) ? 1 : 2;
    }
    *withSign = chosen == 0 && value < 0 && !(first && first->meansNegative());
    return numbers[chosen];
}

namespace {

// The best fraction for x whose denominator is at most maxDenominator, from its continued
// fraction; {numerator, denominator}.
std::pair<qint64, qint64> closestFraction(double x, qint64 maxDenominator)
{
    qint64 h0 = 0, h1 = 1, k0 = 1, k1 = 0;
    double rest = x;
    for (int step = 0; step < 64; ++step) {
        const auto a = qint64(std::floor(rest));
        const qint64 h2 = a * h1 + h0;
        const qint64 k2 = a * k1 + k0;
        if (k2 > maxDenominator) {
            // The best semiconvergent below the limit may beat the last convergent.
            const qint64 t = (maxDenominator - k0) / k1;
            const qint64 hs = h0 + t * h1;
            const qint64 ks = k0 + t * k1;
            if (std::fabs(x - double(hs) / double(ks)) < std::fabs(x - double(h1) / double(k1)))
                return {hs, ks};
            break;
        }
        h0 = h1, h1 = h2, k0 = k1, k1 = k2;
        const double fraction = rest - double(a);
        if (fraction < 1e-12) break;
        rest = 1 / fraction;
    }
    return {h1, k1};
}

// Digits spread over placeholders from the right, the extra ones at the first placeholder: 0
// pads with a zero, ? with a space, # with nothing; thousands separated when grouping.
class IntegerPlaces
{
public:
    IntegerPlaces(std::string digits, int placeholders, bool grouping)
        : digits_(std::move(digits))
        , placeholders_(placeholders)
        , grouping_(grouping)
    {
    }

    void put(QChar placeholder, QString &out)
    {
        const int length = int(digits_.size());
        const int position = placeholders_ - 1 - next_++; // from the right
        if (position == placeholders_ - 1) {
            for (int i = 0; i < length - placeholders_; ++i)
                digit(digits_[std::size_t(i)], length - 1 - i, out);
        }
        if (position < length)
            digit(digits_[std::size_t(length - 1 - position)], position, out);
        else if (placeholder == u'0')
            digit('0', position, out);
        else if (placeholder == u'?')
            out += u' ';
    }

private:
    void digit(char d, int position, QString &out) const
    {
        out += QLatin1Char(d);
        if (grouping_ && position > 0 && position % 3 == 0) out += u',';
    }

    std::string digits_;
    int placeholders_;
    bool grouping_;
    int next_ = 0;
};

} // namespace

std::optional<QString> NumberFormat::renderNumber(
    const Section &section, double magnitude, bool *zero)
{
    const std::vector<Token> &tokens = section.tokens;
    const auto slash = std::find_if(
        tokens.begin(), tokens.end(), [](const Token &t) { return t.kind == Kind::FractionSlash; });
    if (slash != tokens.end()) return renderFraction(section, magnitude, zero);

    // The placeholders before the point, after it and in the exponent.
    QString integer, fraction;
    int exponentZeros = 0;
    const Token *exponentToken = nullptr;
    bool afterPoint = false;
    for (const Token &token : tokens) {
        if (token.kind == Kind::Point)
            afterPoint = true;
        else if (token.kind == Kind::Exponent)
            exponentToken = &token;
        else if (token.kind == Kind::Digit && exponentToken)
            exponentZeros += token.digit == u'0';
        else if (token.kind == Kind::Digit)
            (afterPoint ? fraction : integer) += token.digit;
    }
    const DecimalDigits digits = DecimalDigits(magnitude).shifted(section.powerShift);
    const int decimals = int(fraction.size());
    auto [whole, fractionDigits] = digits.fixed(decimals);
    int exponent = 0;
    if (exponentToken) {
        // ##0.0E+0 steps the exponent by the integer places (engineering notation); 0.00E+00
        // and 00.0E+0 keep that many integer digits.
        const int places = std::max(int(integer.size()), 1);
        const bool engineering = integer.size() > 1 && integer.contains(u'#');
        const int step = engineering ? places : 1;
        if (!digits.isZero()) {
            const int power = digits.leadingPower();
            exponent
                = engineering ? int(std::floor(double(power) / step)) * step : power - (places - 1);
        }
        std::tie(whole, fractionDigits) = digits.shifted(-exponent).fixed(decimals);
        if (int(whole.size()) > places) { // rounded up to the next power: 9.99 to 10.0
            exponent += step;
            std::tie(whole, fractionDigits) = digits.shifted(-exponent).fixed(decimals);
        }
    }
    // A section without digits ("零", "abc") shows no number, and so no sign either.
    const auto has = [&tokens](Kind kind) {
        return std::any_of(
            tokens.begin(), tokens.end(), [kind](const Token &t) { return t.kind == kind; });
    };
    if (has(Kind::General))
        *zero = magnitude == 0;
    else
        *zero = !has(Kind::Digit)
            || (whole.empty() && fractionDigits.find_first_not_of('0') == std::string::npos);

    // Trailing zeros under # and ? show as nothing and as a space.
    std::vector<QString> fractionOut(fraction.size());
    bool significant = false;
    for (int j = decimals - 1; j >= 0; --j) {
        const char d = fractionDigits[std::size_t(j)];
        if (!significant && d == '0' && fraction[j] != u'0') {
            fractionOut[std::size_t(j)] = fraction[j] == u'?' ? QStringLiteral(" ") : QString();
        } else {
            significant = true;
            fractionOut[std::size_t(j)] = QLatin1Char(d);
        }
    }
    // 1 shown with #.## is 1, without a point of its own.
    const bool showPoint = decimals == 0
        || std::any_of(
            fractionOut.begin(), fractionOut.end(), [](auto &s) { return !s.isEmpty(); });

    QString out;
    IntegerPlaces places(whole, int(integer.size()), section.grouping);
    afterPoint = false;
    bool inExponent = false;
    int fractionIndex = 0;
    for (const Token &token : tokens) {
        switch (token.kind) {
        case Kind::Literal:
            out += token.text;
            break;
        case Kind::General:
            out += CellTextFormatter::number(magnitude);
            break;
        case Kind::Point:
            if (integer.isEmpty() && !afterPoint) // .00 still shows 12.50
                IntegerPlaces(whole, 1, section.grouping).put(u'#', out);
            afterPoint = true;
            if (showPoint) out += u'.';
            break;
        case Kind::Exponent:
            inExponent = true;
            out += token.text[0];
            if (exponent < 0)
                out += u'-';
            else if (token.text[1] == u'+')
                out += u'+';
            out += QString::number(std::abs(exponent)).rightJustified(exponentZeros, u'0');
            break;
        case Kind::Digit:
            if (inExponent) break;
            if (afterPoint)
                out += fractionOut[std::size_t(fractionIndex++)];
            else
                places.put(token.digit, out);
            break;
        default:
            break;
        }
    }
    return out;
}

// # ?/?, # ??/??, ?/8, 0 ?/100: a whole part where the format has one, then the fraction.
std::optional<QString> NumberFormat::renderFraction(
    const Section &section, double magnitude, bool *zero)
{
    const std::vector<Token> &tokens = section.tokens;
    const auto slash = std::find_if(
        tokens.begin(), tokens.end(), [](const Token &t) { return t.kind == Kind::FractionSlash; });
    // The numerator is the run of placeholders just before the slash, the whole part those before.
    auto numeratorStart = slash;
    while (numeratorStart != tokens.begin() && (numeratorStart - 1)->kind == Kind::Digit)
        --numeratorStart;
    QString integer, numerator, denominator;
    for (auto t = tokens.begin(); t != tokens.end(); ++t) {
        if (t->kind != Kind::Digit) continue;
        (t < numeratorStart ? integer : t < slash ? numerator : denominator) += t->digit;
    }
    if (magnitude >= 1e15 || denominator.size() > 9) return std::nullopt;
    const bool hasWhole = !integer.isEmpty();
    double whole = hasWhole ? std::floor(magnitude) : 0;
    const double rest = magnitude - whole;
    qint64 maxDenominator = 1;
    for (qsizetype i = 0; i < denominator.size(); ++i)
        maxDenominator *= 10;
    auto [top, bottom] = slash->width > 0
        ? std::pair<qint64, qint64>(std::llround(rest * slash->width), slash->width)
        : closestFraction(rest, maxDenominator - 1);
    if (hasWhole && top == bottom) {
        whole += 1;
        top = 0;
    }
    *zero = whole == 0 && top == 0;
    const bool blankFraction = hasWhole && top == 0;
    const std::string wholeDigits = whole > 0 ? DecimalDigits(whole).fixed(0).first : std::string();
    IntegerPlaces wholePlaces(*zero ? "0" : wholeDigits, int(integer.size()), section.grouping);
    IntegerPlaces numeratorPlaces(std::to_string(top), int(numerator.size()), false);
    const QString bottomText = QString::number(bottom);
    QString out;
    int denominatorIndex = 0;
    for (auto t = tokens.begin(); t != tokens.end(); ++t) {
        if (t->kind == Kind::Literal) {
            out += t->text;
        } else if (t->kind == Kind::FractionSlash) {
            out += blankFraction ? u' ' : u'/';
            if (t->width > 0 && !blankFraction) out += bottomText;
            if (t->width > 0 && blankFraction) out += QString(bottomText.size(), u' ');
        } else if (t->kind != Kind::Digit) {
            continue;
        } else if (t < numeratorStart) {
            wholePlaces.put(t->digit, out);
        } else if (blankFraction) {
            out += u' ';
        } else if (t < slash) {
            numeratorPlaces.put(t->digit, out);
        } else {
            // The denominator reads from the left; its empty places are padded as placeholders.
            if (denominatorIndex == 0) out += bottomText;
            if (denominatorIndex++ >= bottomText.size())
                out += t->digit == u'?' ? QStringLiteral(" ")
                    : t->digit == u'0'  ? QStringLiteral("0")
                                        : QString();
        }
    }
    return out;
}

std::optional<QString> NumberFormat::renderDate(
    const Section &section, double value, bool dates1904)
{
    int decimals = 0;
    bool twelveHours = false;
    for (const Token &token : section.tokens) {
        if (token.kind == Kind::Subsecond) decimals = std::max(decimals, token.width);
        if (token.kind == Kind::AmPm) twelveHours = true;
    }
    const std::optional<SerialDateTime> t = SerialDateTime::from(value, dates1904, decimals);
    if (!t) return std::nullopt;
    const bool chinese = section.chineseNames;
    const qint64 hours = t->days * 24 + t->hour;
    QString out;
    for (const Token &token : section.tokens) {
        const int width = token.width;
        switch (token.kind) {
        case Kind::Literal:
            out += token.text;
            break;
        case Kind::Year:
            out += width == 2 ? padded(t->year % 100, 2) : padded(t->year, 4);
            break;
        case Kind::Month:
            if (width <= 2)
                out += padded(t->month, width);
            else if (chinese)
                out += width == 3 ? QString::number(t->month) + u'月'
                                  : QString::fromUtf16(chineseMonths[std::size_t(t->month - 1)])
                                        .left(width == 4 ? -1 : 1);
            else
                out += QLatin1String(englishMonths[std::size_t(t->month - 1)])
                           .left(width == 3     ? 3
                                   : width == 4 ? -1
                                                : 1);
            break;
        case Kind::Day:
            if (width <= 2)
                out += padded(t->day, width);
            else if (chinese)
                out += (width == 3 ? QString() : QStringLiteral("星期")) + chineseDays[t->weekday];
            else
                out += QLatin1String(englishDays[std::size_t(t->weekday)])
                           .left(width == 3 ? 3 : -1);
            break;
        case Kind::Weekday:
            out += (width == 3 ? QString() : QStringLiteral("星期")) + chineseDays[t->weekday];
            break;
        case Kind::Hour:
            out += padded(twelveHours ? (t->hour + 11) % 12 + 1 : t->hour, width);
            break;
        case Kind::Minute:
            out += padded(t->minute, width);
            break;
        case Kind::Second:
            out += padded(t->second, width);
            break;
        case Kind::Subsecond:
            out += u'.' + padded(t->subsecond, decimals).left(width);
            break;
        case Kind::AmPm:
            out += t->hour < 12 ? token.text : token.afternoon;
            break;
        case Kind::ElapsedHours:
            out += padded(hours, width);
            break;
        case Kind::ElapsedMinutes:
            out += padded(hours * 60 + t->minute, width);
            break;
        case Kind::ElapsedSeconds:
            out += padded((hours * 60 + t->minute) * 60 + t->second, width);
            break;
        default:
            break;
        }
    }
    return out;
}

} // namespace tagloom
