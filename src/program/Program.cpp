// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "program/Program.h"

#include "core/Messages.h"
#include "core/ProgramFolder.h"
#include "editors/Editors.h"
#include "main/AnswersStoreForm.h"
#include "main/CollectAnswersForm.h"
#include "main/CollectedFormsPanel.h"
#include "main/FormHistory.h"
#include "main/MainForm.h"
#include "model/DesignerCommands.h"
#include "model/FormSession.h"
#include "model/Publication.h"
#include "newform/CreateNewForm.h"
#include "newform/NewFormOperations.h"
#include "reporter/Reporter.h"
#include "server/CollectionService.h"
#include "server/ListenAddress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QSettings>
#include <QUrl>

namespace quenlow {

namespace {
bool isLoopbackHost(const QString& host)
{
    return QHostAddress(host).isLoopback() || host == QLatin1String("localhost");
}
} // namespace

// The program carries out what the windows ask of other subsystems.
struct Program::Private final : DesignerCommands {
    std::unique_ptr<FormSession> session;
    std::unique_ptr<MainForm> mainForm; // goes before the session it observes
    std::unique_ptr<Editors> editors;
    std::unique_ptr<Reporter> reporter; // the subsystems hold on to the main window: they go first
    CollectionService collection;
    QString listenHost = defaultListenHost();
    quint16 listenPort = kDefaultListenPort;
    bool listenGiven = false; // --listen (or a test) chose the address
    bool shared = false; // the running service is open to the network
    bool https = false; // and serves over TLS

    // The address people open to answer the open form, or the service's own.
    QString collectionText() const
    {
        if (!collection.isRunning())
            return {};
        const QString page = session->isFormOpen() ? session->htmlName() : QString();
        if (shared) {
            // The first network address: the one people are most likely to use.
            const QStringList addresses = collectionAddresses(true, collection.port(), page, https);
            if (!addresses.isEmpty())
                return addresses.constFirst();
        }
        return session->isFormOpen() ? collection.pageAddress(page) : collection.address() + QLatin1Char('/');
    }
    void toggleCollection();
    CollectionChoice rememberedChoice() const;
    /// Starts the service for `chosen`; false with the message to show.
    bool startCollecting(const CollectionChoice& chosen, QString* error);
    /// The addresses window: the open form's addresses, its results', every form's state.
    void showCollection();
    /// Collects again when the last run ended collecting and the person wants that.
    void resumeCollecting();

