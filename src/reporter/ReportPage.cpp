// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/ReportPage.h"

#include "core/Messages.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "database/Receipts.h"
#include "model/FormSession.h"
#include "model/FormStates.h"
#include "model/OwnedColumns.h"
#include "platform/ElementNames.h"
#include "reporter/ReporterControls.h"
#include "reporter/ReporterExport.h"
#include "reporter/ReporterTexts.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

using namespace reporter;

ReportPage::ReportPage(FormSession& session, QWidget* parent)
    : QGroupBox(tr("Reporter"), parent)
    , m_session(session)
    , m_table(AnswersStore::tableFor(session.openFormName()))
    , m_positions(m_table)
{
    setObjectName(u"Frame1(1)"_s);

    // The document name row.
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(label(u"WordReportName"_s, tr("Current Word Report Name :"), this));
    nameRow->addWidget(label(u"Label3"_s, u">"_s, this));
    m_documentName = named(new QLineEdit(this), u"WordDocumentName"_s);
    nameRow->addWidget(m_documentName, 1);
    auto* create = button(u"CreateReport"_s, tr("Create New Report"), this);
    nameRow->addWidget(create);
    connect(create, &QPushButton::clicked, this, &ReportPage::createReport);

    // The reportable fields.
    auto* fields = frame(u"TableFields"_s, tr("Table Fields"), this);
    m_tableFields = listBox(u"TableFieldsList"_s, fields);
    auto* addAll = button(u"AddAllFields"_s, tr("Add All"), fields);
    auto* addOne = button(u"AddFieldToReportTable"_s, tr("Add Field To Report Table"), fields);
    auto* answerOne
        = button(u"ViewFieldAnswerOne"_s, tr("View Answer Number 1 of current field below"), fields);
    auto* fieldsLayout = new QGridLayout(fields);
    fieldsLayout->addWidget(m_tableFields, 0, 0, 1, 2);
    fieldsLayout->addWidget(addAll, 1, 0);
    fieldsLayout->addWidget(addOne, 1, 1);
    fieldsLayout->addWidget(answerOne, 2, 0, 1, 2);
    connect(addAll, &QPushButton::clicked, this, &ReportPage::addAllFields);
    connect(addOne, &QPushButton::clicked, this, &ReportPage::addFieldToReportTable);
    connect(answerOne, &QPushButton::clicked, this, &ReportPage::viewAnswerOne);
    // The same answer number, now of the newly selected question.
    onRowChosen(m_tableFields, [this] { showFieldAnswer(shownAnswerNumber()); });

    // The fields of the table to export.
    auto* chosen = frame(u"FieldsToBeInWordTableFrame"_s, tr("Fields in Table to be added to report"), this);
    m_reportTableFields = listBox(u"ReportTableFieldsList"_s, chosen);
    auto* removeOne
        = button(u"RemoveFieldFromReportTableList"_s, tr("Remove Field From Report Table"), chosen);
    auto* removeAll = button(u"RemoveAllField"_s, tr("Remove All"), chosen);
    auto* addTable = button(u"AddTable"_s, tr("Add above Table To Word Report"), chosen);
    auto* chosenLayout = new QGridLayout(chosen);
    chosenLayout->addWidget(m_reportTableFields, 0, 0, 1, 2);
    chosenLayout->addWidget(removeOne, 1, 0);
    chosenLayout->addWidget(removeAll, 1, 1);
    chosenLayout->addWidget(addTable, 2, 0, 1, 2);
    connect(removeOne, &QPushButton::clicked, this, &ReportPage::removeFieldFromReportTable);
    connect(removeAll, &QPushButton::clicked, this, &ReportPage::removeAllFields);
    connect(addTable, &QPushButton::clicked, this, &ReportPage::addTableToReport);

    auto* lists = new QHBoxLayout;
    lists->addWidget(fields, 1);
    lists->addWidget(chosen, 1);

    // One answer of one question.
    auto* answers = frame(u"ViewFieldAnswersFrame"_s, tr("View Field Answers"), this);
    m_questionText = label(u"FormQuestionText"_s, u"FormQuestionText"_s, answers);
    m_questionText->setWordWrap(true);
    m_questionText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* colon = label(u"Label1"_s, u":"_s, answers);
    m_answerText = named(new QPlainTextEdit(answers), u"FieldAnswerTextBox"_s);
    m_answerText->setTabChangesFocus(true);
    // "Answer 3 of 8": where the browsing is, and how far it can go.
    auto* numberText = label(u"AnswerNumberText"_s, tr("Answer"), answers);
    m_answerNumber = label(u"AnswerNumber"_s, u"1"_s, answers);
    m_answerTotal = label(u"AnswerTotal"_s, QString(), answers);
    m_answerTotal->setMinimumWidth(60);
    // When the answer shown arrived; empty for answers stored before times were kept.
    m_answerArrival = label(u"AnswerArrival"_s, QString(), answers);
    auto* previous = button(u"PreviousAnswer"_s, tr("View Previous Answer"), answers);
    auto* next = button(u"NextAnswer"_s, tr("View Next Answer"), answers);
    auto* addText = button(u"AddAnswerToReport"_s, tr("Add above text to Word Report"), answers);
    connect(previous, &QPushButton::clicked, this, &ReportPage::viewPreviousAnswer);
    connect(next, &QPushButton::clicked, this, &ReportPage::viewNextAnswer);
    connect(addText, &QPushButton::clicked, this, &ReportPage::addAnswerToReport);

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

    // Jumping to any answer of the question shown.
    auto* goToRow = new QHBoxLayout;
    auto* goToCaption = new QLabel(tr("Go to answer"), answers);
    goToCaption->setObjectName(u"GoToAnswerText"_s);
    // An answer number, or the receipt code shown to the person who sent it.
    m_goToNumber = named(new QLineEdit(answers), u"GoToAnswerNumber"_s);
    m_goToNumber->setPlaceholderText(tr("number or receipt code"));
    m_goToNumber->setMaxLength(40);
    m_goToNumber->setMinimumWidth(170);
    auto* go = button(u"GoToAnswer"_s, tr("Go"), answers);
    goToRow->addWidget(goToCaption);
    goToRow->addWidget(m_goToNumber);
    goToRow->addWidget(go);
    goToRow->addStretch(1);
    // Whether answers are still coming in: open, closed, or full.
    m_formState = label(u"FormState"_s, QString(), answers);
    goToRow->addWidget(m_formState);
    connect(go, &QPushButton::clicked, this, &ReportPage::goToAnswer);
    connect(m_goToNumber, &QLineEdit::returnPressed, this, &ReportPage::goToAnswer);

    auto* answersLayout = new QVBoxLayout(answers);
    answersLayout->addLayout(questionRow);
    answersLayout->addWidget(m_answerText, 1);
    answersLayout->addLayout(browseRow);
    answersLayout->addLayout(goToRow);

    // The answers' ways out, in a row of their own under the page.
    auto* outRow = new QHBoxLayout;
    auto* exportButton = button(u"ExportAnswers"_s, tr("Export Answers…"), this);
    auto* summary = button(u"AddSummaryToReport"_s, tr("Add Summary to Report"), this);
    outRow->addWidget(exportButton);
    outRow->addWidget(summary);
    outRow->addStretch(1);
    connect(exportButton, &QPushButton::clicked, this, [this] { exportAnswersAsAsked(m_session, window()); });
    connect(summary, &QPushButton::clicked, this, &ReportPage::addSummaryToReport);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addLayout(lists, 1);
    layout->addWidget(answers, 1);
    layout->addLayout(outRow);
}

