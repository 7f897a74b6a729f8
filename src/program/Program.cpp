// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "program/Program.h"

#include "core/Messages.h"
#include "core/ProgramFolder.h"
#include "database/AnswersStore.h"
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
#include "newform/ImportXlsForm.h"
#include "newform/NewFormOperations.h"
#include "reporter/Reporter.h"
#include "server/CollectionService.h"
#include "server/ListenAddress.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QSettings>
#include <QUrl>

#include <optional>

namespace quenlow {

namespace {
bool isLoopbackHost(const QString& host)
{
    return QHostAddress(host).isLoopback() || host == QLatin1String("localhost");
}

/// Where the choice a folder was collecting with is kept until collecting is
/// stopped: one group per program folder and answers database, so that a start
/// on a folder that was not collecting never opens it to anyone. Settings keys
/// cannot hold a path, hence the digest; the group names both in its values.
QString collectingGroup(const FormSession& session)
{
    // One folder or file reached by two paths is still one.
    const auto canonical = [](const QString& path) {
        const QString resolved = QFileInfo(path).canonicalFilePath();
        return resolved.isEmpty() ? path : resolved;
    };
    const QString database = session.databasePath();
    // The same database with another password is the same database.
    const QString place = canonical(session.appFolder()) + QLatin1Char('\n')
        + (isServerLocation(database) ? shownLocation(database) : canonical(database));
    return QStringLiteral("collect/collecting/")
        + QString::fromLatin1(
            QCryptographicHash::hash(place.toUtf8(), QCryptographicHash::Sha256).toHex().left(32));
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
    /// What "Collect Answers" proposes: the last choice, unless --listen said otherwise.
    CollectionChoice rememberedChoice() const;
    /// The choice this folder and database were collecting with when the last
    /// run ended, or nothing when they were not collecting.
    std::optional<CollectionChoice> interruptedChoice() const;
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
    void addPageBreak() override { editors->showPageBreakForm(); }
    void addGrid() override { editors->showGridForm(); }
    void addRanking() override { editors->showRankingForm(); }
    void addSubmitButton() override { editors->showSubmitButtonForm(); }
    void addLineRule() override { editors->addLineRule(); }
    void editSelected() override { editors->editSelected(); }
    void viewAnswersTable() override { reporter->viewAnswersTable(); }
    void openReporter() override { reporter->openReporter(); }
    void collectAnswers() override { toggleCollection(); }
    void showCollectedForms() override { showCollection(); }
    void chooseAnswersStore() override;
    bool offerAnswersDatabase() override { return requireAnswersDatabase(*session); }
    QString formAddress(const QString& pageFile) const override;
    void importXlsForm() override { ImportXlsForm::importXlsForm(*session, mainForm.get()); }
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

QString Program::Private::formAddress(const QString& pageFile) const
{
    if (collection.isRunning()) {
        // What the addresses window shows first and its QR code holds.
        const QStringList at = collectionAddresses(shared, collection.port(), pageFile, https);
        return at.isEmpty() ? collection.pageAddress(pageFile) : at.constFirst();
    }
    // Not collecting yet: where the last choice will serve it to the people
    // on this computer's network, who are the ones invited.
    const CollectionChoice choice = rememberedChoice();
    if (choice.port == 0)
        return {}; // any free port: known only once it runs
    return collectionAddresses(true, choice.port, pageFile, choice.https()).value(0);
}

void Program::Private::toggleCollection()
{
    if (collection.isRunning()) {
        // Answers still coming in: people may be filling the form in right now.
        const quint64 recent = collection.storedWithin(std::chrono::minutes(10));
        const QString question = recent == 1
            ? QCoreApplication::translate("Program",
                "An answer arrived in the last ten minutes: people may still be filling the forms in. "
                "Do you want to stop collecting answers?")
            : QCoreApplication::translate("Program",
                "%1 answers arrived in the last ten minutes: people may still be filling the forms in. "
                "Do you want to stop collecting answers?")
                  .arg(recent);
        if (recent > 0 && !askBeforeDestroying(question, MessageIcon::Question))
            return;
        // The last requests finish in the background: a client slow to take
        // its answer must not freeze the window.
        collection.stopInBackground();
        // Stopped on purpose: the next start does not collect again.
        QSettings().remove(collectingGroup(*session));
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

namespace {
CollectionChoice choiceIn(const QSettings& settings, const QString& group)
{
    CollectionChoice choice;
    choice.shared = settings.value(group + QStringLiteral("/shared"), false).toBool();
    choice.port = quint16(settings.value(group + QStringLiteral("/port"), kDefaultListenPort).toUInt());
    choice.certificateFile = settings.value(group + QStringLiteral("/certificate")).toString();
    choice.keyFile = settings.value(group + QStringLiteral("/key")).toString();
    return choice;
}

void keepChoice(QSettings& settings, const QString& group, const CollectionChoice& choice)
{
    settings.setValue(group + QStringLiteral("/shared"), choice.shared);
    settings.setValue(group + QStringLiteral("/port"), choice.port);
    settings.setValue(group + QStringLiteral("/certificate"), choice.certificateFile);
    settings.setValue(group + QStringLiteral("/key"), choice.keyFile);
}
} // namespace

CollectionChoice Program::Private::rememberedChoice() const
{
    CollectionChoice proposed = choiceIn(QSettings(), QStringLiteral("collect"));
    if (listenGiven) {
        proposed.shared = !isLoopbackHost(listenHost);
        proposed.port = listenPort;
    }
    return proposed;
}

std::optional<CollectionChoice> Program::Private::interruptedChoice() const
{
    const QSettings settings;
    const QString group = collectingGroup(*session);
    if (!settings.contains(group + QStringLiteral("/shared")))
        return std::nullopt;
    CollectionChoice choice = choiceIn(settings, group);
    if (listenGiven) {
        choice.shared = !isLoopbackHost(listenHost);
        choice.port = listenPort;
    }
    return choice;
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
    keepChoice(settings, QStringLiteral("collect"), chosen);
    // Kept until the person stops collecting: a restart on this folder and
    // database collects again, with the same choice.
    const QString group = collectingGroup(*session);
    keepChoice(settings, group, chosen);
    settings.setValue(group + QStringLiteral("/folder"), session->appFolder());
    settings.setValue(group + QStringLiteral("/database"), shownLocation(session->databasePath()));
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
    QSettings settings;
    // Kept by earlier versions for every folder at once: it cannot tell
    // which folder was collecting, so it starts none.
    settings.remove(QStringLiteral("collect/running"));
    const std::optional<CollectionChoice> interrupted = interruptedChoice();
    if (!settings.value(QStringLiteral("collect/resume"), true).toBool() || !interrupted)
        return;
    QString error;
    if (startCollecting(*interrupted, &error))
        // What collects again and who can reach it, in the words of the Collect Answers window.
        mainForm->showStatus(
            (interrupted->shared ? QCoreApplication::translate("Program",
                 "Collecting answers again, as when Quenlow was last closed, from people "
                 "on my network: %1 (the forms of %2, answers in %3)")
                                 : QCoreApplication::translate("Program",
                                     "Collecting answers again, as when Quenlow was last closed, from this "
                                     "computer only: %1 (the forms of %2, answers in %3)"))
                .arg(collectionText(), QDir::toNativeSeparators(session->appFolder()),
                    shownLocation(session->databasePath())));
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

    const bool fresh = !isLaidOutProgramFolder(folder);
    if (const Result<void> laidOut = layOutProgramFolder(folder); !laidOut) {
        if (error)
            *error = laidOut.error().detail;
        return {};
    }
    // A folder laid out just now gets its answers database with it, rather than
    // a message that it cannot be found; one whose database went missing later
    // still says so. Should it fail, the start-up offers to create it.
    if (fresh)
        (void)createAnswersStore(answersStoreIn(folder));
    return folder;
}

} // namespace quenlow
