// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "main/ParticipantsForm.h"

#include "core/Messages.h"
#include "core/TextFile.h"
#include "export/AnswersExport.h"
#include "model/FormSession.h"
#include "model/ParticipantList.h"
#include "model/Publication.h"
#include "print/Invitations.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace quenlow {

namespace {

ParticipantsForm::FileChooser& testChooser()
{
    static ParticipantsForm::FileChooser chooser;
    return chooser;
}

QPushButton* namedButton(const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1StringView(name));
    return button;
}

} // namespace

void ParticipantsForm::setFileChooserForTesting(FileChooser chooser)
{
    testChooser() = std::move(chooser);
}

ParticipantsForm::ParticipantsForm(FormSession& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("ParticipantsForm"));
    setWindowTitle(tr("Participants of %1").arg(session.openFormName()));

    auto* intro = new QLabel(tr("Each person invited gets a personal code to answer this form with."), this);
    intro->setWordWrap(true);
    auto* import = namedButton("ImportParticipants", tr("Import from CSV…"), this);
    m_count = new QSpinBox(this);
    m_count->setObjectName(QStringLiteral("CodeCount"));
    m_count->setRange(1, 10000);
    m_count->setValue(30);
    m_count->setAccessibleName(tr("Number of codes"));
    auto* make = namedButton("MakeCodes", tr("Make Codes Without Names"), this);

    m_list = new QTableWidget(this);
    m_list->setObjectName(QStringLiteral("ParticipantList"));
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("ParticipantsSummary"));

    // The cards: where they lead and the file they go to.
    m_formAddress = new QLineEdit(this);
    m_formAddress->setObjectName(QStringLiteral("InvitationsAddressBox"));
    m_formAddress->setPlaceholderText(tr("http://192.168.1.20:8080/%1").arg(session.htmlName()));
    // The person's documents folder where there is one; the program's reports otherwise.
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QFileInfo(documents).isDir())
        documents = session.reportsFolder();
    m_invitationsFile
        = new QLineEdit(QDir(documents).filePath(tr("%1 invitations.pdf").arg(session.openFormName())), this);
    m_invitationsFile->setObjectName(QStringLiteral("InvitationsFileBox"));
    auto* browse = namedButton("InvitationsBrowse", tr("Browse…"), this);
    auto* print = namedButton("PrintInvitations", tr("Print Invitations"), this);
    print->setToolTip(tr("Writes a PDF with a card for each participant: their code, the form's address "
                         "with it and its QR code, eight cards to a page."));
    connect(browse, &QPushButton::clicked, this, &ParticipantsForm::chooseInvitationsFile);
    connect(print, &QPushButton::clicked, this, &ParticipantsForm::printInvitations);

    auto* remove = namedButton("RemoveParticipant", tr("Remove"), this);
    auto* exportMissing = namedButton("ExportNotAnswered", tr("Export Not Answered…"), this);
    auto* close = namedButton("CloseParticipants", tr("Close"), this);
    connect(import, &QPushButton::clicked, this, &ParticipantsForm::importList);
    connect(make, &QPushButton::clicked, this, &ParticipantsForm::makeCodes);
    connect(remove, &QPushButton::clicked, this, &ParticipantsForm::removeSelected);
    connect(exportMissing, &QPushButton::clicked, this, &ParticipantsForm::exportNotAnswered);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* adding = new QHBoxLayout;
    adding->addWidget(import);
    adding->addStretch();
    adding->addWidget(new QLabel(tr("Codes:"), this));
    adding->addWidget(m_count);
    adding->addWidget(make);
    auto* acting = new QHBoxLayout;
    acting->addWidget(remove);
    acting->addWidget(exportMissing);
    acting->addStretch();
    acting->addWidget(close);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_invitationsFile, 1);
    fileRow->addWidget(browse);
    fileRow->addWidget(print);
    auto* printing = new QFormLayout;
    printing->addRow(tr("Form's address:"), m_formAddress);
    printing->addRow(tr("Invitations:"), fileRow);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(adding);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_summary);
    layout->addLayout(printing);
    layout->addLayout(acting);
    resize(720, 540);
    reload();
}

void ParticipantsForm::setFormAddress(const QString& address)
{
    m_formAddress->setText(address);
}

