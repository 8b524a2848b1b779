// The table command: the same import as the data file command, without windows.
#include "TableCommand.h"

#include "BatchDialogs.h"
#include "ConsoleText.h"
#include "Workspace.h"
#include "data/DataTableTsv.h"
#include "data/WorkbookImport.h"

#include <QCoreApplication>
#include <QFile>

namespace tagloom {

int TableCommand::run(int argc, char *argv[])
{
    ConsoleText::keepQtNotesOff();
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(2);
    const bool values = arguments.removeAll(QStringLiteral("--values")) > 0;
    if (arguments.size() != 1)
        return ConsoleText::usageError(QStringLiteral("table 需要且只需要一个数据文件"));
    const QString &path = arguments.first();

    BatchDialogs dialogs;
    Workspace workspace(dialogs);
    workspace.panel().setDataFilePath(path);
    QString reason;
    if (!WorkbookImport::run(workspace, &reason, values ? CellTexts::Values : CellTexts::Shown)) {
        ConsoleText::error(QStringLiteral("tagloom table: %1: %2").arg(path, reason));
        return exitFailure;
    }
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) || !DataTableTsv::write(workspace.dataTable(), out)
        || !out.flush()) {
        ConsoleText::error(QStringLiteral("tagloom table: 无法写出标准输出"));
        return exitFailure;
    }
    return exitOk;
}

} // namespace tagloom
