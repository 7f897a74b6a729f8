// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/AnswerView.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

AnswerView::AnswerView(const AnswersTableModel::Answer& answer, int number, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(u"AnswerView"_s);
    setWindowTitle(tr("Answer %1").arg(number));
    resize(640, 560);

    // The answers come from strangers: escaped, never taken for markup.
    QString html = u"<table cellspacing='0' cellpadding='4'>"_s;
    const auto add = [&](const QString& label, const QString& value, bool emphasised) {
        const QString shown = value.toHtmlEscaped().replace(u'\n', u"<br>"_s);
        html += u"<tr><td valign='top'><b>%1</b></td><td>%2</td></tr>"_s.arg(
            label.toHtmlEscaped(), emphasised ? u"<i>%1</i>"_s.arg(shown) : shown);
        m_plain += label + u": "_s + value + u'\n';
    };
    for (qsizetype i = 0; i < answer.questions.size(); ++i) {
        const QString value = answer.values.value(i);
        add(answer.questions.at(i), value.isEmpty() ? tr("(no answer)") : value, value.isEmpty());
    }
    html += u"<tr><td colspan='2'><hr></td></tr>"_s;
    m_plain += u'\n';
    const auto time = [](const std::optional<QDateTime>& when, const QString& none) {
        return when ? AnswersTableModel::shownTime(when) : none;
    };
    add(tr("Submitted"), time(answer.submitted, tr("(not recorded)")), !answer.submitted);
    add(tr("Changed"), time(answer.changed, tr("(never)")), !answer.changed);
    add(tr("Receipt"), answer.receipt.isEmpty() ? tr("(none)") : answer.receipt, answer.receipt.isEmpty());
    html += u"</table>"_s;

    m_text = new QTextBrowser(this);
    m_text->setObjectName(u"AnswerText"_s);
    m_text->setOpenLinks(false);
    m_text->setHtml(html);
    auto* copy = new QPushButton(tr("Copy"), this);
    copy->setObjectName(u"CopyAnswer"_s);
    copy->setAutoDefault(false);
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(u"CloseAnswer"_s);
    close->setDefault(true);
    connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(m_plain); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    m_text->setFocus();
}

} // namespace quenlow