QString ParticipantsForm::problemText(const ParticipantsProblem& problem)
{
    switch (problem.kind) {
    case ParticipantsProblem::Unreadable:
        return tr("The file could not be read: %1").arg(problem.detail);
    case ParticipantsProblem::NotUtf8:
        return tr(
            "Line %1 of the file is not UTF-8 text. Save the list as \"CSV UTF-8\" and import it again. "
            "Nobody was added.")
            .arg(problem.line);
    case ParticipantsProblem::NoRows:
        return tr("The file lists nobody: its first row names the columns, and each row below it is one "
                  "person. Nobody was added.");
    case ParticipantsProblem::EmptyLine:
        return tr("Line %1 of the file is empty. Remove it and import the file again. Nobody was added.")
            .arg(problem.line);
    case ParticipantsProblem::RepeatedName:
        if (problem.line > 0)
            return tr("\"%1\" is in the list twice (again on line %2). Nobody was added.")
                .arg(problem.name)
                .arg(problem.line);
        return tr("\"%1\" is a participant of this form already. Nobody was added.").arg(problem.name);
    case ParticipantsProblem::RepeatedColumn:
        return tr("The column \"%1\" is named twice in the first row. Nobody was added.").arg(problem.name);
    case ParticipantsProblem::ExtraFields:
        return tr("Line %1 of the file has more fields than the first row names columns. Nobody was added.")
            .arg(problem.line);
    case ParticipantsProblem::UnclosedQuote:
        return tr("The quotation mark opened on line %1 of the file is never closed. Nobody was added.")
            .arg(problem.line);
    case ParticipantsProblem::NoForm:
        return tr("This form has no table in the answers database yet.");
    case ParticipantsProblem::Store:
        break;
    }
    return tr("The participants could not be kept in the answers database: %1").arg(problem.detail);
}

void ParticipantsForm::reload()
{
    m_people.clear();
    if (const auto store = openAnswersStore(m_session.databasePath())) {
        const auto people = participantsOf(**store, AnswersStore::tableFor(m_session.openFormName()));
        if (people)
            m_people = *people;
        else if (!people.failedWith(Error::NotFound))
            showExclamation(tr("The participants could not be read: %1").arg(people.error().detail));
    }
    QStringList attributes;
    for (const Participant& p : std::as_const(m_people)) {
        for (const auto& attribute : p.attributes) {
            if (!attributes.contains(attribute.first))
                attributes.append(attribute.first);
        }
    }
    QStringList headers { tr("Name"), tr("Code") };
    headers += attributes;
    headers << tr("Answered") << tr("When");
    m_list->clear();
    m_list->setColumnCount(int(headers.size()));
    m_list->setHorizontalHeaderLabels(headers);
    m_list->setRowCount(int(m_people.size()));
    int answered = 0;
    const QLocale locale;
    for (int row = 0; row < m_people.size(); ++row) {
        const Participant& p = m_people.at(row);
        int column = 0;
        const auto put
            = [&](const QString& text) { m_list->setItem(row, column++, new QTableWidgetItem(text)); };
        put(p.name);
        put(p.code);
        for (const QString& name : std::as_const(attributes)) {
            QString value;
            for (const auto& attribute : p.attributes) {
                if (attribute.first == name)
                    value = attribute.second;
            }
            put(value);
        }
        put(p.answered ? tr("Yes") : tr("No"));
        put(p.answeredAt ? locale.toString(p.answeredAt->toLocalTime(), QLocale::ShortFormat) : QString());
        answered += p.answered ? 1 : 0;
    }
    m_list->resizeColumnsToContents();
    m_summary->setText(tr("answered %1 of %2").arg(answered).arg(m_people.size()));
}

QString ParticipantsForm::chooseFile(bool save)
{
    if (testChooser())
        return testChooser()(save);
    // Qt's own chooser, as every other window of the program shows.
    const QString filter = tr("CSV files (*.csv);;All files (*)");
    if (save)
        return QFileDialog::getSaveFileName(this, tr("Export Not Answered"),
            m_session.reportsFolder() + m_session.openFormName() + QStringLiteral(" not answered.csv"),
            filter, nullptr, QFileDialog::DontUseNativeDialog);
    return QFileDialog::getOpenFileName(
        this, tr("Import Participants"), QDir::homePath(), filter, nullptr, QFileDialog::DontUseNativeDialog);
}

