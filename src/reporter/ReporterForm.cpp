// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/ReporterForm.h"

#include "core/Messages.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "model/FormSession.h"
#include "platform/ChartControl.h"
#include "reporter/ChartCounts.h"
#include "reporter/ReportDocuments.h"
#include "reporter/ReporterTexts.h"

#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QTabBar>
#include <QVBoxLayout>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

bool isReportable(const QString& kind)
{
    return isQuestionKind(kind);
}

bool isGraphable(const QString& kind)
{
    return isChartedKind(kind);
}

template<typename W> W* named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = named(new QPushButton(caption, parent), name);
    b->setAutoDefault(false);
    return b;
}

QLabel* label(const QString& name, const QString& caption, QWidget* parent)
{
    auto* l = named(new QLabel(caption, parent), name);
    // Question texts are the user's own words, never markup.
    l->setTextFormat(Qt::PlainText);
    return l;
}

QGroupBox* frame(const QString& name, const QString& caption, QWidget* parent)
{
    return named(new QGroupBox(caption, parent), name);
}

QListWidget* listBox(const QString& name, QWidget* parent)
{
    auto* list = named(new QListWidget(parent), name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    return list;
}

/// A group box title shows "&" as a shortcut marker unless it is doubled.
QString groupTitle(const QString& text)
{
    QString title = text;
    return title.replace(u'&', u"&&"_s);
}

} // namespace

