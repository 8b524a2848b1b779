// The side panel: sections stacked from the top, the status line at the bottom.
#include "SidePanel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tagloom {

SidePanel::SidePanel(QWidget *parent)
    : QFrame(parent)
    , sections_(new QVBoxLayout)
    , statusLine_(new QLabel(this))
{
    setObjectName(QStringLiteral("SidePanel"));
    setFrameShape(QFrame::StyledPanel);
    statusLine_->setObjectName(QStringLiteral("StatusLine"));
    statusLine_->setWordWrap(true);
    statusLine_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    statusLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(sections_);
    layout->addStretch(1);
    layout->addWidget(statusLine_);
}

void SidePanel::addSection(QWidget *section)
{
    sections_->addWidget(section);
}

void SidePanel::showStatus(const QString &text)
{
    statusLine_->setText(text);
}

QString SidePanel::status() const
{
    return statusLine_->text();
}

} // namespace tagloom
