// Takes the README's screenshot from the real program: the example layout loaded, the main
// window with the canvas docked at its left and the data window below. Run it under a real X
// server (scripts/screenshot.sh does).  Usage: ReadmeScreenshot LAYOUT.ini OUT.png
#include "app/Form1.h"
#include "app/Forms.h"
#include "app/QtDialogProvider.h"
#include "app/Workspace.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTest>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        qWarning("usage: ReadmeScreenshot LAYOUT.ini OUT.png");
        return 2;
    }
    tagloom::QtDialogProvider::installChineseTexts();

    tagloom::QtDialogProvider dialogs;
    tagloom::Workspace workspace(dialogs);
    tagloom::Forms forms(workspace);
    forms.showMainWindow();
    forms.form1()->loadLayout(QString::fromLocal8Bit(argv[1]));
    // Room on the left for the docked canvas; the docking timer brings the others along.
    forms.form1()->move(660, 30);
    QTest::qWait(1500);

    // The windows on a plain desktop colour (Xvfb's bare screen is black).
    QList<QRect> windows;
    QRect shown;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            windows << window->frameGeometry();
            shown |= window->frameGeometry();
        }
    }
    shown.adjust(-12, -12, 12, 12);
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    QPixmap picture(shown.size());
    picture.fill(QColor(0xdf, 0xe4, 0xe8));
    QPainter painter(&picture);
    for (const QRect &window : windows)
        painter.drawPixmap(window.topLeft() - shown.topLeft(), screen, window);
    painter.end();
    return picture.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