void ParticipantsForm::importList()
{
    const QString file = chooseFile(false);
    if (file.isEmpty())
        return;
    const auto added = importParticipants(m_session.databasePath(), m_session.openFormName(), file);
    if (!added) {
        showExclamation(problemText(added.error()));
        return;
    }
    reload();
    showInformation(tr("%n participant(s) added, each with a personal code.", nullptr, *added));
}

void ParticipantsForm::makeCodes()
{
    const auto added
        = addUnnamedParticipants(m_session.databasePath(), m_session.openFormName(), m_count->value());
    if (!added) {
        showExclamation(problemText(added.error()));
        return;
    }
    reload();
}

void ParticipantsForm::removeSelected()
{
    QStringList codes;
    for (const QModelIndex& index : m_list->selectionModel()->selectedRows())
        codes.append(m_people.value(index.row()).code);
    if (codes.isEmpty()) {
        showExclamation(tr("Select the participants to remove first."));
        return;
    }
    if (!askBeforeDestroying(tr("Remove %n participant(s)? Their codes will no longer be accepted.", nullptr,
                                 int(codes.size())),
            MessageIcon::Question))
        return;
    const auto store = openAnswersStore(m_session.databasePath());
    const Result<void> removed = store
        ? removeParticipants(**store, AnswersStore::tableFor(m_session.openFormName()), codes)
        : Result<void>(store.error());
    if (!removed)
        showExclamation(tr("The participants could not be removed: %1").arg(removed.error().detail));
    reload();
}

void ParticipantsForm::exportNotAnswered()
{
    const QString file = chooseFile(true);
    if (file.isEmpty())
        return;
    const FileResult written = writeFileAtomically(file, notAnsweredCsv(m_people));
    if (!written)
        showExclamation(tr("The file could not be written: %1").arg(written.error().detail));
}

} // namespace quenlow

namespace quenlow {

void ParticipantsForm::chooseInvitationsFile()
{
    const QString file = testChooser()
        ? testChooser()(true)
        : QFileDialog::getSaveFileName(this, tr("Print Invitations"), m_invitationsFile->text(),
            tr("PDF files (*.pdf);;All files (*)"), nullptr, QFileDialog::DontUseNativeDialog);
    if (!file.isEmpty())
        m_invitationsFile->setText(file);
}

void ParticipantsForm::printInvitations()
{
    if (m_people.isEmpty()) {
        showExclamation(tr("This form has no participants to invite yet. Import them from a CSV file or make "
                           "codes first."));
        return;
    }
    const QUrl address(m_formAddress->text().trimmed(), QUrl::StrictMode);
    if (!address.isValid() || address.host().isEmpty()
        || (address.scheme() != QLatin1String("http") && address.scheme() != QLatin1String("https"))) {
        showExclamation(tr("Give the address the form is answered at (for example "
                           "http://192.168.1.20:8080/%1): each card leads there with its code.")
                            .arg(m_session.htmlName()));
        return;
    }
    const QString file = m_invitationsFile->text().trimmed();
    if (file.isEmpty()) {
        showExclamation(tr("Name the PDF file to write the invitations to."));
        return;
    }
    // Cards that lead to this computer alone reach nobody who holds them.
    const QString host = address.host();
    if ((QHostAddress(host).isLoopback() || host == QLatin1String("localhost"))
        && !askBeforeDestroying(
            tr("The address %1 works on this computer only: the people invited cannot open "
               "it. Print the invitations anyway?")
                .arg(address.toString()),
            MessageIcon::Question))
        return;

    const std::optional<HeaderFacts> header = headerFacts(m_session.collection().methods());
    InvitationSheet sheet;
    sheet.title = header ? header->title : m_session.openFormName();
    sheet.language = header ? header->settings.language : FormLanguage::English;
    sheet.formAddress = formAddressAt(address.toString(), m_session.htmlName());
    const auto pdf = invitationsPdf(sheet, m_people);
    ExportRequest request;
    request.appFolder = m_session.appFolder();
    request.pageFile = m_session.htmlName();
    request.answersStore = m_session.databasePath();
    request.outputPath = file;
    const Result<void> written = pdf ? writeExportOutput(request, *pdf) : Result<void>(pdf.error());
    if (!written) {
        showExclamation(tr("The invitations could not be written. %1").arg(written.error().detail));
        return;
    }
    showInformation(tr("%n invitation(s) written to %1.", nullptr, int(m_people.size()))
                        .arg(QDir::toNativeSeparators(file)));
}

} // namespace quenlow
