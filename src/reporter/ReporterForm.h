// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "reporter/AnswerPositions.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStackedLayout;
class QSpinBox;
class QTabBar;
class QTableView;

namespace quenlow {

class AnswersStore;

class AnswersTableModel;
class ChartControl;
class FormSession;

/// The reporter: the open form's answers, browsed question by question,
/// exported to a report document, and charted. It reads the element list and
/// the answers table and changes neither.
///
/// Two pages under the tab strip TabStrip1: "Frame1(1)" (report) and
/// "Frame1(2)" (graphs), one shown at a time. Every control carries its
/// name as objectName.
class ReporterForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReporterForm)

public:
    /// Builds the window and runs its opening: the report page, the reportable
    /// fields, answer 1 of the first one, the default document name.
    explicit ReporterForm(FormSession& session, QWidget* parent = nullptr);
    ~ReporterForm() override;

    // Window state.
    const QStringList& reportableCollection() const { return m_reportableCollection; }
    const QStringList& reportTableCollection() const { return m_reportTableCollection; }
    qint16 currentFrame() const { return m_currentFrame; }
    QString chartKind() const { return m_chartKind; }
    ChartControl* chart() const { return m_chart; }

    // Operations of the window (the buttons run these).
    void LoadTableFields();
    void LoadGraphableFields();
    /// Shows answer `number` (1-based) of the selected question.
    void ShowFieldAnswer(qint64 number);
    /// Counts and draws the selected graphable question as a "Pie" or "Bar" chart.
    void DrawChart(const QString& kind);

    void addFieldToReportTable();
    void addAllFields();
    void removeFieldFromReportTable();
    void removeAllFields();
    void viewAnswerOne();
    void viewNextAnswer();
    void viewPreviousAnswer();
    void createReport();
    void addTableToReport();
    void addAnswerToReport();
    void viewPieChart();
    void viewBarGraph();
    void saveGraphToFile();

    // Answers out (ReporterFormAnswers.cpp).
    /// "Export Answers…": asks where (CSV or XLSX), then writes the file with a progress window.
    void exportAnswers();
    void addChartToReport();
    void addSummaryToReport();
    /// "Delete Answer…": deletes the answers selected in the Answers tab, after asking.
    void deleteSelectedAnswers();
    /// Shows the answer numbered in GoToAnswerNumber.
    void goToAnswer();
    AnswersTableModel* answersModel() const { return m_answersModel; }

    /// Test hook: replaces the save dialog of "Export Answers…"; it returns
    /// the chosen path (empty: cancelled). nullptr restores the dialog.
    static void setExportFileChooserForTesting(std::function<QString()> chooser);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Whether a failure is told in a message, or only leaves things as they were.
    enum Announce { Aloud, Quietly };
    /// The store the browsing reads, opened once; nullptr when it cannot be opened.
    AnswersStore* browsingStore(Announce announce);
    /// "of N" beside the answer number: how many answers the table holds (returned; -1 when unknown).
    qint64 showAnswerTotal(AnswersStore& store);
    void showArrival(AnswersStore& store, std::optional<qint64> rowId);
    void showAnswer(qint64 number, Announce announce);
    /// After answers were deleted: the total and the answer shown, of the answers left.
    void showAnswersLeft();
    /// "Add Chart/Summary to Report" without a report document: offers to
    /// create it as "Create New Report" does. True when it is there now.
    bool offerNewReport(const QString& what);

    void buildWindow();
    QWidget* buildReportPage();
    QWidget* buildGraphsPage();
    void buildAnswersOut();
    QWidget* buildAnswersPage();
    void showAnswersPage();
    void tabClicked(int index);
    void showFrame(int k);
    /// Adds `field` (a question) to the report table; false on a duplicate.
    bool addToReportTable(const QString& field);
    qint64 shownAnswerNumber() const;
    void listClickActions(QListWidget* list, void (ReporterForm::*action)());
    void tableFieldClicked();
    void graphableFieldClicked();

    FormSession& m_session;
    QString m_table;
    std::shared_ptr<AnswersStore> m_store;
    AnswerPositions m_positions;

    // Window state.
    QStringList m_reportableCollection;
    QStringList m_reportTableCollection;
    qint16 m_currentFrame = 1;
    QString m_chartKind;
    // Whether the chart shows counts drawn in this window, or only the empty control.
    bool m_chartDrawn = false;
    /// Element position of each row of GraphAbleData.
    QList<int> m_graphableElements;
    /// Changes of the current row, to tell a click on the current row (which
    /// runs the row's action again) from a click that changed it.
    quint64 m_rowChanges = 0;
    quint64 m_rowChangesAtPress = 0;

    QTabBar* m_tabs = nullptr;
    QStackedLayout* m_pages = nullptr;
    QWidget* m_frames[3] = {};
    QLineEdit* m_documentName = nullptr;
    QListWidget* m_tableFields = nullptr;
    QListWidget* m_reportTableFields = nullptr;
    QLabel* m_questionText = nullptr;
    QPlainTextEdit* m_answerText = nullptr;
    QLabel* m_answerNumber = nullptr;
    QLabel* m_answerTotal = nullptr;
    QLabel* m_answerArrival = nullptr;
    QGroupBox* m_graphFrame = nullptr;
    ChartControl* m_chart = nullptr;
    QListWidget* m_graphable = nullptr;
    QLineEdit* m_graphFileName = nullptr;

    // The Answers tab, built when first shown.
    QTableView* m_answersView = nullptr;
    AnswersTableModel* m_answersModel = nullptr;
    QLineEdit* m_answersFilter = nullptr;
    QSpinBox* m_goToNumber = nullptr;
};

} // namespace quenlow
