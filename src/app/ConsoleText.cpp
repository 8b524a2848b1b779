// Writing the command line's text and errors.
#include "ConsoleText.h"

namespace tagloom {

namespace {

QString escaped(const QString &text)
{
    QString line;
    line.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code == u'\n')
            line += QLatin1String("\\n");
        else if (code == u'\r')
            line += QLatin1String("\\r");
        else if (code == u'\t')
            line += QLatin1String("\\t");
        else if (code < 0x20 || (code >= 0x7F && code < 0xA0))
            line += QStringLiteral("\\x%1").arg(int(code), 2, 16, QLatin1Char('0'));
        else
            line += c;
    }
    return line;
}

QtMessageHandler qtHandler = nullptr;

void criticalOnly(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) qtHandler(type, context, message);
}

} // namespace

void ConsoleText::write(FILE *stream, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stream);
    std::fflush(stream);
}

void ConsoleText::error(const QString &line)
{
    write(stderr, escaped(line) + QLatin1Char('\n'));
}

int ConsoleText::usageError(const QString &problem)
{
    // One line, as every error is, so that scripts can show it whole.
    error(QStringLiteral("tagloom: %1（用法见 tagloom --help）").arg(problem));
    return exitUsage;
}

void ConsoleText::keepQtNotesOff()
{
    qtHandler = qInstallMessageHandler(criticalOnly);
}

} // namespace tagloom
