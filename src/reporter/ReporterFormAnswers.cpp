// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// The reporter's ways out for answers: export files, charts and summaries in
// the report, and the Answers tab.
#include "reporter/ReporterForm.h"

#include "core/Messages.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "export/AnswersExport.h"
#include "model/FormSession.h"
#include "platform/ChartControl.h"
#include "reporter/AnswersTableModel.h"
#include "reporter/ReportDocuments.h"
#include "reporter/ReporterTexts.h"

#include <QSet>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedLayout>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

QString asciiFolded(QString name)
{
    for (QChar& c : name) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    }
    return name;
}

std::function<QString()> g_exportFileChooser;

QPushButton* answersButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

void ReporterForm::setExportFileChooserForTesting(std::function<QString()> chooser)
{
    g_exportFileChooser = std::move(chooser);
}

void ReporterForm::buildAnswersOut()
{
    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName(u"ReporterMenu"_s);
    QMenu* answers = menuBar->addMenu(u"&Answers"_s);
    answers->setObjectName(u"AnswersMenu"_s);
    const auto entry = [&](const QString& name, const QString& caption, void (ReporterForm::*action)()) {
        QAction* a = answers->addAction(caption);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, action);
    };
    entry(u"ExportAnswersMenu"_s, u"Export Answers…"_s, &ReporterForm::exportAnswers);
    entry(u"AddChartToReportMenu"_s, u"Add Chart to Report"_s, &ReporterForm::addChartToReport);
    entry(u"AddSummaryToReportMenu"_s, u"Add Summary to Report"_s, &ReporterForm::addSummaryToReport);
    layout()->setMenuBar(menuBar);

    // The buttons sit in a row of their own under each page.
    auto* reportRow = new QHBoxLayout;
    auto* exportButton = answersButton(u"ExportAnswers"_s, u"Export Answers…"_s, m_frames[0]);
    auto* summary = answersButton(u"AddSummaryToReport"_s, u"Add Summary to Report"_s, m_frames[0]);
    reportRow->addWidget(exportButton);
    reportRow->addWidget(summary);
    reportRow->addStretch(1);
    static_cast<QBoxLayout*>(m_frames[0]->layout())->addLayout(reportRow);
    connect(exportButton, &QPushButton::clicked, this, &ReporterForm::exportAnswers);
    connect(summary, &QPushButton::clicked, this, &ReporterForm::addSummaryToReport);

    auto* graphsRow = new QHBoxLayout;
    auto* chart = answersButton(u"AddChartToReport"_s, u"Add Chart to Report"_s, m_frames[1]);
    graphsRow->addStretch(1);
    graphsRow->addWidget(chart);
    static_cast<QBoxLayout*>(m_frames[1]->layout())->addLayout(graphsRow);
    connect(chart, &QPushButton::clicked, this, &ReporterForm::addChartToReport);

    // Jumping to any answer of the question shown.
    if (auto* browse = findChild<QGroupBox*>(u"ViewFieldAnswersFrame"_s)) {
        auto* row = new QHBoxLayout;
        auto* caption = new QLabel(u"Go to answer"_s, browse);
        caption->setObjectName(u"GoToAnswerText"_s);
        m_goToNumber = new QSpinBox(browse);
        m_goToNumber->setObjectName(u"GoToAnswerNumber"_s);
        m_goToNumber->setRange(1, std::numeric_limits<int>::max());
        m_goToNumber->setMinimumWidth(110);
        auto* go = answersButton(u"GoToAnswer"_s, u"Go"_s, browse);
        row->addWidget(caption);
        row->addWidget(m_goToNumber);
        row->addWidget(go);
        row->addStretch(1);
        static_cast<QBoxLayout*>(browse->layout())->addLayout(row);
        connect(go, &QPushButton::clicked, this, &ReporterForm::goToAnswer);
        connect(m_goToNumber, &QSpinBox::editingFinished, this, [this] {
            if (m_goToNumber->hasFocus())
                goToAnswer();
        });
    }

    m_tabs->addTab(u"Answers"_s);
    m_frames[2] = buildAnswersPage();
    m_pages->addWidget(m_frames[2]);
}

QWidget* ReporterForm::buildAnswersPage()
{
    auto* page = new QGroupBox(u"Answers"_s, this);
    page->setObjectName(u"Frame1(3)"_s);
    auto* filterRow = new QHBoxLayout;
    auto* filterCaption = new QLabel(u"Show answers containing:"_s, page);
    m_answersFilter = new QLineEdit(page);
    m_answersFilter->setObjectName(u"AnswersFilter"_s);
    m_answersFilter->setClearButtonEnabled(true);
    auto* remove = answersButton(u"DeleteAnswer"_s, u"Delete Answer…"_s, page);
    filterRow->addWidget(filterCaption);
    filterRow->addWidget(m_answersFilter, 1);
    filterRow->addWidget(remove);

    m_answersView = new QTableView(page);
    m_answersView->setObjectName(u"AnswersTable"_s);
    m_answersView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_answersView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_answersView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_answersView->setWordWrap(false);
    // Fixed row heights: the view never measures rows it does not show.
    m_answersView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_answersView->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_answersView->horizontalHeader()->setDefaultSectionSize(160);
    m_answersView->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(filterRow);
    layout->addWidget(m_answersView, 1);

    // Filtering reads the table again: do it when the typing stops.
    connect(m_answersFilter, &QLineEdit::returnPressed, this, [this] {
        if (m_answersModel)
            m_answersModel->setFilterText(m_answersFilter->text());
    });
    connect(m_answersFilter, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_answersModel && text.isEmpty())
            m_answersModel->setFilterText(QString());
    });
    connect(remove, &QPushButton::clicked, this, &ReporterForm::deleteSelectedAnswers);
    return page;
}

