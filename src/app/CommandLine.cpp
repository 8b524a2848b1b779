// Start-up: which command the arguments ask for, the help text, and the hand-over to the windows.
#include "CommandLine.h"

#include "ConsoleText.h"
#include "PrintCommand.h"
#include "TableCommand.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace tagloom {

namespace {

QString helpText()
{
    return QStringLiteral(
        "用法: tagloom [LAYOUT.ini]\n"
        "      tagloom table [--values] FILE\n"
        "      tagloom print LAYOUT.ini [--data FILE] [--picture FILE] [--from N] [--to M]\n"
        "                    [--copies N] [--quantity-column NAME]\n"
        "                    [--pdf OUT.pdf | --printer NAME [--offset X,Y] [--scale P]\n"
        "                    | --direct LANG:WHERE [--dpi N] [--gap MM] [--offset X,Y]\n"
        "                    [--scale P]]\n"
        "      tagloom --help | --version\n"
        "\n"
        "批量打印标签: 一张标签图片, 一个数据文件, 每行数据打印一张标签。\n"
        "数据文件: Excel 工作簿 (.xls, .xlsx) 或 OpenDocument 表格 (.ods) 的工作表 sheet1,\n"
        "或 CSV 文本 (.csv, .tsv, .txt, UTF-8、GB18030 或 Windows-1252)。\n"
        "\n"
        "命令:\n"
        "  (无)               打开程序窗口; 给出布局文件时先导入该布局\n"
        "  table FILE         把数据文件的数据表以制表符分隔的 UTF-8 文本写到标准输出,\n"
        "                     单元格按工作簿中显示的样子 (数字格式、日期格式)\n"
        "  print LAYOUT.ini   按布局文件打印标签, 每行数据一张, 不需要显示器\n"
        "\n"
        "table 的选项:\n"
        "      --values       数字写成数值本身 (最多 15 位有效数字, 日期写成 YYYY-MM-DD),\n"
        "                     不按数字格式显示\n"
        "\n"
        "print 的选项:\n"
        "      --data FILE    用这个数据文件代替布局中的数据文件 (布局文件不变);\n"
        "                     - 表示从标准输入读取 CSV 文本\n"
        "      --picture FILE 用这张图片代替布局中的标签图片\n"
        "      --from N       从第 N 行开始 (默认 1)\n"
        "      --to M         打印到第 M 行 (默认最后一行)\n"
        "      --copies N     每个标签打印 N 份, 一行的 N 份打完再打下一行 (默认 1)\n"
        "      --quantity-column NAME\n"
        "                     每行打印的标签数取自表头为 NAME 的列 (空格为 1, 0 跳过该行),\n"
        "                     代替布局中的份数列; 与 --copies 相乘\n"
        "      --pdf OUT.pdf  写成 PDF 文件, 每张标签一页, 页面与标签同样大小\n"
        "      --printer NAME 送到指定的打印机 (默认: 系统默认打印机); 纸张用打印机的默认纸张,\n"
        "                     标签比它大时用标签大小的自定义纸张\n"
        "      --offset X,Y   这次打印把标签向右移 X 毫米, 向下移 Y 毫米 (可为负数),\n"
        "                     代替为这台打印机保存的校准\n"
        "      --scale P      这次打印把标签缩放到 P% (50 到 200), 代替保存的校准\n"
        "      --direct LANG:WHERE\n"
        "                     不经驱动直接送到打印机: LANG 是 tspl 或 zpl, WHERE 是设备文件\n"
        "                     (/dev/usb/lp0)、网络地址 (主机:9100) 或原样转发的 CUPS 队列\n"
        "      --dpi N        直接连接的打印机的分辨率 (默认 203)\n"
        "      --gap MM       直接连接时标签之间的间隙, 连续纸为 0 (默认 2)\n"
        "\n"
        "选项:\n"
        "  -h, --help         显示本帮助并退出\n"
        "      --version      显示版本并退出\n"
        "\n"
        "退出状态: 0 成功; 1 文件无法导入或打印失败; 2 用法错误。\n");
}

// The window mode is a program of its own, so that the batch commands load no widgets: it lies
// where the build and the package put it beside this one, and takes over this process, with its
// arguments, its exit status and its process id (by which the desktop knows its windows).
int runWindows(char *argv[])
{
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QByteArray path
        = QDir::cleanPath(QFileInfo(self).dir().filePath(QStringLiteral(TAGLOOM_GUI_PROGRAM)))
              .toLocal8Bit();
    execv(path.constData(), argv);
    ConsoleText::error(
        QStringLiteral("tagloom: 无法启动窗口程序 %1：%2")
            .arg(QString::fromLocal8Bit(path), QString::fromLocal8Bit(std::strerror(errno))));
    return exitFailure;
}

// The batch commands refuse what does not fit in memory where they can; anything else that runs
// out of it still ends with a message and status 1, not an abort.
int runOrSayNoMemory(int (*command)(int, char **), int argc, char *argv[])
{
    try {
        return command(argc, argv);
    } catch (const std::bad_alloc &) {
        ConsoleText::error(QStringLiteral("tagloom: 内存不足，命令没有完成"));
        return exitFailure;
    }
}

} // namespace

int CommandLine::run(int argc, char *argv[])
{
    const QByteArray command = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (command == "table") return runOrSayNoMemory(&TableCommand::run, argc, argv);
    if (command == "print") return runOrSayNoMemory(&PrintCommand::run, argc, argv);
    if (command == "-h" || command == "--help") {
        ConsoleText::write(stdout, helpText());
        return exitOk;
    }
    if (command == "--version") {
        ConsoleText::write(
            stdout, QStringLiteral("tagloom %1\n").arg(QLatin1String(TAGLOOM_VERSION)));
        return exitOk;
    }
    if (command.startsWith('-'))
        return ConsoleText::usageError(
            QStringLiteral("未知选项 %1").arg(QString::fromLocal8Bit(command)));
    return runWindows(argv);
}

} // namespace tagloom
