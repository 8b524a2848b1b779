#include "Fixtures.h"

#include <QDir>
#include <QtGlobal>

namespace tagloom::test {

static QString fromEnvironment(const char *name)
{
    const QString value = qEnvironmentVariable(name);
    if (value.isEmpty())
        qFatal("%s is not set: run the tests through ctest", name);
    return value;
}

QString fixture(const QString &relativePath)
{
    return QDir(fromEnvironment("TAGLOOM_FIXTURES")).filePath(relativePath);
}

QString sourceFile(const QString &relativePath)
{
    return QDir(fromEnvironment("TAGLOOM_SOURCE_DIR")).filePath(relativePath);
}

} // namespace tagloom::test