ReporterForm::ReporterForm(FormSession& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_table(AnswersStore::tableFor(session.openFormName))
    , m_positions(m_table)
{
    setObjectName(u"ReporterForm"_s);
    setWindowTitle(u"Reporter"_s);
    buildWindow();

    // Opening: the report page, then the fields and answer 1 of the first one.
    m_currentFrame = 1;
    m_chartKind = u"Pie"_s;
    m_tabs->setCurrentIndex(0);
    showFrame(1);
    LoadTableFields();
    if (m_answerTotal->text().isEmpty()) {
        if (AnswersStore* store = browsingStore(Quietly))
            showAnswerTotal(*store);
    }
}

AnswersStore* ReporterForm::browsingStore(Announce announce)
{
    // Kept open while the window is: what the store learnt of the table (how
    // many answers, whether their ids have gaps) then serves every step.
    if (m_store && !m_store->replaced())
        return m_store.get();
    m_store.reset();
    m_positions.reset();
    auto opened = openAnswersStore(m_session.databasePath());
    if (!opened) {
        if (announce == Aloud)
            showExclamation(reporter::databaseUnavailable(m_session.databasePath(), opened.error().detail));
        return nullptr;
    }
    m_store = std::move(opened).value();
    return m_store.get();
}

qint64 ReporterForm::showAnswerTotal(AnswersStore& store)
{
    // The span, not a count of its own: the store keeps it while the table is unchanged.
    const auto span = store.rowSpan(m_table);
    const qint64 total = span ? span->count : -1;
    m_answerTotal->setText(total >= 0 ? u"of "_s + QString::number(total) : QString());
    return total;
}

ReporterForm::~ReporterForm() = default;

// --- Layout ---------------------------------------------------------------------

void ReporterForm::buildWindow()
{
    m_tabs = named(new QTabBar(this), u"TabStrip1"_s);
    m_tabs->addTab(u"View and export data to Word Document"_s);
    m_tabs->addTab(u"View and save Graphs of data for inclusion in Report"_s);
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(false);

    // Both pages share one place; the stack shows the one of CurrentFrame.
    m_pages = new QStackedLayout;
    m_frames[0] = buildReportPage();
    m_frames[1] = buildGraphsPage();
    m_pages->addWidget(m_frames[0]);
    m_pages->addWidget(m_frames[1]);

    auto* exit = button(u"ExitReporter"_s, u"Exit Reporter"_s, this);
    connect(exit, &QPushButton::clicked, this, &QDialog::close);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(m_pages, 1);
    layout->addLayout(bottom);

    connect(m_tabs, &QTabBar::currentChanged, this, &ReporterForm::tabClicked);
    buildAnswersOut();
    resize(960, 700);
}

QWidget* ReporterForm::buildReportPage()
{
    auto* page = frame(u"Frame1(1)"_s, u"Reporter"_s, this);

    // The document name row.
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(label(u"WordReportName"_s, u"Current Word Report Name :"_s, page));
    nameRow->addWidget(label(u"Label3"_s, u">"_s, page));
    m_documentName = named(new QLineEdit(page), u"WordDocumentName"_s);
    nameRow->addWidget(m_documentName, 1);
    auto* create = button(u"CreateReport"_s, u"Create New Report"_s, page);
    nameRow->addWidget(create);
    connect(create, &QPushButton::clicked, this, &ReporterForm::createReport);

    // The reportable fields.
    auto* fields = frame(u"TableFields"_s, u"Table Fields"_s, page);
    m_tableFields = listBox(u"TableFieldsList"_s, fields);
    auto* addAll = button(u"AddAllFields"_s, u"Add All"_s, fields);
    auto* addOne = button(u"AddFieldToReportTable"_s, u"Add Field To Report Table"_s, fields);
    auto* answerOne = button(u"ViewFieldAnswerOne"_s, u"View Answer Number 1 of current field below"_s, fields);
    auto* fieldsLayout = new QGridLayout(fields);
    fieldsLayout->addWidget(m_tableFields, 0, 0, 1, 2);
    fieldsLayout->addWidget(addAll, 1, 0);
    fieldsLayout->addWidget(addOne, 1, 1);
    fieldsLayout->addWidget(answerOne, 2, 0, 1, 2);
    connect(addAll, &QPushButton::clicked, this, &ReporterForm::addAllFields);
    connect(addOne, &QPushButton::clicked, this, &ReporterForm::addFieldToReportTable);
    connect(answerOne, &QPushButton::clicked, this, &ReporterForm::viewAnswerOne);
    listClickActions(m_tableFields, &ReporterForm::tableFieldClicked);

    // The fields of the table to export.
    auto* chosen = frame(u"FieldsToBeInWordTableFrame"_s, u"Fields in Table to be added to report"_s, page);
    m_reportTableFields = listBox(u"ReportTableFieldsList"_s, chosen);
    auto* removeOne = button(u"RemoveFieldFromReportTableList"_s, u"Remove Field From Report Table"_s, chosen);
    auto* removeAll = button(u"RemoveAllField"_s, u"Remove All"_s, chosen);
    auto* addTable = button(u"AddTable"_s, u"Add above Table To Word Report"_s, chosen);
    auto* chosenLayout = new QGridLayout(chosen);
    chosenLayout->addWidget(m_reportTableFields, 0, 0, 1, 2);
    chosenLayout->addWidget(removeOne, 1, 0);
    chosenLayout->addWidget(removeAll, 1, 1);
    chosenLayout->addWidget(addTable, 2, 0, 1, 2);
    connect(removeOne, &QPushButton::clicked, this, &ReporterForm::removeFieldFromReportTable);
    connect(removeAll, &QPushButton::clicked, this, &ReporterForm::removeAllFields);
    connect(addTable, &QPushButton::clicked, this, &ReporterForm::addTableToReport);

    auto* lists = new QHBoxLayout;
    lists->addWidget(fields, 1);
    lists->addWidget(chosen, 1);

    // One answer of one question.
    auto* answers = frame(u"ViewFieldAnswersFrame"_s, u"View Field Answers"_s, page);
    m_questionText = label(u"FormQuestionText"_s, u"FormQuestionText"_s, answers);
    m_questionText->setWordWrap(true);
    m_questionText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* colon = label(u"Label1"_s, u":"_s, answers);
    m_answerText = named(new QPlainTextEdit(answers), u"FieldAnswerTextBox"_s);
    m_answerText->setTabChangesFocus(true);
    // "Answer 3 of 8": where the browsing is, and how far it can go.
    auto* numberText = label(u"AnswerNumberText"_s, u"Answer"_s, answers);
    m_answerNumber = label(u"AnswerNumber"_s, u"1"_s, answers);
    m_answerTotal = label(u"AnswerTotal"_s, QString(), answers);
    m_answerTotal->setMinimumWidth(60);
    // When the answer shown arrived; empty for answers stored before times were kept.
    m_answerArrival = label(u"AnswerArrival"_s, QString(), answers);
    auto* previous = button(u"PreviousAnswer"_s, u"View Previous Answer"_s, answers);
    auto* next = button(u"NextAnswer"_s, u"View Next Answer"_s, answers);
    auto* addText = button(u"AddAnswerToReport"_s, u"Add above text to Word Report"_s, answers);
    connect(previous, &QPushButton::clicked, this, &ReporterForm::viewPreviousAnswer);
    connect(next, &QPushButton::clicked, this, &ReporterForm::viewNextAnswer);
    connect(addText, &QPushButton::clicked, this, &ReporterForm::addAnswerToReport);

    auto* questionRow = new QHBoxLayout;
    questionRow->addWidget(m_questionText);
    questionRow->addWidget(colon, 0, Qt::AlignTop);
    questionRow->addStretch(1);
    auto* browseRow = new QHBoxLayout;
    browseRow->addWidget(numberText);
    browseRow->addWidget(m_answerNumber);
    browseRow->addWidget(m_answerTotal);
    browseRow->addWidget(m_answerArrival);
    browseRow->addStretch(1);
    browseRow->addWidget(previous);
    browseRow->addWidget(next);
    browseRow->addWidget(addText);
    auto* answersLayout = new QVBoxLayout(answers);
    answersLayout->addLayout(questionRow);
    answersLayout->addWidget(m_answerText, 1);
    answersLayout->addLayout(browseRow);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(nameRow);
    layout->addLayout(lists, 1);
    layout->addWidget(answers, 1);
    return page;
}

QWidget* ReporterForm::buildGraphsPage()
{
    auto* page = frame(u"Frame1(2)"_s, u"Graphs"_s, this);

    m_graphFrame = frame(u"GraphFrame"_s, u"Graph Name"_s, page);
    m_chart = named(new ChartControl(m_graphFrame), u"MyChart"_s);
    m_chart->setMinimumSize(360, 260);
    auto* chartLayout = new QVBoxLayout(m_graphFrame);
    chartLayout->addWidget(m_chart);

    // The questions above the chart, so that the chart has the window's whole
    // width for its labels, and the frame's long title its own line.
    auto* graphable
        = frame(u"GraphableTableFields"_s, u"Graphable Table Fields - Check Boxes, Select Menus, Radio Buttons"_s, page);
    m_graphable = listBox(u"GraphAbleData"_s, graphable);
    m_graphable->setMaximumHeight(120);
    auto* pie = button(u"ViewPieChart"_s, u"View Pie Chart"_s, graphable);
    auto* bar = button(u"ViewBarGraph"_s, u"View Bar Graph"_s, graphable);
    auto* graphableLayout = new QGridLayout(graphable);
    graphableLayout->addWidget(m_graphable, 0, 0, 3, 1);
    graphableLayout->addWidget(pie, 0, 1);
    graphableLayout->addWidget(bar, 1, 1);
    graphableLayout->setColumnStretch(0, 1);
    graphableLayout->setRowStretch(2, 1);
    connect(pie, &QPushButton::clicked, this, &ReporterForm::viewPieChart);
    connect(bar, &QPushButton::clicked, this, &ReporterForm::viewBarGraph);
    listClickActions(m_graphable, &ReporterForm::graphableFieldClicked);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(label(u"GraphNameText"_s, u"Graph File Name :"_s, page));
    m_graphFileName = named(new QLineEdit(u"graph_1.bmp"_s, page), u"GraphFileName"_s);
    fileRow->addWidget(m_graphFileName, 1);
    auto* save = button(u"SaveGraphToFile"_s, u"Save Graph To File"_s, page);
    fileRow->addWidget(save);
    connect(save, &QPushButton::clicked, this, &ReporterForm::saveGraphToFile);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(graphable);
    layout->addWidget(m_graphFrame, 1);
    layout->addLayout(fileRow);
    return page;
}

// --- Lists and their click actions ---------------------------------------------

void ReporterForm::listClickActions(QListWidget* list, void (ReporterForm::*action)())
{
    // Selecting a row, by the user or by the program, runs the row's action;
    // so does a click on the row already selected.
    connect(list, &QListWidget::currentRowChanged, this, [this, action](int row) {
        ++m_rowChanges;
        if (row >= 0)
            (this->*action)();
    });
    connect(list, &QListWidget::itemClicked, this, [this, action] {
        if (m_rowChanges == m_rowChangesAtPress)
            (this->*action)();
    });
    list->viewport()->installEventFilter(this);
}

bool ReporterForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress)
        m_rowChangesAtPress = m_rowChanges;
    return QDialog::eventFilter(watched, event);
}

