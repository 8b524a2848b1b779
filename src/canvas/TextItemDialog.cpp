// The text dialog: the text, the fields to put in, and why a text is not taken.
#include "TextItemDialog.h"

#include "TextTemplate.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QVBoxLayout>

namespace tagloom {

TextItemDialog::TextItemDialog(const QString &title, const QString &text,
    const QStringList &columns, bool emptyAllowed, QWidget *parent)
    : QDialog(parent)
    , text_(new QPlainTextEdit(text, this))
    , problem_(new QLabel(this))
    , emptyAllowed_(emptyAllowed)
{
    setObjectName(QStringLiteral("TextItemDialog"));
    setWindowTitle(title);
    text_->setObjectName(QStringLiteral("TemplateText"));
    text_->setTabChangesFocus(true);
    problem_->setObjectName(QStringLiteral("TemplateProblem"));
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #c00000"));
    auto *hint = new QLabel(
        QStringLiteral("固定的文字和字段：{列名}是这一行的数据，{序号:0001}是每张标签的编号，"
                       "{日期:yyyy年M月d日}和{时间:HH:mm}是打印的日期和时间，{行号}是数据行号。"
                       "Ctrl+Enter 确定。"),
        this);
    hint->setWordWrap(true);

    auto *fields = new QComboBox(this);
    fields->setObjectName(QStringLiteral("InsertField"));
    fields->addItem(QStringLiteral("插入字段…"));
    for (const QString &column : columns)
        fields->addItem(column, QStringLiteral("{%1}").arg(column));
    for (const char *own :
        {"序号", "序号:0001", "日期:yyyy-MM-dd", "日期:yyyy年M月d日", "时间:HH:mm", "行号"})
        fields->addItem(QString::fromUtf8(own), QStringLiteral("{%1}").arg(QString::fromUtf8(own)));
    connect(fields, &QComboBox::activated, this, [this, fields](int index) {
        if (index <= 0) return;
        text_->insertPlainText(fields->itemData(index).toString());
        fields->setCurrentIndex(0);
        text_->setFocus();
    });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TextItemDialog::take);
    // Return makes a new line in the text; Ctrl+Return takes it.
    auto *take = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), this);
    connect(take, &QShortcut::activated, this, &TextItemDialog::take);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(text_);
    layout->addWidget(fields);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
    text_->setFocus();
}

void TextItemDialog::take()
{
    const QString text = text_->toPlainText();
    QString problem;
    if (text.isEmpty() && !emptyAllowed_)
        problem = QStringLiteral("请写上文字。");
    else if (!text.isEmpty() && !TextTemplate::parse(text, &problem))
        problem += QStringLiteral("。");
    problem_->setText(problem);
    if (!problem.isEmpty()) return;
    emit textChosen(text);
    accept();
}

} // namespace tagloom
