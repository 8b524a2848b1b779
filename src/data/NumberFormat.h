// A spreadsheet number format ("¥#,##0.00", "0.00;[Red](0.00);\"零\"", "yyyy\"年\"m\"月\"d\"日\"",
// "[h]:mm:ss") and the text it shows for a number or a text cell, as a Chinese (PRC) Excel shows
// it; Excel's built-in formats by their ids.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace tagloom {

class NumberFormat
{
public:
    NumberFormat() = default; // General
    explicit NumberFormat(QStringView code);
    // A built-in format id as Chinese (PRC) Excel shows it; General for an id without one.
    static NumberFormat builtIn(quint32 id);

    // The text shown for value in a workbook of the given date system; nullopt where the value
    // keeps the text it has without a format: General, @, and what this program cannot show
    // (Chinese numerals, a date outside the calendar, a format longer than Excel allows, ...).
    std::optional<QString> number(double value, bool dates1904) const;
    // The text shown for a text cell; nullopt when the format leaves it as it is.
    std::optional<QString> text(const QString &text) const;

private:
    enum class Kind : quint8 {
        Literal,
        Digit, // 0, # or ?
        Point,
        Comma,
        Exponent, // E+, E-, e+, e-
        General,
        Text, // @
        FractionSlash,
        Year,
        Month,
        Day,
        Weekday, // aaa, aaaa: the Chinese day of the week
        Hour,
        Minute,
        Second,
        Subsecond,
        AmPm,
        ElapsedHours,
        ElapsedMinutes,
        ElapsedSeconds,
    };

    struct Token
    {
        explicit Token(Kind k, int w = 0, QString t = {}, QString pm = {})
            : kind(k)
            , width(w)
            , text(std::move(t))
            , afternoon(std::move(pm))
        {
        }
        static Token digitOf(QChar placeholder)
        {
            Token token(Kind::Digit);
            token.digit = placeholder;
            return token;
        }

        Kind kind;
        int width = 0; // letters of a date part (yyyy: 4), digits of a fixed denominator
        QChar digit; // the placeholder of a Digit
        QString text; // a Literal's text, the morning mark of AmPm, E+ of an Exponent
        QString afternoon; // the afternoon mark of AmPm
    };

    struct Condition
    {
        enum Op { Less, LessEqual, Greater, GreaterEqual, Equal, NotEqual } op;
        double operand;
        bool holds(double value) const;
        bool meansNegative() const; // [<0], [<=0]: the section shows negatives without a sign
    };

    enum class SectionType { Number, Date, Text };

    struct Section
    {
        std::vector<Token> tokens;
        std::optional<Condition> condition;
        SectionType type = SectionType::Number;
        bool chineseNames = false; // [$-804]: month and day names in Chinese
        int powerShift = 0; // 2 per %, -3 per comma after the last digit
        bool grouping = false; // a comma between digits: thousands separators
    };

    static std::optional<Section> parseSection(QStringView code);
    static bool readBracket(QStringView content, Section &section);
    static bool finishDate(Section &section);
    static bool finishNumber(Section &section);
    static int fixedDenominator(std::vector<Token> &tokens, std::size_t at);
    // zero: whether the number shows as nothing but zeros, and so without a minus sign.
    static std::optional<QString> renderNumber(
        const Section &section, double magnitude, bool *zero);
    static std::optional<QString> renderFraction(
        const Section &section, double magnitude, bool *zero);
    static std::optional<QString> renderDate(const Section &section, double value, bool dates1904);
    // The section that shows value, and whether the value shows with its minus sign.
    const Section *sectionFor(double value, bool *withSign) const;

    std::vector<Section> sections_; // empty: General
    bool renderable_ = true;
};

} // namespace tagloom
