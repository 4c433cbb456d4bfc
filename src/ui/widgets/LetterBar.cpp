#include "widgets/LetterBar.h"

#include <QGridLayout>
#include <QToolButton>

TLetterBar::TLetterBar(QWidget *parent) : QWidget(parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    // The down button must stand out clearly from the raised ones in every style.
    setStyleSheet(QStringLiteral(
        "QToolButton:checked { background-color: palette(highlight); color: palette(highlighted-text);"
        " border: 1px solid palette(dark); border-radius: 3px; font-weight: bold; }"));
}

void TLetterBar::SetRows(const QList<QStringList> &rows)
{
    const int before = down_;
    down_ = 0;
    qDeleteAll(buttons_);
    buttons_.clear();
    auto *grid = static_cast<QGridLayout *>(layout());
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            auto *b = new QToolButton(this);
            b->setText(rows[r][c]);
            b->setCheckable(true);
            b->setAutoRaise(false);
            b->setToolButtonStyle(Qt::ToolButtonTextOnly);
            b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            b->setFocusPolicy(Qt::StrongFocus);
            const int number = int(buttons_.size()) + 1;
            b->setObjectName(QStringLiteral("Letter%1").arg(number));
            connect(b, &QToolButton::clicked, this, [this, number](bool checked) {
                // A click on the down button releases it: then no button is down.
                SetDown(checked ? number : 0);
            });
            grid->addWidget(b, r, c);
            buttons_.append(b);
        }
    }
    if (before != 0)
        emit Changed(0);
}

int TLetterBar::ButtonCount() const { return int(buttons_.size()); }

void TLetterBar::SetDown(int number)
{
    if (number < 1 || number > buttons_.size())
        number = 0;
    // The clicked button has already toggled itself; the state of record is down_.
    for (int i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setChecked(i + 1 == number);
    if (number == down_)
        return;
    down_ = number;
    emit Changed(number);
}

int TLetterBar::Down() const { return down_; }

QString TLetterBar::Caption(int number) const
{
    if (number < 1 || number > buttons_.size())
        return QString();
    return buttons_[number - 1]->text();
}