    void newForm() override { CreateNewForm::createNewForm(*session, mainForm.get()); }
    void editHeader() override { CreateNewForm::editHeader(*session, mainForm.get()); }
    void addText() override { editors->showAddTextForm(); }
    void addTextField() override { editors->showTextFieldForm(); }
    void addTextArea() override { editors->showTextAreaForm(); }
    void addPullDownMenu() override { editors->showPullDownMenuForm(); }
    void addCheckBoxes() override { editors->showCheckBoxesForm(); }
    void addRadioButtons() override { editors->showRadioButtonsForm(); }
    void addScale() override { editors->showScaleForm(); }
    void addSubmitButton() override { editors->showSubmitButtonForm(); }
    void addLineRule() override { editors->addLineRule(); }
    void editSelected() override { editors->editSelected(); }
    void viewAnswersTable() override { reporter->viewAnswersTable(); }
    void openReporter() override { reporter->openReporter(); }
    void collectAnswers() override { toggleCollection(); }
    void showCollectedForms() override { showCollection(); }
    void chooseAnswersStore() override;
    bool offerAnswersDatabase() override { return requireAnswersDatabase(*session); }
};

void Program::Private::chooseAnswersStore()
{
    const QString before = session->answersStoreChosen() ? session->databasePath() : QString();
    AnswersStoreForm form(before, mainForm.get());
    if (form.exec() != QDialog::Accepted || form.location() == before)
        return;
    session->setAnswersStore(form.location());
    // A database that is not there (and was not created now) is no choice.
    if (!requireAnswersDatabase(*session)) {
        session->setAnswersStore(before);
        showExclamation(QCoreApplication::translate("Program", "The answers are still stored in '%1'.")
                            .arg(shownLocation(session->databasePath())));
        return;
    }
    QSettings().setValue(QStringLiteral("answers/store"), form.location());
    // The steps recorded changed the columns of the other database.
    mainForm->history()->stack()->clear();
    QString text = QCoreApplication::translate("Program", "The answers are now stored in '%1'.")
                       .arg(shownLocation(session->databasePath()));
    if (const Result<QStringList> unpublished = publishAllForms(*session); !unpublished)
        text += QCoreApplication::translate("Program", " The forms could not be published to it (%1).")
                    .arg(unpublished.error().detail);
    else if (!unpublished->isEmpty())
        text += QCoreApplication::translate("Program", " These forms could not be published to it: %1.")
                    .arg(unpublished->join(QStringLiteral(", ")));
    if (collection.isRunning())
        text += QCoreApplication::translate("Program",
            " The answers being collected go to the previous database until Collect Answers is "
            "stopped and started again.");
    showInformation(text);
}

void Program::Private::toggleCollection()
{
    if (collection.isRunning()) {
        // The last requests finish in the background: a client slow to take
        // its answer must not freeze the window.
        collection.stopInBackground();
        // Stopped on purpose: the next start does not collect again.
        QSettings().setValue(QStringLiteral("collect/running"), false);
        mainForm->setCollectionStatus(false, QString());
        showInformation(QCoreApplication::translate("Program", "Quenlow has stopped collecting answers."));
        return;
    }
    CollectAnswersForm form(rememberedChoice(), mainForm.get());
    if (form.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!startCollecting(form.choice(), &error)) {
        if (!error.isEmpty())
            showExclamation(error);
        return;
    }
    showCollection();
}

CollectionChoice Program::Private::rememberedChoice() const
{
    // Who may answer: the last choice, unless --listen said otherwise.
    const QSettings settings;
    CollectionChoice proposed;
    proposed.shared = settings.value(QStringLiteral("collect/shared"), false).toBool();
    proposed.port = quint16(settings.value(QStringLiteral("collect/port"), kDefaultListenPort).toUInt());
    proposed.certificateFile = settings.value(QStringLiteral("collect/certificate")).toString();
    proposed.keyFile = settings.value(QStringLiteral("collect/key")).toString();
    if (listenGiven) {
        proposed.shared = !isLoopbackHost(listenHost);
        proposed.port = listenPort;
    }
    return proposed;
}

bool Program::Private::startCollecting(const CollectionChoice& chosen, QString* error)
{
    // Shared: every address of this computer, or the one --listen named.
    const QString host = !chosen.shared                ? defaultListenHost()
        : (listenGiven && !isLoopbackHost(listenHost)) ? listenHost
                                                       : QStringLiteral("0.0.0.0");
    // Servers elsewhere serve what is published in the answers database:
    // every form of the folder goes there as it is now.
    if (const Result<QStringList> unpublished = publishAllForms(*session); !unpublished) {
        *error = QCoreApplication::translate("Program",
            "The forms cannot be published to the answers database (%1). No answers are being collected.")
                     .arg(unpublished.error().detail);
        return false;
    } else if (!unpublished->isEmpty()) {
        showExclamation(QCoreApplication::translate("Program",
            "These forms could not be published to the answers database and cannot be answered: %1.")
                            .arg(unpublished->join(QStringLiteral(", "))));
    }
    collection.setTls(chosen.certificateFile, chosen.keyFile);
    collection.setAnswersStore(session->databasePath());
    if (const Result<void> started = collection.start(session->appFolder(), host, chosen.port); !started) {
        *error = QCoreApplication::translate("Program", "The answers cannot be collected: %1")
                     .arg(started.error().detail);
        return false;
    }
    QSettings settings;
    settings.setValue(QStringLiteral("collect/shared"), chosen.shared);
    settings.setValue(QStringLiteral("collect/port"), chosen.port);
    settings.setValue(QStringLiteral("collect/certificate"), chosen.certificateFile);
    settings.setValue(QStringLiteral("collect/key"), chosen.keyFile);
    // Kept until the person stops collecting: a restart collects again.
    settings.setValue(QStringLiteral("collect/running"), true);
    shared = chosen.shared;
    https = chosen.https();
    mainForm->setCollectionStatus(true, collectionText());
    return true;
}

void Program::Private::showCollection()
{
    if (!collection.isRunning())
        return;
    const QString page = session->isFormOpen() ? session->htmlName() : QString();
    const std::optional<HeaderFacts> header
        = page.isEmpty() ? std::nullopt : headerFacts(session->collection().methods());
    const QStringList addresses = collectionAddresses(shared, collection.port(), page, https);
    CollectionAddresses window(addresses, shared, header && header->showsAnswersTable, mainForm.get());
    if (header && header->settings.showResults) {
        // The room's results beside the form: the same address under /results/.
        QStringList results;
        const QString tail = QLatin1Char('/') + QString::fromUtf8(QUrl::toPercentEncoding(page));
        for (const QString& address : addresses)
            results.append(address.chopped(tail.size()) + QStringLiteral("/results") + tail);
        window.addResultsAddresses(results);
    }
    window.addPanel(new CollectedFormsPanel(*session, [this](const QString& form) {
        const QStringList at
            = collectionAddresses(shared, collection.port(), form + QStringLiteral(".html"), https);
        return at.isEmpty() ? QString() : at.constFirst();
    }));
    window.exec();
}

void Program::Private::resumeCollecting()
{
    const QSettings settings;
    if (!settings.value(QStringLiteral("collect/resume"), true).toBool()
        || !settings.value(QStringLiteral("collect/running"), false).toBool())
        return;
    QString error;
    if (startCollecting(rememberedChoice(), &error))
        mainForm->showStatus(QCoreApplication::translate(
            "Program", "Collecting answers again, as when Quenlow was last closed: %1")
                                 .arg(collectionText()));
    else
        mainForm->showStatus(QCoreApplication::translate(
            "Program", "Quenlow was collecting answers when it was last closed, but cannot start again: %1")
                                 .arg(error));
}

namespace {

/// The program's settings live where Linux keeps a program's own
/// (~/.config/Quenlow/Quenlow.conf). What was kept before, under the
/// stand-in name Qt gives a program without an organisation, is carried over once.
void useProgramSettings()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    QCoreApplication::setOrganizationName(QStringLiteral("Quenlow"));
    QCoreApplication::setApplicationName(QStringLiteral("Quenlow"));
    QSettings settings;
    if (!settings.allKeys().isEmpty())
        return;
    const QSettings older(QStringLiteral("Unknown Organization"), QStringLiteral("Quenlow"));
    for (const QString& key : older.allKeys())
        settings.setValue(key, older.value(key));
}

} // namespace

