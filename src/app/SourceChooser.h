// A source chooser: the list of column headers offered for the QR code or the barcode, and the
// chosen position. Position k stands for data column k + 1; -1 means nothing is chosen.
#pragma once

#include <QObject>
#include <QStringList>

namespace tagloom {

class SourceChooser : public QObject
{
    Q_OBJECT

public:
    const QStringList &items() const { return items_; }
    int listIndex() const { return listIndex_; }

    // Appends at the end of the list; the choice stays as it is.
    void append(const QString &item);
    // False, changing nothing, when the index lies outside -1 .. count - 1.
    bool setListIndex(int index);

signals:
    void itemAppended(const QString &item);
    void listIndexChanged(int index);

private:
    QStringList items_;
    int listIndex_ = -1;
};

} // namespace tagloom
