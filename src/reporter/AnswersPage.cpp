// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "reporter/AnswersPage.h"

#include "core/Messages.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "model/FormSession.h"
#include "model/OwnedColumns.h"
#include "reporter/AnswerView.h"
#include "reporter/AnswersTableModel.h"
#include "reporter/ReporterControls.h"
#include "reporter/ReporterTexts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QTableView>
#include <QVBoxLayout>

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

} // namespace

AnswersPage::AnswersPage(FormSession& session, QWidget* parent)
    : QGroupBox(tr("Answers"), parent)
    , m_session(session)
    , m_table(AnswersStore::tableFor(session.openFormName()))
{
    setObjectName(u"Frame1(3)"_s);
    auto* filterRow = new QHBoxLayout;
    auto* filterCaption = new QLabel(tr("Show answers containing:"), this);
    m_filter = reporter::named(new QLineEdit(this), u"AnswersFilter"_s);
    m_filter->setClearButtonEnabled(true);
    auto* remove = reporter::button(u"DeleteAnswer"_s, tr("Delete Answer…"), this);
    filterRow->addWidget(filterCaption);
    filterRow->addWidget(m_filter, 1);
    filterRow->addWidget(remove);

    m_view = reporter::named(new QTableView(this), u"AnswersTable"_s);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    // Fixed row heights: the view never measures rows it does not show.
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_view->horizontalHeader()->setDefaultSectionSize(160);
    m_view->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(m_view, 1);

    // The heading's menu hides and shows columns; a row opens whole.
    m_view->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view->horizontalHeader(), &QWidget::customContextMenuRequested, this,
        &AnswersPage::showColumnsMenu);
    connect(m_view, &QAbstractItemView::doubleClicked, this,
        [this](const QModelIndex& index) { openAnswer(index.row()); });
    m_view->installEventFilter(this);

    // Filtering reads the table again: do it when the typing stops.
    connect(m_filter, &QLineEdit::returnPressed, this, [this] {
        if (!m_model)
            return;
        if (const Result<void> read = m_model->setFilterText(m_filter->text()); !read)
            showExclamation(reporter::tableUnreadable(m_table, read.error().detail));
    });
    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_model || !text.isEmpty())
            return;
        if (const Result<void> read = m_model->setFilterText(QString()); !read)
            showExclamation(reporter::tableUnreadable(m_table, read.error().detail));
    });
    connect(remove, &QPushButton::clicked, this, &AnswersPage::deleteSelectedAnswers);
}

AnswersPage::~AnswersPage() = default;

void AnswersPage::showAnswers()
{
    if (m_model) {
        if (const Result<void> read = m_model->refresh(); !read)
            showExclamation(reporter::tableUnreadable(m_table, read.error().detail));
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
        m_session.collection().forEach([&](const FormMethod& method) {
            for (const OwnedColumn& owned : answerColumnsOf(method)) {
                if (present.contains(asciiFolded(owned.name)))
                    columns.append(owned.name);
            }
        });
    }
    m_model = new AnswersTableModel(m_session.databasePath(), m_table, columns, this);
    // Queued: a page of rows is read while the view paints, where no box may open.
    connect(
        m_model, &AnswersTableModel::readFailed, this,
        [this](const Error& error) { showExclamation(reporter::tableUnreadable(m_table, error.detail)); },
        Qt::QueuedConnection);
    const Result<void> read = m_model->refresh();
    m_view->setModel(m_model);
    // Stored order until a heading is clicked: the indicator first, or
    // enabling sorting would sort by the first column at once.
    m_view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_view->setSortingEnabled(true);
    const QStringList hidden = QSettings().value(hiddenColumnsKey()).toStringList();
    for (int column = 0; column < m_model->columnCount(); ++column)
        m_view->setColumnHidden(column, hidden.contains(columnKey(column)));
    if (!read)
        showExclamation(reporter::tableUnreadable(m_table, read.error().detail));
}

QString AnswersPage::columnKey(int column) const
{
    // The questions by their column names; the columns after them by a name
    // no column of answers has.
    const int extra = column - (m_model->columnCount() - AnswersTableModel::kExtraColumns);
    if (extra >= 0)
        return QStringList { u"quenlow:Submitted"_s, u"quenlow:Changed"_s, u"quenlow:Receipt"_s }.value(
            extra);
    return m_model->headerData(column, Qt::Horizontal).toString();
}

QString AnswersPage::hiddenColumnsKey() const
{
    return u"reporter/hiddenAnswerColumns/"_s + m_table;
}

void AnswersPage::setColumnShown(int column, bool shown)
{
    if (!m_model || column < 0 || column >= m_model->columnCount())
        return;
    m_view->setColumnHidden(column, !shown);
    QStringList hidden;
    for (int c = 0; c < m_model->columnCount(); ++c) {
        if (m_view->isColumnHidden(c))
            hidden.append(columnKey(c));
    }
    QSettings settings;
    if (hidden.isEmpty())
        settings.remove(hiddenColumnsKey());
    else
        settings.setValue(hiddenColumnsKey(), hidden);
}

void AnswersPage::showColumnsMenu(const QPoint& at)
{
    if (!m_model)
        return;
    QMenu menu(this);
    menu.setObjectName(u"AnswersColumnsMenu"_s);
    int shown = 0;
    for (int column = 0; column < m_model->columnCount(); ++column)
        shown += m_view->isColumnHidden(column) ? 0 : 1;
    for (int column = 0; column < m_model->columnCount(); ++column) {
        QAction* action = menu.addAction(m_model->headerData(column, Qt::Horizontal).toString());
        action->setCheckable(true);
        action->setChecked(!m_view->isColumnHidden(column));
        // The last column shown stays: a table of no columns could not be given any back.
        action->setEnabled(m_view->isColumnHidden(column) || shown > 1);
        connect(action, &QAction::toggled, this, [this, column](bool on) { setColumnShown(column, on); });
    }
    menu.exec(m_view->horizontalHeader()->mapToGlobal(at));
}

void AnswersPage::openAnswer(int row)
{
    if (!m_model)
        return;
    const std::optional<AnswersTableModel::Answer> answer = m_model->answerAt(row);
    if (!answer)
        return;
    AnswerView view(*answer, row + 1, this);
    view.exec();
}

bool AnswersPage::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on a row opens it, as a double-click does.
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_view->currentIndex().isValid()) {
            openAnswer(m_view->currentIndex().row());
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

void AnswersPage::deleteSelectedAnswers()
{
    QList<qint64> ids;
    if (m_model) {
        for (const QModelIndex& index : m_view->selectionModel()->selectedRows()) {
            if (const qint64 id = m_model->rowIdAt(index.row()); id >= 0)
                ids.append(id);
        }
    }
    if (ids.isEmpty()) {
        showExclamation(tr("Select the answers to delete in the table first."));
        return;
    }
    const QString question = ids.size() == 1
        ? tr("Do you want to delete the selected answer? It cannot be brought back.")
        : tr("Do you want to delete the %1 selected answers? They cannot be brought back.").arg(ids.size());
    if (!askBeforeDestroying(question, MessageIcon::Question))
        return;
    if (const Result<void> deleted = m_model->deleteAnswers(ids); !deleted) {
        showExclamation(reporter::tableUnreadable(m_table, deleted.error().detail));
        return;
    }
    emit answersDeleted();
}

} // namespace quenlow