ReportPage::~ReportPage() = default;

void ReportPage::open()
{
    loadTableFields();
    if (m_answerTotal->text().isEmpty()) {
        if (AnswersStore* store = browsingStore(Quietly))
            showAnswerTotal(*store);
    }
}

// --- The fields of the report table ---------------------------------------------

void ReportPage::loadTableFields()
{
    m_tableFields->clear();
    m_session.collection().forEach([this](const FormMethod& method) {
        // The row's text names the column: a grid's statement is a field of its own.
        for (const OwnedColumn& column : answerColumnsOf(method)) {
            auto* item = new QListWidgetItem(column.role == OwnedColumn::Role::Answer
                    ? shownRowText(method)
                    : shownKindName(method) + u" - "_s + column.label);
            item->setData(Qt::UserRole, column.source);
            m_tableFields->addItem(item);
        }
    });
    if (m_tableFields->count() > 0)
        chooseRow(m_tableFields, 0, [this] { showFieldAnswer(shownAnswerNumber()); });
    if (m_documentName->text().isEmpty()) {
        // Reports are Office Open XML documents and are named so; a report
        // made under the older name is still the one added to.
        const QString older = m_session.openFormName() + u"_Report.doc"_s;
        const QString name = older + u"x"_s;
        const QString folder = m_session.reportsFolder();
        m_documentName->setText(
            QFileInfo::exists(folder + older) && !QFileInfo::exists(folder + name) ? older : name);
    }
}

