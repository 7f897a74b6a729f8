// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "editors/QuestionSettingsBox.h"
#include "model/ElementKind.h"

#include "model/FormMethod.h"
#include "model/FormSession.h"
#include "model/ScaleQuestion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace quenlow {

QuestionSettingsBox::QuestionSettingsBox(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("QuestionSettings"));
    m_required = new QCheckBox(tr("An answer is required"), this);
    m_required->setObjectName(QStringLiteral("AnswerRequired"));
    m_shuffle = new QCheckBox(tr("Show the options in a new order to each person"), this);
    m_shuffle->setObjectName(QStringLiteral("ShuffleOptions"));
    m_shuffle->hide();
    m_other = new QCheckBox(tr("Offer \"Other:\" with a box to type an answer"), this);
    m_other->setObjectName(QStringLiteral("OtherAnswer"));
    m_other->hide();
    auto* askLabel = m_askLabel = new QLabel(tr("Ask this question :"), this);
    askLabel->setObjectName(QStringLiteral("AskOnlyIfLabel"));
    m_askOnlyIf = new QComboBox(this);
    m_askOnlyIf->setObjectName(QStringLiteral("AskOnlyIf"));
    m_askOnlyIf->addItem(tr("Always"));
    auto* answerLabel = m_answerLabel = new QLabel(tr("only when its answer is :"), this);
    answerLabel->setObjectName(QStringLiteral("AskOnlyIfAnswerLabel"));
    m_answer = new QComboBox(this);
    m_answer->setObjectName(QStringLiteral("AskOnlyIfAnswer"));
    m_answer->setEnabled(false);
    askLabel->setBuddy(m_askOnlyIf);
    answerLabel->setBuddy(m_answer);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_required, 0, 0, 1, 2);
    layout->addWidget(askLabel, 1, 0);
    layout->addWidget(m_askOnlyIf, 1, 1);
    layout->addWidget(answerLabel, 2, 0);
    layout->addWidget(m_answer, 2, 1);
    layout->addWidget(m_shuffle, 3, 0, 1, 2);
    layout->addWidget(m_other, 4, 0, 1, 2);
    layout->setColumnStretch(1, 1);

    connect(m_askOnlyIf, &QComboBox::currentIndexChanged, this, &QuestionSettingsBox::fillAnswers);
}

void QuestionSettingsBox::offerConditions(const QList<ConditionChoice>& choices)
{
    const QString question = m_askOnlyIf->currentIndex() > 0 ? m_askOnlyIf->currentText() : QString();
    const QString answer = m_answer->currentData().toString();
    m_choices = choices;
    {
        const QSignalBlocker blocker(m_askOnlyIf);
        while (m_askOnlyIf->count() > 1)
            m_askOnlyIf->removeItem(1);
        for (const ConditionChoice& choice : choices)
            m_askOnlyIf->addItem(choice.question);
        m_askOnlyIf->setCurrentIndex(0);
    }
    int row = 0;
    for (int i = 0; i < choices.size() && !question.isEmpty(); ++i) {
        if (choices.at(i).question == question)
            row = i + 1;
    }
    m_askOnlyIf->setCurrentIndex(row);
    fillAnswers();
    if (row > 0 && m_answer->findData(answer) >= 0)
        m_answer->setCurrentIndex(m_answer->findData(answer));
}

void QuestionSettingsBox::offerChoiceSettings(bool other)
{
    m_shuffle->show();
    m_other->setVisible(other);
}

void QuestionSettingsBox::showSettings(const QuestionSettings& settings)
{
    m_required->setChecked(settings.rules.required);
    m_shuffle->setChecked(settings.shuffleOptions);
    m_other->setChecked(settings.otherAnswer);
    const AskCondition& condition = settings.condition;
    if (condition.always()) {
        m_askOnlyIf->setCurrentIndex(0);
        return;
    }
    int row = -1;
    for (int i = 0; i < m_choices.size(); ++i) {
        if (m_choices.at(i).question == condition.question)
            row = i;
    }
    if (row < 0) {
        m_choices.append({ condition.question, { condition.answer } });
        m_askOnlyIf->addItem(condition.question);
        row = int(m_choices.size()) - 1;
    } else if (!m_choices.at(row).answers.contains(condition.answer)) {
        m_choices[row].answers.append(condition.answer);
    }
    m_askOnlyIf->setCurrentIndex(row + 1);
    fillAnswers();
    m_answer->setCurrentIndex(m_answer->findData(condition.answer));
}

QuestionSettings QuestionSettingsBox::applyTo(QuestionSettings settings) const
{
    settings.rules.required = m_required->isChecked();
    if (!m_shuffle->isHidden())
        settings.shuffleOptions = m_shuffle->isChecked();
    if (!m_other->isHidden())
        settings.otherAnswer = m_other->isChecked();
    const int row = m_askOnlyIf->currentIndex() - 1;
    if (row >= 0 && row < m_choices.size() && m_answer->currentIndex() >= 0)
        settings.condition = { m_choices.at(row).question, m_answer->currentData().toString() };
    else
        settings.condition = {};
    return settings;
}

void QuestionSettingsBox::setChangeable(bool changeable)
{
    m_required->setEnabled(changeable);
    m_shuffle->setEnabled(changeable);
    m_other->setEnabled(changeable);
    m_askOnlyIf->setEnabled(changeable);
    m_answer->setEnabled(changeable && m_askOnlyIf->currentIndex() > 0);
}

void QuestionSettingsBox::moveInto(QGridLayout* grid)
{
    const int row = grid->rowCount();
    grid->addWidget(m_required, row, 0, 1, 2);
    grid->addWidget(m_askLabel, row + 1, 0);
    grid->addWidget(m_askOnlyIf, row + 1, 1);
    grid->addWidget(m_answerLabel, row + 2, 0);
    grid->addWidget(m_answer, row + 2, 1);
    grid->addWidget(m_shuffle, row + 3, 0, 1, 2);
    grid->addWidget(m_other, row + 4, 0, 1, 2);
    hide();
}

void QuestionSettingsBox::followInTabOrder(QWidget* previous)
{
    setTabOrder(previous, m_required);
    setTabOrder(m_required, m_askOnlyIf);
    setTabOrder(m_askOnlyIf, m_answer);
    setTabOrder(m_answer, m_shuffle);
    setTabOrder(m_shuffle, m_other);
}

void QuestionSettingsBox::fillAnswers()
{
    const int row = m_askOnlyIf->currentIndex() - 1;
    m_answer->clear();
    if (row >= 0 && row < m_choices.size()) {
        const ConditionChoice& choice = m_choices.at(row);
        for (const QString& answer : choice.answers) {
            QString shown = answer;
            if (choice.box && answer == checkedAnswer())
                shown = tr("Checked");
            else if (choice.box && answer == notCheckedAnswer())
                shown = tr("Not Checked");
            m_answer->addItem(shown, answer);
        }
    }
    m_answer->setEnabled(m_askOnlyIf->isEnabled() && row >= 0);
}

} // namespace quenlow