namespace {

/// Selects `row` as a click would: when it is already the current row the
/// list reports no change, so the action runs here.
void selectRow(QListWidget* list, int row, const std::function<void()>& action)
{
    if (list->currentRow() == row)
        action();
    else
        list->setCurrentRow(row);
}

} // namespace

void ReporterForm::tableFieldClicked()
{
    // The same answer number, now of the newly selected question.
    ShowFieldAnswer(shownAnswerNumber());
}

void ReporterForm::graphableFieldClicked()
{
    DrawChart(m_chartKind);
}

void ReporterForm::LoadTableFields()
{
    if (!m_reportableCollection.isEmpty())
        ClearCollection(m_reportableCollection);
    m_tableFields->clear();
    m_session.collection.forEach([this](const FormMethod& method) {
        if (!isReportable(method.methodType))
            return;
        m_tableFields->addItem(method.rowText());
        m_reportableCollection.append(method.userInstruction);
    });
    if (m_tableFields->count() > 0)
        selectRow(m_tableFields, 0, [this] { tableFieldClicked(); });
    if (m_documentName->text().isEmpty()) {
        // Reports are Office Open XML documents and are named so; a report
        // made under the older name is still the one added to.
        const QString older = m_session.openFormName + u"_Report.doc"_s;
        const QString name = older + u"x"_s;
        const QString folder = m_session.reportsFolder();
        m_documentName->setText(QFileInfo::exists(folder + older) && !QFileInfo::exists(folder + name) ? older : name);
    }
}