void ReporterForm::showAnswersPage()
{
    if (m_answersModel) {
        m_answersModel->refresh();
        return;
    }
    QStringList columns;
    {
        const auto store = openAnswersStore(m_session.databasePath());
        if (!store) {
            showExclamation(reporter::databaseUnavailable(m_session.databasePath(), store.error().detail));
            return;
        }
        // Names compared as the store does: without regard to ASCII case.
        QSet<QString> present;
        for (const AnswersStore::Column& c : (*store)->columns(m_table).valueOr({}))
            present.insert(asciiFolded(c.name));
        m_session.collection.forEach([&](const FormMethod& method) {
            if (!isQuestionKind(method.methodType))
                return;
            const QString column = columnNameFor(method.userInstruction);
            if (present.contains(asciiFolded(column)))
                columns.append(column);
        });
    }
    m_answersModel = new AnswersTableModel(m_session.databasePath(), m_table, columns, this);
    m_answersView->setModel(m_answersModel);
    // Stored order until a heading is clicked: the indicator first, or
    // enabling sorting would sort by the first column at once.
    m_answersView->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_answersView->setSortingEnabled(true);
    if (!m_answersModel->lastError().isEmpty())
        showExclamation(reporter::tableUnreadable(m_table, m_answersModel->lastError()));
}

void ReporterForm::deleteSelectedAnswers()
{
    QList<qint64> ids;
    if (m_answersModel) {
        for (const QModelIndex& index : m_answersView->selectionModel()->selectedRows()) {
            if (const qint64 id = m_answersModel->rowIdAt(index.row()); id >= 0)
                ids.append(id);
        }
    }
    if (ids.isEmpty()) {
        showExclamation(u"Select the answers to delete in the table first."_s);
        return;
    }
    const QString question = ids.size() == 1
        ? u"Do you want to delete the selected answer? It cannot be brought back."_s
        : u"Do you want to delete the %1 selected answers? They cannot be brought back."_s.arg(ids.size());
    if (!askBeforeDestroying(question, MessageIcon::Question))
        return;
    if (!m_answersModel->deleteAnswers(ids)) {
        showExclamation(reporter::tableUnreadable(m_table, m_answersModel->lastError()));
        return;
    }
    showAnswersLeft();
}

void ReporterForm::goToAnswer()
{
    ShowFieldAnswer(m_goToNumber->value());
}

void ReporterForm::exportAnswers()
{
    QString path;
    if (g_exportFileChooser) {
        path = g_exportFileChooser();
    } else {
        const QString csv = u"CSV, for any spreadsheet or statistics program (*.csv)"_s;
        const QString xlsx = u"Excel workbook (*.xlsx)"_s;
        QString chosenFilter = csv;
        path = QFileDialog::getSaveFileName(this, u"Export Answers"_s,
                                            m_session.reportsFolder() + m_session.openFormName + u".csv"_s,
                                            csv + u";;"_s + xlsx, &chosenFilter);
        const QString suffix = QFileInfo(path).suffix().toLower();
        if (!path.isEmpty() && suffix != u"csv"_s && suffix != u"xlsx"_s)
            path += chosenFilter == xlsx ? u".xlsx"_s : u".csv"_s;
    }
    if (path.isEmpty())
        return;

    ExportRequest request;
    request.appFolder = m_session.appFolder();
    request.pageFile = m_session.openFormName + u".html"_s;
    request.answersStore = m_session.databasePath();
    request.format = QFileInfo(path).suffix().compare(u"xlsx"_s, Qt::CaseInsensitive) == 0 ? ExportFormat::Xlsx
                                                                                           : ExportFormat::Csv;
    request.outputPath = path;

    ExportResult result = Error{};
    {
        // Gone before any message: hidden, it would still show itself once
        // its delay passed in the message's event loop.
        QProgressDialog progress(u"Exporting the answers to %1…"_s.arg(QFileInfo(path).fileName()), u"Cancel"_s, 0,
                                 100, this);
        progress.setObjectName(u"ExportAnswersProgress"_s);
        progress.setWindowTitle(Messages::title());
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(exportProgressDelay());
        progress.setAutoClose(false);
        progress.setAutoReset(false);
        result = quenlow::exportAnswers(request, [&](qint64 done, qint64 total) {
            progress.setValue(total > 0 ? int(qMin<qint64>(99, done * 100 / total)) : 0);
            return !progress.wasCanceled();
        });
    }

    if (result.failedWith(Error::Cancelled)) {
        showInformation(u"The export was cancelled; no file was written."_s);
        return;
    }
    if (!result) {
        showExclamation(result.error().detail);
        return;
    }
    QString text = u"%1 answers have been exported to %2"_s.arg(result->rows).arg(path);
    for (const QString& note : result->notes)
        text += u"\n"_s + note;
    showInformation(text);
}

void ReporterForm::addChartToReport()
{
    if (!m_chartDrawn) {
        showExclamation(u"There is no chart to add: no question of this form has been charted."_s);
        return;
    }
    if (!offerNewReport(u"chart"_s))
        return;
    AddChartToReport(ReportTarget::of(m_session, m_documentName->text()), m_chart->title(), m_chart->picture(), this);
}

void ReporterForm::addSummaryToReport()
{
    // Without a choice question there is nothing to summarise, and the
    // addition says so before any document is wanted.
    bool choices = false;
    m_session.collection.forEach([&](const FormMethod& method) { choices = choices || isChartedKind(method.methodType); });
    if (choices && !offerNewReport(u"summary"_s))
        return;
    AddSummaryToReport(ReportTarget::of(m_session, m_documentName->text()), m_session.collection, this);
}

} // namespace quenlow
