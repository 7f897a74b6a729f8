// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/ScaleForm.h"

#include "core/Messages.h"
#include "editors/QuestionSettingsBox.h"
#include "model/FormSession.h"
#include "model/Fragments.h"
#include "model/ScaleQuestion.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quenlow {

ScaleForm::ScaleForm(FormSession& session, QWidget* parent)
    : EditorWindow(session, QStringLiteral("ScaleForm"), addCaption(), parent)
{
    auto* description = addLabel(QStringLiteral("Description"),
        tr("A scale lets the form filler rate something by choosing one number, from the low end of the "
           "scale to its high end (e.g. from 1, \"Not at all\", to 5, \"Very much\")."));
    auto* instructionLabel
        = addLabel(QStringLiteral("UserInstruction"), tr("Please enter the question for the scale  :"));
    m_instruction = addLineEdit(QStringLiteral("ScaleUserInstruction"));
    auto* fromLabel = addLabel(QStringLiteral("ScaleFromLabel"), tr("The scale starts at :"));
    m_from = new QComboBox(this);
    m_from->setObjectName(QStringLiteral("ScaleFrom"));
    for (int n = kScaleLowestFrom; n <= kScaleHighestFrom; ++n)
        m_from->addItem(QString::number(n), n);
    auto* toLabel = addLabel(QStringLiteral("ScaleToLabel"), tr("The scale ends at :"));
    m_to = new QComboBox(this);
    m_to->setObjectName(QStringLiteral("ScaleTo"));
    for (int n = kScaleLowestTo; n <= kScaleHighestTo; ++n)
        m_to->addItem(QString::number(n), n);
    auto* lowLabel
        = addLabel(QStringLiteral("ScaleLowLabelPrompt"), tr("Label at the low end (e.g. \"Not at all\") :"));
    m_lowLabel = addLineEdit(QStringLiteral("ScaleLowLabel"));
    auto* highLabel = addLabel(
        QStringLiteral("ScaleHighLabelPrompt"), tr("Label at the high end (e.g. \"Very much\") :"));
    m_highLabel = addLineEdit(QStringLiteral("ScaleHighLabel"));
    fromLabel->setBuddy(m_from);
    toLabel->setBuddy(m_to);
    m_add = addButton(QStringLiteral("AddScale"), tr("Add Scale to HTML Form"));
    m_finish = addButton(QStringLiteral("FinishScale"), tr("Cancel"));

    layOutBoxes(description,
        { { instructionLabel, m_instruction }, { fromLabel, m_from }, { toLabel, m_to },
            { lowLabel, m_lowLabel }, { highLabel, m_highLabel } },
        m_add, m_finish, addQuestionSettings());

    // A fresh window proposes the next numbered question and a scale of 1 to 5.
    const ScaleQuestion defaults;
    proposeInstruction(m_instruction);
    m_from->setCurrentIndex(m_from->findData(defaults.from));
    m_to->setCurrentIndex(m_to->findData(defaults.to));

    connect(m_add, &QPushButton::clicked, this, &ScaleForm::confirm);
    connect(m_finish, &QPushButton::clicked, this, &QWidget::close);
}

void ScaleForm::fillForEdit(const FormMethod& method)
{
    beginEdit(method);
    const ScaleQuestion scale = scaleOf(method);
    m_instruction->setText(method.userInstruction);
    m_from->setCurrentIndex(m_from->findData(scale.from));
    m_to->setCurrentIndex(m_to->findData(scale.to));
    m_lowLabel->setText(scale.lowLabel);
    m_highLabel->setText(scale.highLabel);
    setWindowTitle(tr("Edit Scale"));
    m_add->setText(tr("Update Scale"));
}

void ScaleForm::confirm()
{
    const QString instruction = boxText(m_instruction);
    if (instruction.isEmpty()) {
        showExclamation(tr("The question text box is empty. You must first enter the question the scale "
                           "answers."));
        return;
    }
    ScaleQuestion scale;
    scale.from = m_from->currentData().toInt();
    scale.to = m_to->currentData().toInt();
    scale.lowLabel = boxText(m_lowLabel).trimmed();
    scale.highLabel = boxText(m_highLabel).trimmed();
    const FormMethod method
        = finished(scaleMethod(instruction, scale), questionSettings()->applyTo(storedSettings()));
    if (insertOrUpdate(
            method, mode() == Mode::Add, tr("You don't currently have a Form Open to add a Scale to."), true))
        close();
}

} // namespace quenlow
