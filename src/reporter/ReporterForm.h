// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>

class QStackedLayout;
class QTabBar;

namespace quenlow {

class AnswersPage;
class AnswersTableModel;
class ChartControl;
class FormSession;
class GraphsPage;
class ParticipationPage;
class ReportPage;

/// The reporter: the open form's answers, browsed question by question,
/// exported to a report document, charted, and shown as a table. It reads the
/// element list and the answers table and changes neither (answers are only
/// deleted on the person's word).
///
/// Three pages under the tab strip TabStrip1, one shown at a time, each a
/// class of its own: "Frame1(1)" (`ReportPage`: the report), "Frame1(2)"
/// (`GraphsPage`: charts) and "Frame1(3)" (`AnswersPage`: the answers
/// table), and "Frame1(4)" (`ParticipationPage`: who of those invited has
/// answered). The window holds the tab strip, the Answers menu and
/// ExitReporter. Every control carries its name as objectName.
class ReporterForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReporterForm)

public:
    /// Builds the window and runs its opening: the report page, the reportable
    /// fields, answer 1 of the first one, the default document name.
    explicit ReporterForm(FormSession& session, QWidget* parent = nullptr);
    ~ReporterForm() override;

    ReportPage* reportPage() const { return m_reportPage; }
    GraphsPage* graphsPage() const { return m_graphsPage; }
    AnswersPage* answersPage() const { return m_answersPage; }
    ParticipationPage* participationPage() const { return m_participationPage; }

    // Window state, read from the lists' rows.
    /// The question of each reportable field listed.
    QStringList reportableCollection() const;
    /// The column names listed for the report table.
    QStringList reportTableCollection() const;
    /// The tab shown, from 1.
    qint16 currentFrame() const { return m_currentFrame; }
    QString chartKind() const;
    ChartControl* chart() const;
    AnswersTableModel* answersModel() const;

    /// Test hook: replaces the save dialog of "Export Answers…"; it returns
    /// the chosen path (empty: cancelled). nullptr restores the dialog.
    static void setExportFileChooserForTesting(std::function<QString()> chooser);

private:
    void tabClicked(int index);
    void showFrame(int k);

    FormSession& m_session;
    qint16 m_currentFrame = 1;
    QTabBar* m_tabs = nullptr;
    QStackedLayout* m_pages = nullptr;
    ReportPage* m_reportPage = nullptr;
    GraphsPage* m_graphsPage = nullptr;
    AnswersPage* m_answersPage = nullptr;
    ParticipationPage* m_participationPage = nullptr;
};

} // namespace quenlow
