// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "reporter/AnswerPositions.h"
#include "reporter/ReportDocuments.h"

#include <QGroupBox>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace quenlow {

class AnswersStore;
class FormSession;

/// The reporter's first tab, "Frame1(1)": the report document's name, the
/// questions that can go into its table and those chosen for it, and the
/// answers of one question browsed one at a time.
///
/// A row of TableFieldsList carries its question's text as item data (the
/// row shows the element list's row text); a row of ReportTableFieldsList
/// is a column name.
class ReportPage final : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportPage)

public:
    ReportPage(FormSession& session, QWidget* parent);
    ~ReportPage() override;

    /// The opening: the reportable fields, answer 1 of the first one, the
    /// default document name, the answer total.
    void open();

    /// The question of each row of TableFieldsList, in their order.
    QStringList reportableFields() const;
    /// The column names listed for the report table, in their order.
    QStringList reportTableFields() const;
    /// The report document named in WordDocumentName.
    ReportTarget reportTarget() const;
    /// An addition to the report without a report document: offers to create
    /// it as "Create New Report" does. True when it is there now.
    bool offerNewReport(const QString& what);
    /// After answers were deleted: the total and the answer shown, of the answers left.
    void showAnswersLeft();

    // What the buttons run.
    void loadTableFields();
    /// Shows answer `number` (1-based) of the selected question.
    void showFieldAnswer(qint64 number);
    void addFieldToReportTable();
    void addAllFields();
    void removeFieldFromReportTable();
    void removeAllFields();
    void viewAnswerOne();
    void viewNextAnswer();
    void viewPreviousAnswer();
    /// Shows the answer GoToAnswerNumber names: by its number, or by the
    /// receipt code its sender was given.
    void goToAnswer();
    void createReport();
    void addTableToReport();
    void addAnswerToReport();
    void addSummaryToReport();

private:
    /// Whether a failure is told in a message, or only leaves things as they were.
    enum Announce { Aloud, Quietly };
    /// The store the browsing reads, opened once; nullptr when it cannot be opened.
    AnswersStore* browsingStore(Announce announce);
    /// "of N" beside the answer number: how many answers the table holds (returned; -1 when unknown).
    qint64 showAnswerTotal(AnswersStore& store);
    void showArrival(AnswersStore& store, std::optional<qint64> rowId);
    void showAnswer(qint64 number, Announce announce);
    qint64 shownAnswerNumber() const;
    /// Adds `field` (a question) to the report table; false on a duplicate.
    bool addToReportTable(const QString& field);
    /// The question of a row of TableFieldsList.
    QString questionAt(int row) const;

    FormSession& m_session;
    QString m_table;
    std::shared_ptr<AnswersStore> m_store;
    AnswerPositions m_positions;

    QLineEdit* m_documentName = nullptr;
    QListWidget* m_tableFields = nullptr;
    QListWidget* m_reportTableFields = nullptr;
    QLabel* m_questionText = nullptr;
    QPlainTextEdit* m_answerText = nullptr;
    QLabel* m_answerNumber = nullptr;
    QLabel* m_answerTotal = nullptr;
    QLabel* m_answerArrival = nullptr;
    QLineEdit* m_goToNumber = nullptr;
    QLabel* m_formState = nullptr;
};

} // namespace quenlow
