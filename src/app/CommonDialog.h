// One window's common dialog: file open, file save and font, with the state a dialog keeps between
// uses (filter, file name, flags, the font of its previous use).
#pragma once

#include "DialogProvider.h"

#include <QStringList>

namespace tagloom {

// The kind of file a command wants, offered in its dialog beside the filter in force.
struct FileKind
{
    QString description;
    QStringList patterns; // "*.png" and the like

    bool matches(const QString &fileName) const;
};

class CommonDialog
{
public:
    CommonDialog(DialogProvider &provider, QWidget *parent);

    // When true, Cancel is reported as failure of the show call (the caller ends its command).
    void setCancelError(bool cancelError) { cancelError_ = cancelError; }
    void setFilter(const QString &filter) { filter_ = filter; }
    const QString &filter() const { return filter_; }
    void setFileName(const QString &fileName) { fileName_ = fileName; }
    const QString &fileName() const { return fileName_; }
    void setFlags(int flags) { flags_ = flags; }

    // False when the user cancelled and CancelError is set; FileName holds the confirmed full path.
    bool showOpen();
    bool showSave();
    // The open dialog for a command that sets no filter of its own: the filter in force stays
    // first, followed by the wanted kind and all files; a file name of another kind (a layout
    // left by the layout commands) is not preselected, only its folder.
    bool showOpen(const FileKind &wanted);
    // False when the user cancelled and CancelError is set; fontChoice() holds the result. The
    // dialog shows sizes `printedPerStored` times the ones it keeps: the size that prints.
    bool showFont(double printedPerStored = 1);
    const FontChoice &fontChoice() const { return font_; }

private:
    bool confirmFile(const std::optional<QString> &chosen);

    DialogProvider &provider_;
    QWidget *parent_;
    bool cancelError_ = false;
    QString filter_;
    QString fileName_;
    int flags_ = 0;
    FontChoice font_ {defaultLabelFont(), Qt::black};
};

} // namespace tagloom
