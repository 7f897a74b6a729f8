// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "main/OpenForm.h"

#include "database/AnswersStore.h"
#include "main/FolderLists.h"
#include "model/CollectionFile.h"
#include "model/FormChanges.h"
#include "model/FormSession.h"
#include "model/Publication.h"
#include "platform/OutcomeMessages.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace quenlow {

namespace {

constexpr int kDetailsRole = Qt::UserRole + 1;

// The pages that come with the program: shown by the View menu, never opened as forms.
bool programPage(const QString& page)
{
    return isProgramPage(page);
}

// Draws a form's details in a quieter colour after its page name; the row's
// text stays the page name, which is what is opened.
class FormRowDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const QString details = index.data(kDetailsRole).toString();
        if (details.isEmpty())
            return;
        const int nameWidth = option.fontMetrics.horizontalAdvance(index.data().toString());
        QRect area = option.rect.adjusted(nameWidth + 24, 0, -4, 0);
        if (area.width() <= 0)
            return;
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText));
        painter->drawText(area, Qt::AlignVCenter | Qt::AlignLeft,
            option.fontMetrics.elidedText(details, Qt::ElideRight, area.width()));
        painter->restore();
    }
};

QString answersText(qint64 count)
{
    return count == 1 ? QCoreApplication::translate("OpenForm", "1 answer")
                      : QCoreApplication::translate("OpenForm", "%1 answers").arg(count);
}

} // namespace

OpenForm::OpenForm(FormSession& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("OpenForm"));
    setWindowTitle(tr("Open"));
    setModal(true);

    m_fileNameToOpen = new QLineEdit(this);
    m_fileNameToOpen->setObjectName(QStringLiteral("FileNameToOpen"));
    m_dirList = new DirectoryList(this);
    m_dirList->setObjectName(QStringLiteral("dirList"));
    m_filList = new FileList(this);
    m_filList->setObjectName(QStringLiteral("filList"));
    m_openFile = new QPushButton(tr("Open"), this);
    m_openFile->setObjectName(QStringLiteral("OpenFile"));
    m_openFile->setDefault(true);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("Cancel"));

    auto* lists = new QHBoxLayout;
    lists->addWidget(m_filList, 2); // room for each form's details
    lists->addWidget(m_dirList, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_openFile);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fileNameToOpen);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    setTabOrder(m_fileNameToOpen, m_filList);
    setTabOrder(m_filList, m_dirList);
    setTabOrder(m_dirList, m_openFile);
    setTabOrder(m_openFile, m_cancel);
    resize(700, 360);

    connect(m_dirList, &DirectoryList::pathChanged, m_filList, &FileList::setPath);
    m_filList->setItemDelegate(new FormRowDelegate(m_filList));
    connect(m_filList, &FileList::refreshed, this, &OpenForm::describeForms);
    // A click, or moving along the list with the keys, names the file to open.
    // (Selection, not the current row: the list gets a current row merely by
    // taking the focus, and that must not overwrite a typed name.)
    connect(m_filList, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = m_filList->selectedItems();
        if (!selected.isEmpty())
            m_fileNameToOpen->setText(selected.constFirst()->text());
    });
    connect(m_filList, &QListWidget::itemClicked, this,
        [this](QListWidgetItem* item) { m_fileNameToOpen->setText(item->text()); });
    connect(m_filList, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        m_fileNameToOpen->setText(item->text());
        m_openFile->click();
    });
    connect(m_openFile, &QPushButton::clicked, this, &OpenForm::openFile);
    connect(m_cancel, &QPushButton::clicked, this, &OpenForm::reject);
}

void OpenForm::patternChange(const QString& pattern)
{
    m_filList->setPattern(pattern);
}

void OpenForm::closeEvent(QCloseEvent* event)
{
    m_closed = true;
    QDialog::closeEvent(event);
}

void OpenForm::describeForms()
{
    // A rename or deletion cut short is settled first, so that the list shows the forms as they are.
    if (finishFormChange(m_session)) {
        m_filList->refresh();
        return;
    }
    const auto store = openAnswersStore(m_session.databasePath());
    for (int row = m_filList->count() - 1; row >= 0; --row) {
        QListWidgetItem* item = m_filList->item(row);
        if (programPage(item->text())) {
            delete m_filList->takeItem(row);
            continue;
        }
        if (!item->text().endsWith(QStringLiteral(".html"), Qt::CaseInsensitive))
            continue;
        const QString form = formNameOf(item->text());
        QStringList details;
        const ParsedCollection parsed = readCollectionFile(m_session.collectionFilePath(form));
        if (const std::optional<HeaderFacts> facts = parsed.ok() ? headerFacts(parsed.methods) : std::nullopt)
            details.append(facts->title);
        const QString table = AnswersStore::tableFor(form);
        if (store && (*store)->tableExists(table).valueOr(false)) {
            const auto span = (*store)->rowSpan(table);
            if (span && span->count > 0) {
                QString answers = answersText(span->count);
                const auto last = (*store)->arrivalOf(table, span->last);
                if (last && *last)
                    answers
                        += tr(", the last on %1")
                               .arg(QLocale().toString(last->value().toLocalTime(), QLocale::ShortFormat));
                details.append(answers);
            } else if (span) {
                details.append(answersText(0));
            }
        }
        const QString text = details.join(QStringLiteral(" \u00b7 "));
        item->setData(kDetailsRole, text);
        item->setToolTip(text);
    }
}

void OpenForm::openFile()
{
    hide();
    // The help page beside an open form, as the View menu shows it: the form stays open.
    if (programPage(m_fileNameToOpen->text()) && m_session.isFormOpen()) {
        m_session.showInBrowser(m_fileNameToOpen->text());
        if (m_fileNameToOpen->text() != QLatin1StringView("dbTableOfAnswers.html"))
            m_session.setHtmlFrameCaption(QStringLiteral("Help Pages"));
        return;
    }
    // Only the name travels: the form comes from the program's folders.
    loadFormTelling(m_session, m_fileNameToOpen->text());
}

} // namespace quenlow