QString ReportPage::questionAt(int row) const
{
    return m_tableFields->item(row)->data(Qt::UserRole).toString();
}

QStringList ReportPage::reportableFields() const
{
    QStringList fields;
    for (int row = 0; row < m_tableFields->count(); ++row)
        fields.append(questionAt(row));
    return fields;
}

QStringList ReportPage::reportTableFields() const
{
    QStringList fields;
    for (int row = 0; row < m_reportTableFields->count(); ++row)
        fields.append(m_reportTableFields->item(row)->text());
    return fields;
}

bool ReportPage::addToReportTable(const QString& field)
{
    const QString column = columnNameFor(field);
    for (int row = 0; row < m_reportTableFields->count(); ++row) {
        if (m_reportTableFields->item(row)->text() == column) {
            m_reportTableFields->setCurrentRow(row);
            showExclamation(tr("The field '%1' has already been added.").arg(column));
            return false;
        }
    }
    m_reportTableFields->addItem(column);
    m_reportTableFields->setCurrentRow(m_reportTableFields->count() - 1);
    return true;
}

void ReportPage::addFieldToReportTable()
{
    const int row = m_tableFields->currentRow();
    if (row < 0) {
        showExclamation(noFieldSelected());
        return;
    }
    addToReportTable(questionAt(row));
}

void ReportPage::addAllFields()
{
    for (int row = 0; row < m_tableFields->count(); ++row) {
        if (!addToReportTable(questionAt(row)))
            return;
    }
}

void ReportPage::removeFieldFromReportTable()
{
    const int row = m_reportTableFields->currentRow();
    if (row < 0) {
        showExclamation(noFieldSelected());
        return;
    }
    delete m_reportTableFields->takeItem(row);
    // As after removing a list box's selected row: nothing is selected.
    m_reportTableFields->setCurrentRow(-1);
}

void ReportPage::removeAllFields()
{
    if (m_reportTableFields->count() == 0) {
        showExclamation(tr("There are no fields listed to remove."));
        return;
    }
    for (int i = m_reportTableFields->count(); i >= 1; --i)
        delete m_reportTableFields->takeItem(i - 1);
}

// --- Answer browsing --------------------------------------------------------------

qint64 ReportPage::shownAnswerNumber() const
{
    bool ok = false;
    const qint64 number = m_answerNumber->text().toLongLong(&ok);
    return ok && number >= 1 ? number : 1;
}

void ReportPage::showFieldAnswer(qint64 number)
{
    showAnswer(number, Aloud);
}

void ReportPage::showAnswer(qint64 number, Announce announce)
{
    const int row = m_tableFields->currentRow();
    if (row < 0) {
        if (announce == Aloud)
            showExclamation(noFieldSelected());
        return;
    }
    const QString question = questionAt(row);
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
            showExclamation(tableMissing(m_session.htmlName()));
        return;
    }
    if (answer.state == AnswerPositions::ValueState::NoAnswer) {
        if (announce == Aloud)
            showExclamation(tr("You have reached the end of the answers."));
        return;
    }
    m_answerNumber->setText(QString::number(number));
    showArrival(*store, answer.rowId);
    // Answers may have come in since: the total is read anew.
    showAnswerTotal(*store);
    if (answer.state != AnswerPositions::ValueState::Value) {
        if (announce == Aloud)
            showExclamation(
                tr("The  field '%1' from database table '%2 ' contains no data.").arg(column, m_table));
        return;
    }
    m_answerText->setPlainText(answer.value.toString());
}

void ReportPage::showAnswersLeft()
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

void ReportPage::showArrival(AnswersStore& store, std::optional<qint64> rowId)
{
    const std::optional<QDateTime> arrived
        = rowId ? store.arrivalOf(m_table, *rowId).valueOr(std::nullopt) : std::nullopt;
    // The same page sent again with other answers replaced them.
    const std::optional<QDateTime> changed
        = arrived ? store.changeOf(m_table, *rowId).valueOr(std::nullopt) : std::nullopt;
    QString text
        = arrived ? tr("arrived %1 UTC").arg(arrived->toString(u"yyyy-MM-dd HH:mm:ss"_s)) : QString();
    if (changed)
        text += tr(", changed %1 UTC").arg(changed->toString(u"yyyy-MM-dd HH:mm:ss"_s));
    m_answerArrival->setText(text);
}

void ReportPage::viewAnswerOne()
{
    showFieldAnswer(1);
    m_answerNumber->setText(u"1"_s);
}

