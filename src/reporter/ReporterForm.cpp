// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/ReporterForm.h"

#include "model/FormSession.h"
#include "reporter/AnswersPage.h"
#include "reporter/GraphsPage.h"
#include "reporter/ParticipationPage.h"
#include "reporter/ReportPage.h"
#include "reporter/ReporterControls.h"
#include "reporter/ReporterExport.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedLayout>
#include <QTabBar>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

using namespace reporter;

ReporterForm::ReporterForm(FormSession& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
{
    setObjectName(u"ReporterForm"_s);
    setWindowTitle(tr("Reporter"));

    m_tabs = named(new QTabBar(this), u"TabStrip1"_s);
    m_tabs->addTab(tr("View and export data to Word Document"));
    m_tabs->addTab(tr("View and save Graphs of data for inclusion in Report"));
    m_tabs->addTab(tr("Answers"));
    m_tabs->addTab(tr("Who Has Answered"));
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(false);

    // The pages share one place; the stack shows the one of CurrentFrame.
    m_reportPage = new ReportPage(session, this);
    m_graphsPage = new GraphsPage(session, *m_reportPage, this);
    m_answersPage = new AnswersPage(session, this);
    m_participationPage = new ParticipationPage(session, this);
    m_pages = new QStackedLayout;
    m_pages->addWidget(m_reportPage);
    m_pages->addWidget(m_graphsPage);
    m_pages->addWidget(m_answersPage);
    m_pages->addWidget(m_participationPage);
    // Deleted answers move the numbers of those browsed on the report page.
    connect(m_answersPage, &AnswersPage::answersDeleted, m_reportPage, &ReportPage::showAnswersLeft);

    auto* exit = button(u"ExitReporter"_s, tr("Exit Reporter"), this);
    connect(exit, &QPushButton::clicked, this, &QDialog::close);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(m_pages, 1);
    layout->addLayout(bottom);

    auto* menuBar = named(new QMenuBar(this), u"ReporterMenu"_s);
    QMenu* answers = named(menuBar->addMenu(tr("&Answers")), u"AnswersMenu"_s);
    QAction* exportEntry = named(answers->addAction(tr("Export Answers…")), u"ExportAnswersMenu"_s);
    connect(exportEntry, &QAction::triggered, this, [this] { exportAnswersAsAsked(m_session, this); });
    QAction* chartEntry = named(answers->addAction(tr("Add Chart to Report")), u"AddChartToReportMenu"_s);
    connect(chartEntry, &QAction::triggered, m_graphsPage, &GraphsPage::addChartToReport);
    QAction* summaryEntry
        = named(answers->addAction(tr("Add Summary to Report")), u"AddSummaryToReportMenu"_s);
    connect(summaryEntry, &QAction::triggered, m_reportPage, &ReportPage::addSummaryToReport);
    layout->setMenuBar(menuBar);

    connect(m_tabs, &QTabBar::currentChanged, this, &ReporterForm::tabClicked);
    resize(960, 700);

    // Opening: the report page, then the fields and answer 1 of the first one.
    m_currentFrame = 1;
    m_tabs->setCurrentIndex(0);
    showFrame(1);
    m_reportPage->open();
}

ReporterForm::~ReporterForm() = default;

QStringList ReporterForm::reportableCollection() const
{
    return m_reportPage->reportableFields();
}

QStringList ReporterForm::reportTableCollection() const
{
    return m_reportPage->reportTableFields();
}

QString ReporterForm::chartKind() const
{
    return m_graphsPage->chartKind();
}

ChartControl* ReporterForm::chart() const
{
    return m_graphsPage->chart();
}

AnswersTableModel* ReporterForm::answersModel() const
{
    return m_answersPage->model();
}

void ReporterForm::setExportFileChooserForTesting(std::function<QString()> chooser)
{
    quenlow::setExportFileChooserForTesting(std::move(chooser));
}

void ReporterForm::tabClicked(int index)
{
    const int k = index + 1;
    if (k == m_currentFrame || k < 1 || k > 4)
        return;
    if (k == 2)
        m_graphsPage->loadGraphableFields();
    if (k == 3)
        m_answersPage->showAnswers();
    if (k == 4)
        m_participationPage->showParticipation();
    showFrame(k);
    m_currentFrame = qint16(k);
}

void ReporterForm::showFrame(int k)
{
    QWidget* const pages[] = { m_reportPage, m_graphsPage, m_answersPage, m_participationPage };
    m_pages->setCurrentWidget(pages[k - 1]);
}

} // namespace quenlow