void ReporterForm::LoadGraphableFields()
{
    m_graphable->clear();
    m_graphableElements.clear();
    for (int i = 0; i < m_session.collection.count(); ++i) {
        const FormMethod& method = m_session.collection.atPosition(i);
        if (!isGraphable(method.methodType))
            continue;
        m_graphable->addItem(method.userInstruction);
        m_graphableElements.append(i);
    }
    if (m_graphable->count() > 0)
        selectRow(m_graphable, 0, [this] { graphableFieldClicked(); });
}

// --- Pages ----------------------------------------------------------------------

void ReporterForm::tabClicked(int index)
{
    const int k = index + 1;
    if (k == m_currentFrame || k < 1 || k > 3)
        return;
    if (k == 2)
        LoadGraphableFields();
    if (k == 3)
        showAnswersPage();
    showFrame(k);
    m_currentFrame = qint16(k);
}

void ReporterForm::showFrame(int k)
{
    m_pages->setCurrentWidget(m_frames[k - 1]);
}

// --- The fields of the report table ---------------------------------------------

bool ReporterForm::addToReportTable(const QString& field)
{
    const QString column = columnNameFor(field);
    for (int row = 0; row < m_reportTableFields->count(); ++row) {
        if (m_reportTableFields->item(row)->text() == column) {
            m_reportTableFields->setCurrentRow(row);
            showExclamation(u"The field '"_s + column + u"' has already been added."_s);
            return false;
        }
    }
    m_reportTableFields->addItem(column);
    m_reportTableFields->setCurrentRow(m_reportTableFields->count() - 1);
    m_reportTableCollection.append(column);
    return true;
}

void ReporterForm::addFieldToReportTable()
{
    const int row = m_tableFields->currentRow();
    if (row < 0) {
        showExclamation(reporter::noFieldSelected());
        return;
    }
    addToReportTable(m_reportableCollection.at(row));
}

void ReporterForm::addAllFields()
{
    for (int row = 0; row < m_tableFields->count(); ++row) {
        if (!addToReportTable(m_reportableCollection.at(row)))
            return;
    }
}

void ReporterForm::removeFieldFromReportTable()
{
    const int row = m_reportTableFields->currentRow();
    if (row < 0) {
        showExclamation(reporter::noFieldSelected());
        return;
    }
    m_reportTableCollection.removeAt(row);
    delete m_reportTableFields->takeItem(row);
    // As after removing a list box's selected row: nothing is selected.
    m_reportTableFields->setCurrentRow(-1);
}

void ReporterForm::removeAllFields()
{
    if (m_reportTableFields->count() == 0) {
        showExclamation(u"There are no fields listed to remove."_s);
        return;
    }
    for (int i = m_reportTableFields->count(); i >= 1; --i) {
        m_reportTableCollection.removeAt(i - 1);
        delete m_reportTableFields->takeItem(i - 1);
    }
}

// --- Answer browsing --------------------------------------------------------------

