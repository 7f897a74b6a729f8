// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "newform/ImportXlsForm.h"

#include "core/Messages.h"
#include "model/Backgrounds.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/PageWriter.h"
#include "model/QuestionNames.h"
#include "newform/NewFormOperations.h"
#include "platform/OutcomeMessages.h"
#include "platform/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenlow {

namespace {

QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString rowLine(const XlsFormRow& row)
{
    return row.name.isEmpty()
        ? QCoreApplication::translate("ImportXlsForm", "row %1: %2").arg(row.number).arg(row.type)
        : QCoreApplication::translate("ImportXlsForm", "row %1: %2 '%3'")
              .arg(row.number)
              .arg(row.type, row.name);
}

QString rowNumbers(const QList<XlsFormRow>& rows)
{
    QStringList numbers;
    for (const XlsFormRow& row : rows)
        numbers.append(QString::number(row.number));
    return numbers.join(QStringLiteral(", "));
}

} // namespace

QString xlsFormProblemText(const XlsFormProblem& problem, const QString& path)
{
    const QString file = shownPath(path);
    const QString nothing = QCoreApplication::translate("ImportXlsForm", "No form has been created.");
    switch (problem.kind) {
    case XlsFormProblem::Unreadable:
        return QCoreApplication::translate("ImportXlsForm", "The file '%1' cannot be read (%2).")
                   .arg(file, problem.detail)
            + QLatin1Char(' ') + nothing;
    case XlsFormProblem::NotWorkbook:
        return QCoreApplication::translate(
                   "ImportXlsForm", "The file '%1' is not an XLSForm: it is not an Excel workbook (.xlsx).")
                   .arg(file)
            + QLatin1Char(' ') + nothing;
    case XlsFormProblem::Damaged:
        return QCoreApplication::translate(
                   "ImportXlsForm", "The workbook '%1' is damaged and cannot be read (%2).")
                   .arg(file, problem.detail)
            + QLatin1Char(' ') + nothing;
    case XlsFormProblem::NoSurveySheet:
        return QCoreApplication::translate(
                   "ImportXlsForm", "The workbook '%1' has no 'survey' sheet, so it holds no XLSForm.")
                   .arg(file)
            + QLatin1Char(' ') + nothing;
    case XlsFormProblem::MissingChoiceList:
        return QCoreApplication::translate(
                   "ImportXlsForm", "The choice list '%1' (%2) is not in the 'choices' sheet of '%3'.")
                   .arg(problem.detail,
                       problem.rows.isEmpty() ? QString() : rowLine(problem.rows.constFirst()), file)
            + QLatin1Char(' ') + nothing;
    case XlsFormProblem::DuplicateName:
        return QCoreApplication::translate("ImportXlsForm",
                   "Two questions of '%1' have the name '%2' (rows %3); each question needs a name of its "
                   "own.")
                   .arg(file, problem.detail, rowNumbers(problem.rows))
            + QLatin1Char(' ') + nothing;
    case XlsFormProblem::Unsupported: {
        QString text = QCoreApplication::translate("ImportXlsForm",
            "These rows of '%1' cannot become part of a Quenlow form (repeats, calculations, "
            "conditions and limits other than a simple comparison, and unknown types):")
                           .arg(file);
        for (const XlsFormRow& row : problem.rows)
            text += QStringLiteral("\n") + rowLine(row);
        return text + QStringLiteral("\n") + nothing;
    }
    case XlsFormProblem::NoQuestions:
        return QCoreApplication::translate(
                   "ImportXlsForm", "The 'survey' sheet of '%1' holds nothing to show or ask.")
                   .arg(file)
            + QLatin1Char(' ') + nothing;
    }
    return nothing;
}

