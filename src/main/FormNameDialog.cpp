// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "main/FormNameDialog.h"

#include "core/Messages.h"
#include "database/AnswersStore.h"
#include "model/CollectionFile.h"
#include "model/FormChanges.h"
#include "model/FormHeader.h"
#include "model/FormSession.h"
#include "platform/OutcomeMessages.h"
#include "platform/Translations.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenlow {

FormNameDialog::FormNameDialog(
    FormSession& session, const QString& title, const QString& prompt, const QString& name, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("FormNameDialog"));
    setWindowTitle(title);
    setModal(true);
    auto* label = new QLabel(prompt, this);
    label->setObjectName(QStringLiteral("FormNamePrompt"));
    label->setTextFormat(Qt::PlainText);
    m_nameBox = new QLineEdit(name, this);
    m_nameBox->setObjectName(QStringLiteral("FormNameBox"));
    label->setBuddy(m_nameBox);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("FormNameOK"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("FormNameCancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_nameBox);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    connect(ok, &QPushButton::clicked, this, &FormNameDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_nameBox->selectAll();
    m_nameBox->setFocus();
    resize(380, sizeHint().height());
}

QString FormNameDialog::name() const
{
    return m_nameBox->text();
}

void FormNameDialog::confirm()
{
    // The same rules as a new form's name; a refused name can be corrected here.
    if (acceptFormName(m_session, name(), true))
        accept();
    else
        m_nameBox->setFocus();
}

namespace {

// The open form's elements as the form `newName` has them.
QList<FormMethod> methodsFor(const FormSession& session, const QString& newName)
{
    QList<FormMethod> methods = session.collection().methods();
    if (!methods.isEmpty()) {
        const auto settings = methods.first().settings; // the form's collecting settings go with it
        methods.first() = headerRenamed(methods.first(), session.openFormName(), newName);
        methods.first().settings = settings;
    }
    return methods;
}

QString askName(
    FormSession& session, QWidget* owner, const QString& title, const QString& prompt, const QString& name)
{
    FormNameDialog dialog(session, title, prompt, name, owner);
    return dialog.exec() == QDialog::Accepted ? dialog.name() : QString();
}

void failed(const QString& what, const Error& error)
{
    showExclamation(QCoreApplication::translate("FormNameDialog", "%1 (%2). Nothing has been changed.")
                        .arg(what, error.detail));
}

// The report files that stayed behind, each with why; nothing was lost.
void tellReportsLeft(const QList<ReportLeft>& left)
{
    if (left.isEmpty())
        return;
    QStringList lines;
    for (const ReportLeft& report : left) {
        switch (report.reason) {
        case ReportLeft::TargetTaken:
            lines.append(QCoreApplication::translate(
                "FormNameDialog", "The report file '%1' was not moved: there is a file '%2' already.")
                             .arg(report.file, report.detail));
            break;
        case ReportLeft::NotMoved:
            lines.append(
                QCoreApplication::translate("FormNameDialog", "The report file '%1' could not be moved (%2).")
                    .arg(report.file, report.detail));
            break;
        case ReportLeft::NotCopied:
            lines.append(QCoreApplication::translate(
                "FormNameDialog", "The report file '%1' could not be copied (%2).")
                             .arg(report.file, report.detail));
            break;
        case ReportLeft::NotDeleted:
            lines.append(QCoreApplication::translate(
                "FormNameDialog", "The report file '%1' could not be deleted (%2).")
                             .arg(report.file, report.detail));
            break;
        }
    }
    lines.append(left.size() == 1
            ? QCoreApplication::translate("FormNameDialog", "The file is still in the Reports folder.")
            : QCoreApplication::translate("FormNameDialog", "The files are still in the Reports folder."));
    showExclamation(lines.join(u'\n'));
}

} // namespace

void renameOpenForm(FormSession& session, QWidget* owner)
{
    const QString from = session.openFormName();
    const QString to = askName(session, owner, QCoreApplication::translate("FormNameDialog", "Rename Form"),
        QCoreApplication::translate("FormNameDialog", "New name for the form '%1':").arg(from), from);
    if (to.isEmpty())
        return;
    const Result<QList<ReportLeft>> done
        = changeForm(session, { FormChange::Rename, from, to, false }, methodsFor(session, to));
    if (!done) {
        failed(QCoreApplication::translate("FormNameDialog", "The form '%1' could not be renamed").arg(from),
            done.error());
        return;
    }
    tellReportsLeft(*done);
    loadFormTelling(session, to + QStringLiteral(".html"));
}

void copyOpenForm(FormSession& session, QWidget* owner)
{
    const QString from = session.openFormName();
    const QString to = askName(session, owner, QCoreApplication::translate("FormNameDialog", "Copy Form"),
        QCoreApplication::translate("FormNameDialog", "Name of the copy of the form '%1':").arg(from),
        from + QStringLiteral("_copy"));
    if (to.isEmpty())
        return;
    bool withAnswers = false;
    if (const Result<qint64> answers = answersOfForm(session, from); answers && *answers > 0) {
        withAnswers
            = askBeforeDestroying((*answers == 1 ? QCoreApplication::translate(
                                       "FormNameDialog", "The form '%1' has 1 answer. Copy the answers too?")
                                                 : QCoreApplication::translate("FormNameDialog",
                                                     "The form '%1' has %2 answers. Copy the answers too?"))
                                      .arg(from, QString::number(*answers)),
                MessageIcon::Question);
    }
    const Result<QList<ReportLeft>> done
        = changeForm(session, { FormChange::Copy, from, to, withAnswers }, methodsFor(session, to));
    if (!done) {
        failed(QCoreApplication::translate("FormNameDialog", "The form '%1' could not be copied").arg(from),
            done.error());
        return;
    }
    tellReportsLeft(*done);
    loadFormTelling(session, to + QStringLiteral(".html"));
}

void deleteOpenForm(FormSession& session)
{
    const QString name = session.openFormName();
    const bool reports = !reportFilesOf(session, name).isEmpty();
    if (!askBeforeDestroying(
            (reports ? QCoreApplication::translate("FormNameDialog",
                 "Delete the form '%1'? Its page, collection file and report "
                 "files will be deleted.")
                     : QCoreApplication::translate("FormNameDialog",
                         "Delete the form '%1'? Its page and collection file will be deleted."))
                .arg(name),
            MessageIcon::Question))
        return;
    const Result<qint64> answers = answersOfForm(session, name);
    // Without answers the table holds nothing to keep.
    bool dropAnswers = answers && *answers == 0;
    if (answers && *answers > 0) {
        dropAnswers = askBeforeDestroying(*answers == 1
                ? QCoreApplication::translate("FormNameDialog",
                    "The form '%1' has 1 answer. Delete the answers too? If not, they are kept "
                    "in the table '%2'.")
                      .arg(name, AnswersStore::tableFor(name))
                : QCoreApplication::translate("FormNameDialog",
                    "The form '%1' has %2 answers. Delete the answers too? If not, they are kept "
                    "in the table '%3'.")
                      .arg(name, QString::number(*answers), AnswersStore::tableFor(name)),
            MessageIcon::Question);
    }
    const Result<QList<ReportLeft>> done = changeForm(session, { FormChange::Delete, name, {}, dropAnswers });
    if (!done) {
        failed(QCoreApplication::translate("FormNameDialog", "The form '%1' could not be deleted").arg(name),
            done.error());
        return;
    }
    tellReportsLeft(*done);
    // Nothing is open any more: the help pages take the form's place.
    session.resetOpenForm();
    session.setOpenFormName({});
    session.setOpenPageFile({});
    session.setHtmlName(QString());
    session.showInBrowser(helpPage(session.htmlFolder(), windowsLanguageTag()));
    session.setHtmlFrameCaption(QStringLiteral("Help Pages"));
}

} // namespace quenlow