Program::Program(const QString& appFolder, QObject* parent)
    : QObject(parent)
    , d(std::make_unique<Private>())
{
    useProgramSettings();
    d->session = std::make_unique<FormSession>(appFolder);
    d->mainForm = std::make_unique<MainForm>(*d->session);

    d->editors = std::make_unique<Editors>(*d->session, d->mainForm.get());
    d->reporter = std::make_unique<Reporter>(*d->session, d->mainForm.get());
    d->editors->setCommands(d.get());
    d->mainForm->setCommands(d.get());
    // The address shown follows the form that is open.
    connect(d->session.get(), &FormSession::htmlNameChanged, this, [this] {
        if (d->collection.isRunning())
            d->mainForm->setCollectionStatus(true, d->collectionText());
    });
}

Program::~Program() = default;

void Program::setCollectionListen(const QString& host, quint16 port)
{
    d->listenHost = host;
    d->listenPort = port;
    d->listenGiven = true;
}

void Program::setAnswersStore(const QString& location)
{
    d->session->setAnswersStore(location);
}

QString Program::rememberedAnswersStore()
{
    useProgramSettings();
    return QSettings().value(QStringLiteral("answers/store")).toString();
}

FormSession& Program::session()
{
    return *d->session;
}

QWidget* Program::mainWindow() const
{
    return d->mainForm.get();
}

void Program::start()
{
    // Exit, or closing the main window, ends the event loop the program runs in.
    connect(
        d->mainForm.get(), &MainForm::programEnding, this, [] { QCoreApplication::quit(); },
        Qt::QueuedConnection);
    d->mainForm->startUp();
    d->mainForm->show();
}

void Program::resumeCollecting()
{
    d->resumeCollecting();
}

QString programFolder(const QString& given, QString* error)
{
    QString folder = given;
    if (folder.isEmpty())
        folder = defaultProgramFolder(
            QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath());
    folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());

    if (const Result<void> laidOut = layOutProgramFolder(folder); !laidOut) {
        if (error)
            *error = laidOut.error().detail;
        return {};
    }
    return folder;
}

} // namespace quenlow
