// Writing the command line's text and errors.
#include "ConsoleText.h"

namespace tagloom {

void ConsoleText::write(FILE *stream, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stream);
    std::fflush(stream);
}

int ConsoleText::usageError(const QString &problem)
{
    // One line, as every error is, so that scripts can show it whole.
    write(stderr, QStringLiteral("tagloom: %1（用法见 tagloom --help）\n").arg(problem));
    return exitUsage;
}

} // namespace tagloom
