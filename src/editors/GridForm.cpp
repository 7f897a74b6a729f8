// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/GridForm.h"

#include "core/Messages.h"
#include "editors/QuestionSettingsBox.h"
#include "model/FormSession.h"
#include "model/FormSettings.h"
#include "model/Fragments.h"
#include "model/GridQuestion.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenlow {

namespace {

QStringList itemsOf(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}

} // namespace

GridForm::GridForm(FormSession& session, QWidget* parent)
    : EditorWindow(session, QStringLiteral("GridForm"), addCaption(), parent)
{
    auto* description = addLabel(QStringLiteral("Description"),
        tr("A grid asks several statements at once, each answered with one of the same answers (e.g. how "
           "much the form filler agrees with each). Each statement is a question of its own in the answers "
           "table."));
    auto* instructionLabel
        = addLabel(QStringLiteral("UserInstruction"), tr("Please enter the question for the grid  :"));
    m_instruction = addLineEdit(QStringLiteral("GridUserInstruction"));
    m_rows = makeListBox(QStringLiteral("GridRowBox"), QString(), QStringLiteral("GridRowText"),
        QStringLiteral("GridRows"), QStringLiteral("AddGridRow"), tr("Add Statement"),
        QStringLiteral("RemoveGridRow"), tr("Remove Statement"));
    auto* presetLabel = addLabel(QStringLiteral("GridPresetLabel"), tr("Fill the answers with :"));
    m_preset = new QComboBox(this);
    m_preset->setObjectName(QStringLiteral("GridPreset"));
    m_preset->addItem(tr("None"), int(GridPreset::None));
    m_preset->addItem(tr("Agree (five points)"), int(GridPreset::Agree));
    m_preset->addItem(tr("Satisfied (five points)"), int(GridPreset::Satisfied));
    m_preset->addItem(tr("How often (five points)"), int(GridPreset::HowOften));
    presetLabel->setBuddy(m_preset);
    m_columns = makeListBox(QStringLiteral("GridColumnBox"), QString(), QStringLiteral("GridColumnText"),
        QStringLiteral("GridColumns"), QStringLiteral("AddGridColumn"), tr("Add Answer"),
        QStringLiteral("RemoveGridColumn"), tr("Remove Answer"));
    auto* rowsLabel = addLabel(QStringLiteral("GridRowsLabel"), tr("Statements (rows) :"));
    auto* columnsLabel = addLabel(QStringLiteral("GridColumnsLabel"), tr("Answers (columns) :"));
    m_add = addButton(QStringLiteral("AddGrid"), tr("Add Grid to HTML Form"));
    m_finish = addButton(QStringLiteral("FinishGrid"), tr("Cancel"));

    layOutBoxes(description,
        { { instructionLabel, m_instruction }, { rowsLabel, m_rows.box }, { presetLabel, m_preset },
            { columnsLabel, m_columns.box } },
        m_add, m_finish, addQuestionSettings());
    // Its statements may be shown in an order of each page's own; no "Other:".
    questionSettings()->offerChoiceSettings(false);
    proposeInstruction(m_instruction);

    connect(m_rows.add, &QPushButton::clicked, this, [this] {
        addItem(m_rows, tr("The statement text box is empty. You must first enter a statement."));
    });
    connect(m_rows.remove, &QPushButton::clicked, this, [this] { removeItem(m_rows); });
    connect(m_columns.add, &QPushButton::clicked, this,
        [this] { addItem(m_columns, tr("The answer text box is empty. You must first enter an answer.")); });
    connect(m_columns.remove, &QPushButton::clicked, this, [this] { removeItem(m_columns); });
    connect(m_preset, &QComboBox::activated, this, &GridForm::presetChosen);
    connect(m_add, &QPushButton::clicked, this, &GridForm::confirm);
    connect(m_finish, &QPushButton::clicked, this, &QWidget::close);
}

GridForm::ListBox GridForm::makeListBox(const QString& boxName, const QString& title,
    const QString& inputName, const QString& listName, const QString& addName, const QString& addText,
    const QString& removeName, const QString& removeText)
{
    ListBox b;
    b.box = new QGroupBox(title, this);
    b.box->setObjectName(boxName);
    b.input = new QLineEdit(b.box);
    b.input->setObjectName(inputName);
    b.list = new QListWidget(b.box);
    b.list->setObjectName(listName);
    b.list->setMinimumHeight(90);
    b.add = new QPushButton(addText, b.box);
    b.add->setObjectName(addName);
    b.remove = new QPushButton(removeText, b.box);
    b.remove->setObjectName(removeName);
    auto* inputRow = new QHBoxLayout;
    inputRow->addWidget(b.input, 1);
    inputRow->addWidget(b.add);
    auto* layout = new QVBoxLayout(b.box);
    layout->addLayout(inputRow);
    layout->addWidget(b.list);
    layout->addWidget(b.remove, 0, Qt::AlignRight);
    // Enter in the input adds what was typed, not the whole element.
    connect(b.input, &QLineEdit::returnPressed, b.add, &QPushButton::click);
    return b;
}

void GridForm::addItem(const ListBox& box, const QString& emptyMessage)
{
    const QString text = boxText(box.input).trimmed();
    if (text.isEmpty()) {
        showExclamation(emptyMessage);
        return;
    }
    if (itemsOf(box.list).contains(text, Qt::CaseInsensitive)) {
        showExclamation(tr("'%1' is already in the list.").arg(text));
        return;
    }
    box.list->addItem(text);
    box.list->setCurrentRow(box.list->count() - 1);
    box.input->clear();
    box.input->setFocus();
}

void GridForm::removeItem(const ListBox& box)
{
    const int row = box.list->currentRow();
    if (row < 0) {
        showExclamation(tr("Sorry, but you don't have an entry of the list selected."));
        return;
    }
    delete box.list->takeItem(row);
}

void GridForm::presetChosen(int index)
{
    // In the form's language: the respondents read them.
    const FormLanguage language = session().collection().isEmpty()
        ? FormLanguage::English
        : formSettingsOf(session().collection().atPosition(0)).language;
    const QStringList answers = gridPresetAnswers(GridPreset(m_preset->itemData(index).toInt()), language);
    if (answers.isEmpty())
        return;
    m_columns.list->clear();
    m_columns.list->addItems(answers);
}

void GridForm::fillForEdit(const FormMethod& method)
{
    beginEdit(method);
    const GridQuestion grid = gridOf(method);
    m_instruction->setText(method.userInstruction);
    m_rows.list->clear();
    m_rows.list->addItems(grid.rows);
    m_columns.list->clear();
    m_columns.list->addItems(grid.answers);
    setWindowTitle(tr("Edit Grid"));
    m_add->setText(tr("Update Grid"));
}

void GridForm::confirm()
{
    const QString instruction = boxText(m_instruction);
    if (instruction.isEmpty()) {
        showExclamation(tr("The question text box is empty. You must first enter the question the grid "
                           "asks."));
        return;
    }
    GridQuestion grid { itemsOf(m_rows.list), itemsOf(m_columns.list) };
    if (grid.rows.isEmpty()) {
        showExclamation(tr("You must first enter some statements."));
        return;
    }
    if (grid.answers.size() < 2) {
        showExclamation(tr("You must first enter at least two answers."));
        return;
    }
    const FormMethod method
        = finished(gridMethod(instruction, grid), questionSettings()->applyTo(storedSettings()));
    if (insertOrUpdate(
            method, mode() == Mode::Add, tr("You don't currently have a Form Open to add a Grid to."), true))
        close();
}

} // namespace quenlow