bool createFormFromXlsForm(FormSession& session, const QString& name, const XlsFormContents& contents)
{
    if (!acceptFormName(session, name, true))
        return false;
    if (contents.elements.size() >= kMaxElements) {
        showExclamation(QCoreApplication::translate("ImportXlsForm",
            "The XLSForm has more elements than a form can hold (%1). No form has been created.")
                            .arg(kMaxElements));
        return false;
    }
    // Refused here rather than halfway through adding the questions.
    QStringList questions;
    for (const FormMethod& element : contents.elements) {
        if (!isQuestionKind(element.kind))
            continue;
        if (const auto usable = checkQuestionName(element.userInstruction, questions); !usable) {
            showExclamation(QCoreApplication::translate("ImportXlsForm",
                "The question '%1' cannot be asked under that name: the page posts a field '%2' "
                "of its own. No form has been created.")
                                .arg(element.userInstruction, usable.error().field));
            return false;
        }
        questions.append(element.userInstruction);
    }

    HeaderInputs inputs;
    inputs.title = contents.title.isEmpty() ? name : contents.title;
    // As "Create New Form" proposes a new form's header.
    inputs.letterSize = QStringLiteral("7");
    inputs.justification = QStringLiteral("Centre");
    inputs.backgroundRow = 1;
    inputs.backgroundText = backgroundChoices().value(1);
    FormSettings settings;
    settings.language = formLanguageFromTag(windowsLanguageTag()).value_or(FormLanguage::English);
    inputs.settings = settings;
    if (!generateForm(session, name, inputs))
        return false;
    for (const FormMethod& element : contents.elements) {
        // Only the database failing now stops it; what was added so far is kept and written.
        if (const Outcome added = insertMethod(session, element); !added) {
            tell(session, added);
            break;
        }
    }
    tell(session, writeFormPage(session, session.openPageFile()));
    session.setSelectedRow(0);
    return true;
}

ImportXlsForm::ImportXlsForm(FormSession& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("ImportXlsForm"));
    setWindowTitle(tr("Import XLSForm"));

    auto* intro = new QLabel(tr("Make a new form from an XLSForm workbook, as field-collection tools write "
                                "and share them: its questions, choices and settings."),
        this);
    intro->setWordWrap(true);
    auto* fileLabel = new QLabel(tr("XLSForm file (.xlsx):"), this);
    m_file = new QLineEdit(this);
    m_file->setObjectName(QStringLiteral("XlsFormFileBox"));
    fileLabel->setBuddy(m_file);
    auto* browse = new QPushButton(tr("Browse…"), this);
    browse->setObjectName(QStringLiteral("XlsFormBrowse"));
    auto* nameLabel = new QLabel(tr("Name of the new form:"), this);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("XlsFormNameBox"));
    nameLabel->setBuddy(m_name);
    m_ok = new QPushButton(tr("Import"), this);
    m_ok->setObjectName(QStringLiteral("ImportXlsFormOK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("ImportXlsFormCancel"));

    auto* grid = new QGridLayout;
    grid->addWidget(fileLabel, 0, 0);
    grid->addWidget(m_file, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(nameLabel, 1, 0);
    grid->addWidget(m_name, 1, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(560, sizeHint().height());

    connect(browse, &QPushButton::clicked, this, &ImportXlsForm::browse);
    connect(m_file, &QLineEdit::editingFinished, this, &ImportXlsForm::proposeName);
    connect(m_ok, &QPushButton::clicked, this, &ImportXlsForm::import);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool ImportXlsForm::importXlsForm(FormSession& session, QWidget* owner)
{
    ImportXlsForm window(session, owner);
    return window.exec() == QDialog::Accepted;
}

void ImportXlsForm::browse()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Import XLSForm"),
        m_file->text().isEmpty() ? QDir::homePath() : QFileInfo(m_file->text()).absolutePath(),
        tr("XLSForm workbooks (*.xlsx)"));
    if (path.isEmpty())
        return;
    m_file->setText(path);
    proposeName();
}

void ImportXlsForm::proposeName()
{
    const QString path = m_file->text().trimmed();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    // A name the person typed stays.
    if (!m_name->text().isEmpty() && m_name->text() != m_proposedName)
        return;
    const auto contents = readXlsForm(path);
    QString name
        = contents && !contents->formId.isEmpty() ? contents->formId : QFileInfo(path).completeBaseName();
    // A form is found again by its page's name up to the first dot.
    name = name.section(QLatin1Char('.'), 0, 0).trimmed();
    m_proposedName = name;
    m_name->setText(name);
}

void ImportXlsForm::import()
{
    const QString path = m_file->text().trimmed();
    if (path.isEmpty()) {
        showExclamation(tr("Please choose the XLSForm file (.xlsx) to import."));
        m_file->setFocus();
        return;
    }
    if (m_name->text().isEmpty())
        proposeName();
    const auto contents = readXlsForm(path);
    if (!contents) {
        showExclamation(xlsFormProblemText(contents.error(), path));
        return;
    }
    if (!requireAnswersDatabase(m_session))
        return;
    if (createFormFromXlsForm(m_session, m_name->text(), *contents))
        accept();
}

} // namespace quenlow
