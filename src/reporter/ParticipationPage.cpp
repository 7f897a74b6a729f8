// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/ParticipationPage.h"

#include "database/AnswersStore.h"
#include "database/Participants.h"
#include "model/FormSession.h"
#include "reporter/ReporterControls.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

ParticipationPage::ParticipationPage(FormSession& session, QWidget* parent)
    : QGroupBox(tr("Who Has Answered"), parent)
    , m_session(session)
{
    setObjectName(u"Frame1(4)"_s);
    m_summary = reporter::label(u"ParticipationSummary"_s, QString(), this);
    m_summary->setWordWrap(true);
    auto* caption = new QLabel(tr("Not answered yet:"), this);
    m_notAnswered = reporter::named(new QTableWidget(this), u"NotAnsweredList"_s);
    m_notAnswered->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_notAnswered->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_notAnswered->verticalHeader()->hide();
    m_notAnswered->horizontalHeader()->setStretchLastSection(true);
    caption->setBuddy(m_notAnswered);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(caption);
    layout->addWidget(m_notAnswered, 1);
}

ParticipationPage::~ParticipationPage() = default;

void ParticipationPage::showParticipation()
{
    QList<Participant> people;
    QString trouble;
    if (auto store = openAnswersStore(m_session.databasePath()); !store) {
        trouble = store.error().detail;
    } else if (auto read = participantsOf(**store, AnswersStore::tableFor(m_session.openFormName())); read) {
        people = std::move(read).value();
    } else if (!read.failedWith(Error::NotFound)) {
        trouble = read.error().detail;
    }

    QList<Participant> waiting;
    QStringList attributes;
    for (const Participant& p : std::as_const(people)) {
        if (p.answered)
            continue;
        waiting.append(p);
        for (const auto& attribute : p.attributes) {
            if (!attributes.contains(attribute.first))
                attributes.append(attribute.first);
        }
    }
    if (!trouble.isEmpty())
        m_summary->setText(tr("The participants could not be read: %1").arg(trouble));
    else if (people.isEmpty())
        m_summary->setText(tr("This form invites nobody: Form > Participants… gives people personal codes."));
    else
        m_summary->setText(tr("answered %1 of %2").arg(people.size() - waiting.size()).arg(people.size()));

    QStringList headers { tr("Name"), tr("Code") };
    headers += attributes;
    m_notAnswered->clear();
    m_notAnswered->setColumnCount(int(headers.size()));
    m_notAnswered->setHorizontalHeaderLabels(headers);
    m_notAnswered->setRowCount(int(waiting.size()));
    for (int row = 0; row < waiting.size(); ++row) {
        const Participant& p = waiting.at(row);
        m_notAnswered->setItem(row, 0, new QTableWidgetItem(p.name));
        m_notAnswered->setItem(row, 1, new QTableWidgetItem(p.code));
        for (const auto& [name, value] : p.attributes)
            m_notAnswered->setItem(row, int(2 + attributes.indexOf(name)), new QTableWidgetItem(value));
    }
    m_notAnswered->resizeColumnsToContents();
}

} // namespace quenlow
