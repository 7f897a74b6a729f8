// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/EditorWindow.h"

#include "core/Messages.h"
#include "editors/QuestionSettingsBox.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/Fragments.h"
#include "model/HtmlText.h"
#include "model/PageWriter.h"
#include "model/QuestionSettings.h"
#include "model/ScaleQuestion.h"
#include "platform/ElementNames.h"
#include "platform/OutcomeMessages.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quenlow {

bool hasEditableForm(const FormSession& session)
{
    return session.isFormOpen() && !session.collection().isEmpty()
        && session.collection().atPosition(0).kind == ElementKind::Header;
}

EditorWindow::EditorWindow(FormSession& session, const QString& name, const QString& caption, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
{
    setObjectName(name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setSizeGripEnabled(true);
}

QString EditorWindow::boxText(const QLineEdit* box)
{
    return singleLine(box->text());
}

QString EditorWindow::boxText(const QPlainTextEdit* box)
{
    return singleLine(box->toPlainText());
}

bool EditorWindow::checkFormOpen(const QString& message) const
{
    const bool open = hasEditableForm(m_session);
    if (!open)
        showExclamation(message);
    return open;
}

std::optional<int> EditorWindow::selectedPosition() const
{
    const int row = m_session.selectedRow();
    if (row < 0 || row >= m_session.collection().count()) {
        showExclamation(tr("You do not have a Form Method Selected."));
        return std::nullopt;
    }
    return row;
}

bool EditorWindow::insert(const FormMethod& method, bool counted)
{
    return m_session.recordChange(tr("Add %1").arg(shownKindName(method)), [&] {
        if (!tell(m_session, insertMethod(m_session, method)))
            return false;
        if (counted)
            tell(m_session, nextElementNumber(m_session));
        tell(m_session, writeFormPage(m_session, m_session.htmlName()));
        return true;
    });
}

bool EditorWindow::update(const FormMethod& method, int position)
{
    return updateAll({ { method, position } });
}

bool EditorWindow::updateAll(const QList<QPair<FormMethod, int>>& changes)
{
    if (changes.isEmpty())
        return false;
    return m_session.recordChange(tr("Edit %1").arg(shownKindName(changes.first().first)), [&] {
        bool all = true;
        int done = 0;
        for (const auto& [method, position] : changes) {
            if (!tell(m_session, updateMethod(m_session, method, position))) {
                all = false;
                break;
            }
            ++done;
        }
        // The page follows whatever was stored.
        if (done > 0)
            tell(m_session, writeFormPage(m_session, m_session.htmlName()));
        return all;
    });
}

QuestionSettingsBox* EditorWindow::addQuestionSettings()
{
    m_questionSettings = new QuestionSettingsBox(this);
    offerConditions();
    return m_questionSettings;
}

void EditorWindow::offerConditions()
{
    if (!m_questionSettings)
        return;
    const int position = m_mode == Mode::Edit ? m_session.selectedRow() : insertPosition(m_session);
    m_questionSettings->offerConditions(conditionChoices(m_session, position));
}

void EditorWindow::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_mode == Mode::Add)
        offerConditions();
}

void EditorWindow::beginEdit(const FormMethod& method)
{
    m_mode = Mode::Edit;
    m_edited = method;
    if (m_questionSettings) {
        offerConditions();
        m_questionSettings->showSettings(questionSettingsOf(method));
    }
}

QuestionSettings EditorWindow::storedSettings() const
{
    return m_mode == Mode::Edit ? questionSettingsOf(m_edited) : QuestionSettings();
}

FormMethod EditorWindow::finished(FormMethod built, const QuestionSettings& settings) const
{
    if (m_mode == Mode::Edit) {
        // Key lines the editor knows nothing of stay with the element.
        QList<std::pair<QString, QString>> kept;
        for (const auto& line : m_edited.settings) {
            if (isQuestionSettingKey(line.first) || isScaleLabelKey(line.first))
                continue;
            const bool rebuilt = std::any_of(built.settings.cbegin(), built.settings.cend(),
                [&](const auto& own) { return own.first == line.first; });
            if (!rebuilt)
                kept.append(line);
        }
        built.settings += kept;
    }
    return withQuestionSettings(std::move(built), settings);
}

bool EditorWindow::insertOrUpdate(
    const FormMethod& method, bool adding, const QString& noFormMessage, bool counted)
{
    if (adding)
        return checkFormOpen(noFormMessage) && insert(method, counted);
    const auto position = selectedPosition();
    return position && update(method, *position);
}

QString EditorWindow::numberedInstruction() const
{
    return tr("User Instruction %1").arg(m_session.elementCounter() + 1);
}

void EditorWindow::proposeInstruction(QLineEdit* box) const
{
    box->setText(numberedInstruction());
    box->selectAll();
    box->setFocus();
}

QLabel* EditorWindow::addLabel(const QString& name, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

QLineEdit* EditorWindow::addLineEdit(const QString& name, const QString& text)
{
    auto* box = new QLineEdit(text, this);
    box->setObjectName(name);
    return box;
}

QPushButton* EditorWindow::addButton(const QString& name, const QString& text)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QBoxLayout* EditorWindow::bottomRow(QPushButton* left, QPushButton* right)
{
    auto* row = new QHBoxLayout;
    // Enter presses the window's main button (Escape closes it, as any dialog).
    left->setDefault(true);
    row->addWidget(left);
    row->addStretch(1);
    row->addWidget(right);
    return row;
}

void EditorWindow::layOutBoxes(QLabel* description, const QList<QPair<QLabel*, QWidget*>>& rows,
    QPushButton* confirm, QPushButton* closing, QWidget* below)
{
    auto* grid = new QGridLayout;
    for (int row = 0; row < rows.size(); ++row) {
        // The prompts read best on one line each, beside their boxes.
        rows[row].first->setWordWrap(false);
        grid->addWidget(rows[row].first, row, 0);
        grid->addWidget(rows[row].second, row, 1);
    }
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(description);
    layout->addLayout(grid);
    if (auto* settings = qobject_cast<QuestionSettingsBox*>(below)) {
        settings->moveInto(grid);
        if (!rows.isEmpty())
            settings->followInTabOrder(rows.last().second);
    } else if (below)
        layout->addWidget(below);
    layout->addStretch(1);
    layout->addLayout(bottomRow(confirm, closing));
    resize(qMax(640, sizeHint().width()), sizeHint().height());
}

} // namespace quenlow
