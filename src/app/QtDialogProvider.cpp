// Qt's file dialogs, message boxes and menus, the program's font dialog, Qt's Chinese texts.
#include "QtDialogProvider.h"

#include "canvas/FontDialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

namespace tagloom {

QString QtDialogProvider::qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries.append(QStringLiteral("%1 (%2)").arg(
            parts[i], QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '))));
    return entries.join(QStringLiteral(";;"));
}

void QtDialogProvider::installChineseTexts()
{
    auto *texts = new QTranslator(QCoreApplication::instance());
    if (texts->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(texts);
}

namespace {

std::optional<QString> chosenFile(const QString &chosen)
{
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

} // namespace

std::optional<QString> QtDialogProvider::getOpenFileName(
    QWidget *parent, const FileDialogRequest &request)
{
    return chosenFile(QFileDialog::getOpenFileName(
        parent, QString(), request.fileName, qtFilter(request.filter)));
}

std::optional<QString> QtDialogProvider::getSaveFileName(
    QWidget *parent, const FileDialogRequest &request)
{
    return chosenFile(QFileDialog::getSaveFileName(
        parent, QString(), request.fileName, qtFilter(request.filter)));
}

std::optional<FontChoice> QtDialogProvider::getFont(QWidget *parent, const FontChoice &initial, int)
{
    FontDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

MessageAnswer QtDialogProvider::showMessage(QWidget *parent, const MessageRequest &request)
{
    QMessageBox box(parent);
    box.setWindowTitle(request.title);
    box.setText(request.text);
    box.setIcon(QMessageBox::NoIcon);
    switch (request.buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.exec();
        return MessageAnswer::Ok;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        box.exec();
        return box.clickedButton() == box.button(QMessageBox::Ok) ? MessageAnswer::Ok
                                                                  : MessageAnswer::Cancel;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        box.exec();
        return box.clickedButton() == box.button(QMessageBox::Yes) ? MessageAnswer::Yes
                                                                   : MessageAnswer::No;
    case MessageButtons::SaveDiscardCancel: {
        // Captions of their own: Qt's translation words them differently.
        QPushButton *save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
        QPushButton *discard
            = box.addButton(QStringLiteral("不保存"), QMessageBox::DestructiveRole);
        QPushButton *cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        box.setDefaultButton(save);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == save) return MessageAnswer::Save;
        return box.clickedButton() == discard ? MessageAnswer::Discard : MessageAnswer::Cancel;
    }
    }
    return MessageAnswer::Cancel;
}

void QtDialogProvider::popupMenu(QMenu &menu, const QPoint &globalPosition)
{
    menu.exec(globalPosition);
}

} // namespace tagloom
