// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "main/CollectedFormsPanel.h"

#include "core/Messages.h"
#include "model/FormSession.h"
#include "model/FormStates.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace quenlow {

namespace {

enum Column {
    FormColumn,
    StateColumn,
    AnswersColumn,
    ParticipantsColumn,
    QuotasColumn,
    AddressColumn,
    ColumnCount
};
constexpr int kOpenRole = Qt::UserRole + 1; // whether the row's form takes answers now

} // namespace

CollectedFormsPanel::CollectedFormsPanel(
    FormSession& session, std::function<QString(const QString&)> addressOf, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_addressOf(std::move(addressOf))
{
    setObjectName(QStringLiteral("CollectedForms"));
    auto* caption = new QLabel(tr("Forms:"), this);
    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("CollectedFormsTable"));
    m_table->setHorizontalHeaderLabels(
        { tr("Form"), tr("State"), tr("Answers"), tr("Participants"), tr("Quotas"), tr("Address") });
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->setWordWrap(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_closeOrOpen = new QPushButton(tr("Close Form"), this);
    m_closeOrOpen->setObjectName(QStringLiteral("CloseOrOpenForm"));
    m_closeOrOpen->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_closeOrOpen);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(m_table);
    layout->addLayout(buttons);

    connect(m_table, &QTableWidget::itemSelectionChanged, this, &CollectedFormsPanel::followChoice);
    connect(m_closeOrOpen, &QPushButton::clicked, this, &CollectedFormsPanel::closeOrOpen);
    // Answers keep arriving while the window is open.
    m_refresh = new QTimer(this);
    m_refresh->setInterval(3000);
    connect(m_refresh, &QTimer::timeout, this, &CollectedFormsPanel::refresh);
    m_refresh->start();
    refresh();
}

void CollectedFormsPanel::refresh()
{
    const QString chosen = chosenForm();
    const QDateTime now = QDateTime::currentDateTime();
    const QList<FormOverview> forms = formOverviews(m_session);
    m_table->setRowCount(int(forms.size()));
    int chosenRow = -1;
    for (int row = 0; row < forms.size(); ++row) {
        const FormOverview& form = forms.at(row);
        const QString label
            = form.title.isEmpty() ? form.name : form.name + QStringLiteral(" \u2013 ") + form.title;
        const QStringList cells { label, formStateText(form, now),
            form.answers ? QString::number(*form.answers) : QStringLiteral("?"),
            form.participation
                ? tr("answered %1 of %2").arg(form.participation->answered).arg(form.participation->invited)
                : QString(),
            quotaCountTexts(form).join(QStringLiteral(", ")),
            m_addressOf ? m_addressOf(form.name) : QString() };
        for (int column = 0; column < ColumnCount; ++column) {
            QTableWidgetItem* item = m_table->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                m_table->setItem(row, column, item);
            }
            item->setText(cells.at(column));
        }
        m_table->item(row, FormColumn)->setData(Qt::UserRole, form.name);
        m_table->item(row, FormColumn)->setData(kOpenRole, form.isOpen(now));
        if (form.name == chosen)
            chosenRow = row;
    }
    if (chosenRow >= 0)
        m_table->selectRow(chosenRow);
    m_table->resizeColumnsToContents();
    followChoice();
}

QString CollectedFormsPanel::chosenForm() const
{
    const int row = m_table->currentRow();
    const QTableWidgetItem* item
        = row >= 0 && m_table->selectionModel()->hasSelection() ? m_table->item(row, FormColumn) : nullptr;
    return item ? item->data(Qt::UserRole).toString() : QString();
}

void CollectedFormsPanel::followChoice()
{
    const int row = m_table->currentRow();
    const QTableWidgetItem* item
        = row >= 0 && m_table->selectionModel()->hasSelection() ? m_table->item(row, FormColumn) : nullptr;
    m_closeOrOpen->setEnabled(item != nullptr);
    const bool open = item && item->data(kOpenRole).toBool();
    m_closeOrOpen->setText(!item || open ? tr("Close Form") : tr("Open Form"));
}

void CollectedFormsPanel::closeOrOpen()
{
    const QString form = chosenForm();
    if (form.isEmpty())
        return;
    const QTableWidgetItem* item = m_table->item(m_table->currentRow(), FormColumn);
    const bool open = item->data(kOpenRole).toBool();
    if (const Result<void> changed = setAcceptingAnswers(m_session, form, !open); !changed) {
        showExclamation((open ? tr("The form '%1' could not be closed (%2).")
                              : tr("The form '%1' could not be opened (%2)."))
                            .arg(form, changed.error().detail));
    }
    refresh();
}

} // namespace quenlow
