// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QGroupBox>
#include <QString>

class QLineEdit;
class QTableView;

namespace quenlow {

class AnswersTableModel;
class FormSession;

/// The reporter's third tab, "Frame1(3)": the answers table itself, its rows
/// filtered by a text and sorted by a heading, selected rows deleted. Who sent
/// what shows beside the answers (submitted, changed, receipt); the heading's
/// menu hides and shows columns, remembered for the form. A double-click or
/// Enter on a row shows the whole answer. The table is read when the tab is
/// first shown, and again each time after.
class AnswersPage final : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnswersPage)

public:
    AnswersPage(FormSession& session, QWidget* parent);
    ~AnswersPage() override;

    /// Reads the table into the view: the first time its columns, then its rows anew.
    void showAnswers();
    /// "Delete Answer…": deletes the answers selected in the table, after asking.
    void deleteSelectedAnswers();
    AnswersTableModel* model() const { return m_model; }
    /// Shows or hides a column of the table, and remembers it for the form.
    void setColumnShown(int column, bool shown);
    /// Shows the whole answer in `row` in a window of its own, "AnswerView".
    void openAnswer(int row);

signals:
    /// Answers are gone: the numbers of those left have moved.
    void answersDeleted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString columnKey(int column) const;
    QString hiddenColumnsKey() const;
    void showColumnsMenu(const QPoint& at);

    FormSession& m_session;
    QString m_table;
    QTableView* m_view = nullptr;
    AnswersTableModel* m_model = nullptr;
    QLineEdit* m_filter = nullptr;
};

} // namespace quenlow