qint64 ReporterForm::shownAnswerNumber() const
{
    bool ok = false;
    const qint64 number = m_answerNumber->text().toLongLong(&ok);
    return ok && number >= 1 ? number : 1;
}

void ReporterForm::ShowFieldAnswer(qint64 number)
{
    showAnswer(number, Aloud);
}

void ReporterForm::showAnswer(qint64 number, Announce announce)
{
    const int row = m_tableFields->currentRow();
    if (row < 0) {
        if (announce == Aloud)
            showExclamation(reporter::noFieldSelected());
        return;
    }
    const QString question = m_reportableCollection.at(row);
    m_questionText->setText(question);
    // Short questions stay on one line beside the colon; long ones wrap at a readable width.
    m_questionText->setMinimumWidth(qMin(m_questionText->fontMetrics().horizontalAdvance(question) + 4, 560));

    AnswersStore* store = browsingStore(announce);
    if (!store)
        return;
    const QString column = columnNameFor(question);
    const AnswerPositions::Answer answer = m_positions.valueOf(*store, column, number);
    if (answer.state != AnswerPositions::ValueState::Value && !store->tableExists(m_table).valueOr(false)) {
        if (announce == Aloud)
            showExclamation(reporter::tableMissing(m_session.htmlName()));
        return;
    }
    if (answer.state == AnswerPositions::ValueState::NoAnswer) {
        if (announce == Aloud)
            showExclamation(u"You have reached the end of the answers."_s);
        return;
    }
    m_answerNumber->setText(QString::number(number));
    showArrival(*store, answer.rowId);
    // Answers may have come in since: the total is read anew.
    showAnswerTotal(*store);
    if (answer.state != AnswerPositions::ValueState::Value) {
        if (announce == Aloud)
            showExclamation(u"The  field '"_s + column + u"' from database table '"_s + m_table + u" ' contains no data."_s);
        return;
    }
    m_answerText->setPlainText(answer.value.toString());
}

void ReporterForm::showAnswersLeft()
{
    // The answer shown may be gone and the numbers after it have moved up:
    // the same number is shown again, or the last answer when it was past the end.
    m_positions.reset();
    AnswersStore* store = browsingStore(Quietly);
    if (!store)
        return;
    const qint64 left = showAnswerTotal(*store);
    if (left == 0) {
        m_answerNumber->setText(u"1"_s);
        m_answerText->clear();
        m_answerArrival->clear();
    } else if (left > 0) {
        showAnswer(qMin(shownAnswerNumber(), left), Quietly);
    }
}

void ReporterForm::showArrival(AnswersStore& store, std::optional<qint64> rowId)
{
    const std::optional<QDateTime> arrived = rowId ? store.arrivalOf(m_table, *rowId).valueOr(std::nullopt) : std::nullopt;
    // The same page sent again with other answers replaced them.
    const std::optional<QDateTime> changed = arrived ? store.changeOf(m_table, *rowId).valueOr(std::nullopt) : std::nullopt;
    QString text = arrived ? u"arrived "_s + arrived->toString(u"yyyy-MM-dd HH:mm:ss"_s) + u" UTC"_s : QString();
    if (changed)
        text += u", changed "_s + changed->toString(u"yyyy-MM-dd HH:mm:ss"_s) + u" UTC"_s;
    m_answerArrival->setText(text);
}

void ReporterForm::viewAnswerOne()
{
    ShowFieldAnswer(1);
    m_answerNumber->setText(u"1"_s);
}

void ReporterForm::viewNextAnswer()
{
    ShowFieldAnswer(shownAnswerNumber() + 1);
}

void ReporterForm::viewPreviousAnswer()
{
    const qint64 shown = shownAnswerNumber();
    if (shown <= 1) {
        showExclamation(u"You are currently at Answer 1."_s);
        return;
    }
    ShowFieldAnswer(shown - 1);
}

// --- Report documents ---------------------------------------------------------------

void ReporterForm::createReport()
{
    // A new report is an Office Open XML document: its name says so, and the
    // additions that follow go to the name shown.
    QString name = m_documentName->text();
    const QString suffix = QFileInfo(name).suffix();
    if (suffix.compare(u"doc"_s, Qt::CaseInsensitive) == 0)
        name = name.chopped(3) + u"docx"_s;
    else if (suffix.isEmpty() && !name.isEmpty() && !name.endsWith(u'/'))
        name += u".docx"_s;
    if (name != m_documentName->text())
        m_documentName->setText(name);
    CreateReport(ReportTarget::of(m_session, name));
}