void ReportPage::viewNextAnswer()
{
    showFieldAnswer(shownAnswerNumber() + 1);
}

void ReportPage::viewPreviousAnswer()
{
    const qint64 shown = shownAnswerNumber();
    if (shown <= 1) {
        showExclamation(tr("You are currently at Answer 1."));
        return;
    }
    showFieldAnswer(shown - 1);
}

void ReportPage::goToAnswer()
{
    const QString typed = m_goToNumber->text().trimmed();
    bool isNumber = false;
    const qint64 number = typed.toLongLong(&isNumber);
    isNumber = isNumber && number >= 1;
    const QString code = normalizedReceipt(typed);
    const bool codeShaped = code.size() == 8
        && std::all_of(code.cbegin(), code.cend(), [](QChar c) { return c.isLetterOrNumber(); });
    if (!codeShaped) {
        if (isNumber)
            showFieldAnswer(number);
        else
            showExclamation(
                tr("'%1' is neither an answer number nor a receipt code. Please enter the number of "
                   "an answer, or the 8-character receipt code shown after sending it.")
                    .arg(typed));
        return;
    }
    if (m_tableFields->currentRow() < 0) {
        showExclamation(noFieldSelected());
        return;
    }
    AnswersStore* store = browsingStore(Aloud);
    if (!store)
        return;
    const Result<std::optional<qint64>> row = findRowByReceipt(*store, m_table, code);
    if (!row) {
        showExclamation(tr("The receipt code '%1' could not be looked up in database table '%2' (%3).")
                            .arg(typed, m_table, row.error().detail));
        return;
    }
    const std::optional<qint64> found = *row ? m_positions.numberOf(*store, **row) : std::nullopt;
    if (found)
        showFieldAnswer(*found);
    else if (isNumber) // eight digits that are no receipt: an answer number after all
        showFieldAnswer(number);
    else
        showExclamation(tr("No answer has the receipt code '%1'.").arg(typed));
}

// --- Report documents ---------------------------------------------------------------

ReportTarget ReportPage::reportTarget() const
{
    return ReportTarget::of(m_session, m_documentName->text());
}

void ReportPage::createReport()
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
    quenlow::createReport(ReportTarget::of(m_session, name));
}

bool ReportPage::offerNewReport(const QString& what)
{
    const ReportTarget target = reportTarget();
    if (QFileInfo::exists(target.documentPath()))
        return true;
    if (!askYesNo(tr("The word document '%1' does not exist yet in %2. Do you want to create it now and add "
                     "the %3 to it?")
                      .arg(target.documentName, target.reportsFolder, what),
            MessageIcon::Question))
        return false;
    createReport();
    return QFileInfo::exists(reportTarget().documentPath());
}

void ReportPage::addTableToReport()
{
    const bool wholeTable = m_tableFields->count() == m_reportTableFields->count();
    quenlow::addTableToReport(
        reportTarget(), reportTableFields(), wholeTable, window(), [this] { m_reportTableFields->clear(); });
}

void ReportPage::addAnswerToReport()
{
    addTextToReport(reportTarget(), m_answerText->toPlainText(), window());
}

void ReportPage::addSummaryToReport()
{
    // Without a choice or number question there is nothing to summarise, and the
    // addition says so before any document is wanted.
    bool choices = false;
    m_session.collection().forEach(
        [&](const FormMethod& method) { choices = choices || isSummarised(method); });
    if (choices && !offerNewReport(tr("summary")))
        return;
    quenlow::addSummaryToReport(reportTarget(), m_session.collection(), window());
}

// --- The store the browsing reads ------------------------------------------------

AnswersStore* ReportPage::browsingStore(Announce announce)
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
            showExclamation(databaseUnavailable(m_session.databasePath(), opened.error().detail));
        return nullptr;
    }
    m_store = std::move(opened).value();
    return m_store.get();
}

qint64 ReportPage::showAnswerTotal(AnswersStore& store)
{
    // The span, not a count of its own: the store keeps it while the table is unchanged.
    const auto span = store.rowSpan(m_table);
    const qint64 total = span ? span->count : -1;
    m_answerTotal->setText(total >= 0 ? tr("of %1").arg(total) : QString());
    if (!m_session.collection().isEmpty()) {
        FormOverview form;
        form.name = m_session.openFormName();
        form.settings = formSettingsOf(m_session.collection().atPosition(0));
        if (total >= 0)
            form.answers = total;
        m_formState->setText(tr("Form state: %1").arg(formStateText(form, QDateTime::currentDateTime())));
    }
    return total;
}

} // namespace quenlow
