// Writing a text with fields: a text item's, or what the QR code or the barcode carries. A list
// puts the data table's columns and the label's own numbers in at the cursor as fields; the text
// is taken only when its braces match.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace tagloom {

class TextItemDialog : public QDialog
{
    Q_OBJECT

public:
    // `columns` are the data table's headers; an empty text is taken only when `emptyAllowed`
    // (a code then goes back to its chosen column).
    TextItemDialog(const QString &title, const QString &text, const QStringList &columns,
        bool emptyAllowed, QWidget *parent);

signals:
    void textChosen(const QString &text);

private:
    void take();

    QPlainTextEdit *text_;
    QLabel *problem_;
    bool emptyAllowed_;
};

} // namespace tagloom