bool ReporterForm::offerNewReport(const QString& what)
{
    const ReportTarget target = ReportTarget::of(m_session, m_documentName->text());
    if (QFileInfo::exists(target.documentPath()))
        return true;
    if (!askYesNo(u"The word document '"_s + target.documentName + u"' does not exist yet in "_s + target.reportsFolder
                      + u". Do you want to create it now and add the "_s + what + u" to it?"_s,
                  MessageIcon::Question))
        return false;
    createReport();
    return QFileInfo::exists(ReportTarget::of(m_session, m_documentName->text()).documentPath());
}

void ReporterForm::addTableToReport()
{
    const bool wholeTable = m_tableFields->count() == m_reportTableFields->count();
    AddTableToReport(ReportTarget::of(m_session, m_documentName->text()), m_reportTableCollection, wholeTable, this,
                     [this] {
                         ClearCollection(m_reportTableCollection);
                         m_reportTableFields->clear();
                     });
}

void ReporterForm::addAnswerToReport()
{
    AddTextToReport(ReportTarget::of(m_session, m_documentName->text()), m_answerText->toPlainText(), this);
}

// --- Charts ---------------------------------------------------------------------------

void ReporterForm::viewPieChart()
{
    m_chartKind = u"Pie"_s;
    DrawChart(m_chartKind);
}

void ReporterForm::viewBarGraph()
{
    m_chartKind = u"Bar"_s;
    DrawChart(m_chartKind);
}

void ReporterForm::DrawChart(const QString& kind)
{
    const int row = m_graphable->currentRow();
    if (row < 0 || row >= m_graphableElements.size()) {
        // A form without choice questions has nothing to chart.
        showExclamation(reporter::noFieldSelected());
        return;
    }
    auto store = openAnswersStore(m_session.databasePath());
    if (!store) {
        showExclamation(reporter::databaseUnavailable(m_session.databasePath(), store.error().detail));
        return;
    }
    const QString question = m_graphable->item(row)->text();
    m_graphFrame->setTitle(groupTitle(question));
    m_graphFrame->setToolTip(question);

    // The row's own element: a plain text of the same wording is no question.
    const FormMethod& method = m_session.collection.atPosition(m_graphableElements.at(row));
    const QStringList options = chartOptions(method);
    const auto counts = countAnswers(**store, m_table, columnNameFor(question), options);
    store = Error{}; // closed before the chart draws
    if (!counts) {
        if (counts.failedWith(Error::NotFound))
            showExclamation(reporter::tableMissing(m_session.htmlName()));
        else
            showExclamation(reporter::tableUnreadable(m_table, counts.error().detail));
        return;
    }

    const bool pie = kind == u"Pie"_s;
    m_chart->setTitle((pie ? u"Pie Chart of form "_s : u"Bar Chart of form "_s) + method.methodType + u" '"_s
                      + question + u"' :"_s);
    m_chart->setChartType(pie ? ChartControl::Pie2d : ChartControl::Bar2d);
    // The control needs one column at least; a menu without options draws one empty column.
    m_chart->setColumnCount(qMax(1, int(options.size())));
    m_chart->setRowLabel(QString());
    m_chart->setRowCount(1);
    if (options.isEmpty()) {
        m_chart->setColumn(1);
        m_chart->setColumnLabel(QString());
        m_chart->setShowLegend(true);
        m_chart->setData(u"0"_s);
        m_chartDrawn = true;
        return;
    }
    for (int c = 1; c <= options.size(); ++c) {
        m_chart->setColumn(c);
        m_chart->setColumnLabel(options.at(c - 1));
        m_chart->setShowLegend(true);
        m_chart->setData(QString::number(counts->at(c - 1)));
    }
    m_chartDrawn = true;
}

void ReporterForm::saveGraphToFile()
{
    if (!m_chartDrawn) {
        // A form without choice questions: the picture would be empty axes.
        showExclamation(u"There is no chart to save: no question of this form has been charted."_s);
        return;
    }
    const QString path = m_session.reportsFolder() + m_graphFileName->text();
    if (const FileResult saved = m_chart->savePicture(path); !saved) {
        // The chart's own message names the path and the reason.
        showExclamation(saved.error().detail);
        return;
    }
    showInformation(u"The Chart has been saved to "_s + path);
}

} // namespace quenlow
