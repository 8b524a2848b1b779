// The sample workbooks of tests/fixtures/xls and tests/fixtures/xls-extra.
#include "SampleWorkbooks.h"

#include "support/Fixtures.h"

#include <QDir>

namespace tagloom::test {

QStringList sampleWorkbooks()
{
    QStringList paths;
    for (const char *folder : {"xls", "xls-extra"}) {
        const QDir dir(fixture(QLatin1String(folder)));
        for (const QString &name :
            dir.entryList({QStringLiteral("*.xls")}, QDir::Files, QDir::Name))
            paths << dir.filePath(name);
    }
    return paths;
}

} // namespace tagloom::test
