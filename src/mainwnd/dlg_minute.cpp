// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/dlg_minute.h"

#include "settings/localized_strings.h"
#include "platform/prompt.h"

#include <QAbstractSpinBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>
#include <optional>

namespace {

bool IsDigits(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The whole number in `text` (surrounding blanks allowed), or nothing when
// it is not one. A number too long for 32 bits is out of range, not
// malformed, so it comes back as a value above the maximum.
std::optional<unsigned> ParseMinutes(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || !IsDigits(trimmed))
        return std::nullopt;
    QString digits = trimmed;
    while (digits.size() > 1 && digits.front() == u'0')
        digits.remove(0, 1);
    if (digits.size() > 9)
        return CDlgMinute::kMaxMinutes + 1;
    return digits.toUInt();
}

// A digits-only, right-aligned edit with up/down arrows that step the number
// within the dialog's range. The arrows and the arrow keys come with
// QAbstractSpinBox; the text is whatever the user typed until OK reads it.
class CMinuteSpinBox final : public QAbstractSpinBox {
public:
    explicit CMinuteSpinBox(QWidget* parent) : QAbstractSpinBox(parent)
    {
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        setAccelerated(true);
    }

    QLineEdit* Edit() const { return lineEdit(); }

    // Wide enough to show the largest number the dialog takes; the base
    // class knows no range and would leave room for one digit.
    QSize sizeHint() const override
    {
        ensurePolished();
        QStyleOptionSpinBox option;
        initStyleOption(&option);
        const QString widest = QString::number(CDlgMinute::kMaxMinutes) + u' ';
        const QSize text(fontMetrics().horizontalAdvance(widest) + 2, lineEdit()->sizeHint().height());
        return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

    QValidator::State validate(QString& input, int&) const override
    {
        return IsDigits(input) ? QValidator::Acceptable : QValidator::Invalid;
    }

    void stepBy(int steps) override
    {
        const long long value = Value() + steps;
        lineEdit()->setText(
            QString::number(std::clamp<long long>(value, CDlgMinute::kMinMinutes, CDlgMinute::kMaxMinutes)));
    }

protected:
    StepEnabled stepEnabled() const override
    {
        const unsigned value = Value();
        StepEnabled enabled = StepNone;
        if (value < CDlgMinute::kMaxMinutes)
            enabled |= StepUpEnabled;
        if (value > CDlgMinute::kMinMinutes)
            enabled |= StepDownEnabled;
        return enabled;
    }

private:
    unsigned Value() const { return ParseMinutes(text()).value_or(0); }
};

}  // namespace

CDlgMinute::CDlgMinute() : QDialog(nullptr)
{
    setWindowTitle(LoadLocalizedString(IDS_MINUTES_TITLE));

    auto* label = new QLabel(LoadLocalizedString(IDS_MINUTES_LABEL), this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* spinner = new CMinuteSpinBox(this);
    m_pEdit = spinner->Edit();
    m_pEdit->setText(QString::number(m_nMinutes));
    label->setBuddy(spinner);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    buttons->button(QDialogButtonBox::Ok)->setText(LoadLocalizedString(IDS_BUTTON_OK));
    buttons->button(QDialogButtonBox::Cancel)->setText(LoadLocalizedString(IDS_BUTTON_CANCEL));
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgMinute::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(spinner, 1);
    layout->addWidget(buttons);
    spinner->setFocus();
}

void CDlgMinute::accept()
{
    const std::optional<unsigned> minutes = ParseMinutes(m_pEdit->text());
    QString refusal;
    if (!minutes)
        refusal = LoadLocalizedString(IDS_MINUTES_NOT_A_NUMBER);
    else if (*minutes < kMinMinutes || *minutes > kMaxMinutes)
        refusal = LoadLocalizedString(IDS_MINUTES_OUT_OF_RANGE).arg(kMinMinutes).arg(kMaxMinutes);
    if (!refusal.isEmpty()) {
        CPrompt::Get().MessageBox(this, QStringLiteral("Velmora"), refusal, CPrompt::Icon::Warning);
        m_pEdit->setFocus();
        m_pEdit->selectAll();
        return;
    }
    m_nMinutes = *minutes;
    QDialog::accept();
}
