// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "main/MainForm.h"
#include "model/Piping.h"

#include "core/Messages.h"
#include "database/AnswersStore.h"
#include "main/FolderLists.h"
#include "main/FormHistory.h"
#include "main/FormNameDialog.h"
#include "main/OpenForm.h"
#include "main/ParticipantsForm.h"
#include "main/XlsFormExport.h"
#include "model/CollectionFile.h"
#include "model/DesignerCommands.h"
#include "model/ElementKind.h"
#include "model/ElementOperations.h"
#include "model/FormSession.h"
#include "model/Fragments.h"
#include "model/PageWriter.h"
#include "model/QuestionSettings.h"
#include "platform/BrowserView.h"
#include "platform/ElementNames.h"
#include "platform/OutcomeMessages.h"
#include "platform/Translations.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include <optional>

namespace quenlow {

namespace {

QPushButton* button(const char* name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1StringView(name));
    return b;
}

// The names of the elements as the message names them.
QString noFormOpen(const char* what)
{
    return QCoreApplication::translate("MainForm", "You don't currently have a Form Open to add a %1 to.")
        .arg(QCoreApplication::translate("MainForm", what));
}

// The captions the session gives the browser frame, shown in the person's language.
[[maybe_unused]] constexpr const char* kFrameCaptions[] = { QT_TRANSLATE_NOOP("MainForm", "Help Pages"),
    QT_TRANSLATE_NOOP("MainForm", "Current Form"), QT_TRANSLATE_NOOP("MainForm", "Current Database Table") };

QString frameCaption(const QString& caption)
{
    return QCoreApplication::translate("MainForm", caption.toUtf8().constData());
}

// A question asked only when another has an answer must stay below it: the
// one it names is decided first. The element at `lower` going above the one
// at `upper` breaks that when it depends on it; the name of the dependent, or
// nothing.
std::optional<QString> brokenCondition(const FormSession& session, int upper, int lower)
{
    if (upper < 0 || lower >= session.collection().count())
        return std::nullopt;
    const FormMethod& dependent = session.collection().atPosition(lower);
    const AskCondition condition = questionSettingsOf(dependent).condition;
    if (condition.always() || condition.question != session.collection().atPosition(upper).userInstruction)
        return std::nullopt;
    return dependent.userInstruction;
}

} // namespace

MainForm::MainForm(FormSession& session, QWidget* parent)
    : QMainWindow(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Quenlow"));
    m_history = new FormHistory(m_session, this);
    buildWindow();
    buildMenus();
    connectSession();
    resize(1180, 780);
}

MainForm::~MainForm() = default;

void MainForm::buildWindow()
{
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("MainSplitter"));
    splitter->setChildrenCollapsible(false);
    setCentralWidget(splitter);

    // --- Left: the commands and the element list ------------------------------
    auto* left = new QWidget(splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(8, 8, 4, 8);

    auto* viewHtmlDbTable = button("ViewHTMLdbTable", tr("View Current Form Database Table in HTML"), left);
    m_viewReporter = button("ViewReporterForm", tr("Report Table Data and Graphs to Word Document"), left);
    auto* viewHelpPages = button("ViewHelpPages", tr("View Help Pages"), left);
    auto* viewCurrentForm = button("ViewCurrentForm", tr("View Current Form"), left);
    auto* viewButtons = new QGridLayout;
    viewButtons->addWidget(viewHtmlDbTable, 0, 0, 1, 2);
    viewButtons->addWidget(m_viewReporter, 1, 0, 1, 2);
    viewButtons->addWidget(viewHelpPages, 2, 0);
    viewButtons->addWidget(viewCurrentForm, 2, 1);
    leftLayout->addLayout(viewButtons);

    m_addFrame = new QGroupBox(tr("Add To HTML Form"), left);
    m_addFrame->setObjectName(QStringLiteral("AddHTMLMethodsFrame"));
    auto* addHorizontalLine = button("AddHorizontalLine", tr("Horizontal Line Rule"), m_addFrame);
    auto* goToSubmit = button("GoToSumbitButtonForm", tr("Submit Button"), m_addFrame);
    auto* goToRadio = button("GoToRadioButtonForm", tr("Radio Buttons"), m_addFrame);
    auto* goToCheckBox = button("GoToCheckBoxForm", tr("Check Boxes"), m_addFrame);
    auto* goToTextArea = button("GoToTextAreaForm", tr("Text Area"), m_addFrame);
    auto* goToPullDown = button("GoToPullDownMenuDesignForm", tr("Pull Down Menu"), m_addFrame);
    auto* goToTextField = button("GoToTextFieldForm", tr("Text Field"), m_addFrame);
    auto* goToText = button("GoToTextForm", tr("Text/Added instructions"), m_addFrame);
    auto* goToScale = button("GoToScaleForm", tr("Scale"), m_addFrame);
    auto* goToPageBreak = button("GoToPageBreakForm", tr("Page Break"), m_addFrame);
    auto* goToGrid = button("GoToGridForm", tr("Grid"), m_addFrame);
    auto* goToRanking = button("GoToRankingForm", tr("Ranking"), m_addFrame);
    // The two picture buttons; without the pictures they are plain buttons.
    goToSubmit->setIcon(QIcon(QStringLiteral(":/submit-button.png")));
    goToRadio->setIcon(QIcon(QStringLiteral(":/radio-buttons.png")));
    const QList<QPushButton*> addButtons { addHorizontalLine, goToSubmit, goToRadio, goToCheckBox,
        goToTextArea, goToPullDown, goToTextField, goToText, goToScale, goToPageBreak, goToGrid,
        goToRanking };
    auto* addLayout = new QGridLayout(m_addFrame);
    for (int i = 0; i < addButtons.size(); ++i) {
        QPushButton* b = addButtons.at(i);
        b->setIconSize(QSize(28, 28));
        b->setMinimumHeight(38);
        addLayout->addWidget(b, i / 2, i % 2);
    }
    leftLayout->addWidget(m_addFrame);

    m_alterFrame = new QGroupBox(tr("Alter Form Layout"), left);
    m_alterFrame->setObjectName(QStringLiteral("AlterFormFrame"));
    auto* removeMethod = button("RemoveFormMethod", tr("Remove Form Method"), m_alterFrame);
    auto* editMethod = button("EditFormMethod", tr("Edit Form Method"), m_alterFrame);
    auto* moveUp = button("MoveFormMethodUpForm", tr("Move Method Up Form"), m_alterFrame);
    auto* moveDown = button("MoveFormMethodDownForm", tr("Move Method Down Form"), m_alterFrame);
    m_list = new QListView(m_alterFrame);
    m_list->setObjectName(QStringLiteral("FormCollectionList"));
    // The rows in the person's language; the session's own texts are what files keep.
    m_session.rows()->setShown(
        [](const MethodCollection& elements, int position) { return shownRowText(elements, position); });
    m_list->setModel(m_session.rows());
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setUniformItemSizes(true);
    m_list->setMinimumHeight(100);
    auto* alterLayout = new QGridLayout(m_alterFrame);
    alterLayout->addWidget(removeMethod, 0, 0);
    alterLayout->addWidget(editMethod, 0, 1);
    alterLayout->addWidget(moveUp, 1, 0);
    alterLayout->addWidget(moveDown, 1, 1);
    alterLayout->addWidget(m_list, 2, 0, 1, 2);
    alterLayout->setRowStretch(2, 1);
    leftLayout->addWidget(m_alterFrame, 1);

    // --- Right: what the browser view shows ----------------------------------
    auto* right = new QWidget(splitter);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(4, 8, 8, 8);
    m_htmlFrame = new QGroupBox(tr("Current Form"), right);
    m_htmlFrame->setObjectName(QStringLiteral("HTMLFrame"));
    m_browser = new BrowserView(m_htmlFrame);
    m_browser->setObjectName(QStringLiteral("WebBrowser1"));
    auto* frameLayout = new QVBoxLayout(m_htmlFrame);
    frameLayout->setContentsMargins(4, 4, 4, 4);
    frameLayout->addWidget(m_browser);
    auto* currentHtml = new QLabel(tr("Current HTML Form Name :"), right);
    currentHtml->setObjectName(QStringLiteral("CurrentHTML"));
    m_htmlName = new QLabel(right);
    m_htmlName->setObjectName(QStringLiteral("HTMLName"));
    m_htmlName->setTextFormat(Qt::PlainText);
    m_htmlName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = m_htmlName->font();
    bold.setBold(true);
    m_htmlName->setFont(bold);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(currentHtml);
    nameRow->addWidget(m_htmlName, 1);
    // The collection service publishes the forms so that people can answer them.
    m_collectionAddress = new QLabel(right);
    m_collectionAddress->setObjectName(QStringLiteral("CollectionAddress"));
    m_collectionAddress->setTextFormat(Qt::PlainText);
    m_collectionAddress->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_collectAnswers = button("CollectAnswers", tr("Collect Answers"), right);
    connect(
        m_collectAnswers, &QPushButton::clicked, this, [this] { run(&DesignerCommands::collectAnswers); });
    nameRow->addWidget(m_collectionAddress);
    nameRow->addWidget(m_collectAnswers);
    rightLayout->addWidget(m_htmlFrame, 1);
    rightLayout->addLayout(nameRow);

    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({ 400, 780 });

    // Tab order follows the window's layout, top to bottom.
    QList<QWidget*> order { viewHtmlDbTable, m_viewReporter, viewHelpPages, viewCurrentForm };
    for (QPushButton* b : addButtons)
        order.append(b);
    order << removeMethod << editMethod << moveUp << moveDown << m_list << m_browser;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    connect(viewHtmlDbTable, &QPushButton::clicked, this, &MainForm::viewAnswersTable);
    connect(m_viewReporter, &QPushButton::clicked, this, &MainForm::viewReporter);
    connect(viewHelpPages, &QPushButton::clicked, this, &MainForm::viewHelpPages);
    connect(viewCurrentForm, &QPushButton::clicked, this, &MainForm::viewCurrentForm);
    connect(addHorizontalLine, &QPushButton::clicked, this, [this] {
        addCommand(noFormOpen(QT_TRANSLATE_NOOP("MainForm", "Line")), &DesignerCommands::addLineRule);
    });
    connect(goToSubmit, &QPushButton::clicked, this, &MainForm::addSubmitButton);
    connect(goToRadio, &QPushButton::clicked, this, [this] {
        addCommand(noFormOpen(QT_TRANSLATE_NOOP("MainForm", "Radio Button Menu")),
            &DesignerCommands::addRadioButtons);
    });
    connect(goToCheckBox, &QPushButton::clicked, this, [this] {
        addCommand(noFormOpen(QT_TRANSLATE_NOOP("MainForm", "Check Box")), &DesignerCommands::addCheckBoxes);
    });
    connect(goToTextArea, &QPushButton::clicked, this, [this] {
        addCommand(noFormOpen(QT_TRANSLATE_NOOP("MainForm", "Text Area")), &DesignerCommands::addTextArea);
    });
    connect(goToPullDown, &QPushButton::clicked, this, [this] {
        addCommand(
            noFormOpen(QT_TRANSLATE_NOOP("MainForm", "Pull Down Menu")), &DesignerCommands::addPullDownMenu);
    });
    connect(goToTextField, &QPushButton::clicked, this, [this] {
        addCommand(noFormOpen(QT_TRANSLATE_NOOP("MainForm", "Text Field")), &DesignerCommands::addTextField);
    });
    connect(goToText, &QPushButton::clicked, this, [this] {
        addCommand(noFormOpen(QT_TRANSLATE_NOOP("MainForm", "Text")), &DesignerCommands::addText);
    });
    connect(goToScale, &QPushButton::clicked, this, [this] {
        addCommand(noFormOpen(QT_TRANSLATE_NOOP("MainForm", "Scale")), &DesignerCommands::addScale);
    });
    connect(goToPageBreak, &QPushButton::clicked, this, [this] {
        addCommand(noFormOpen(QT_TRANSLATE_NOOP("MainForm", "Page Break")), &DesignerCommands::addPageBreak);
    });
    connect(goToGrid, &QPushButton::clicked, this, [this] {
        addCommand(noFormOpen(QT_TRANSLATE_NOOP("MainForm", "Grid")), &DesignerCommands::addGrid);
    });
    connect(goToRanking, &QPushButton::clicked, this, [this] {
        addCommand(noFormOpen(QT_TRANSLATE_NOOP("MainForm", "Ranking")), &DesignerCommands::addRanking);
    });
    connect(removeMethod, &QPushButton::clicked, this, &MainForm::removeFormMethod);
    connect(editMethod, &QPushButton::clicked, this, &MainForm::editFormMethod);
    connect(moveUp, &QPushButton::clicked, this, [this] {
        const int row = m_session.selectedRow();
        if (refuseMove(row - 1, row))
            return;
        m_session.recordChange(tr("Move Up"), [this] { return tell(m_session, moveSelectedUp(m_session)); });
    });
    connect(moveDown, &QPushButton::clicked, this, [this] {
        const int row = m_session.selectedRow();
        if (refuseMove(row, row + 1))
            return;
        m_session.recordChange(
            tr("Move Down"), [this] { return tell(m_session, moveSelectedDown(m_session)); });
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &MainForm::listSelectionChanged);
}

void MainForm::buildMenus()
{
    // Each entry presses its button, so the button's checks hold for it too.
    auto entry = [this](QMenu* menu, const char* name, const QString& caption, const char* buttonName) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1StringView(name));
        if (buttonName) {
            auto* target = findChild<QPushButton*>(QLatin1StringView(buttonName));
            Q_ASSERT(target);
            connect(action, &QAction::triggered, target, &QPushButton::click);
        }
        return action;
    };

    // Access keys: Alt+F opens Form, Alt+A Add To Form, Alt+V View.
    QMenu* form = menuBar()->addMenu(tr("&Form"));
    form->setObjectName(QStringLiteral("From"));
    QAction* newForm = entry(form, "New", tr("Create New Form"), nullptr);
    newForm->setShortcut(QKeySequence::New);
    connect(newForm, &QAction::triggered, this, &MainForm::newForm);
    QAction* open = entry(form, "Open", tr("Open Form"), nullptr);
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, &MainForm::openFormCommand);
    addFormFileEntries(form);
    // Forms shared as XLSForm workbooks, in and out.
    QAction* importXlsForm = entry(form, "ImportXlsFormEntry", tr("Import XLSForm\u2026"), nullptr);
    connect(importXlsForm, &QAction::triggered, this, [this] { run(&DesignerCommands::importXlsForm); });
    QAction* exportXlsForm = entry(form, "ExportXlsFormEntry", tr("Export as XLSForm\u2026"), nullptr);
    exportXlsForm->setEnabled(m_session.isFormOpen());
    connect(&m_session, &FormSession::htmlNameChanged, exportXlsForm,
        [exportXlsForm](const QString& page) { exportXlsForm->setEnabled(!page.isEmpty()); });
    connect(exportXlsForm, &QAction::triggered, this, [this] {
        if (formOpen(tr("You don't currently have a Form Open.")) && formEditable())
            exportOpenFormAsXlsForm(m_session, this);
    });
    form->addSeparator()->setObjectName(QStringLiteral("XlsFormLine"));
    // The entry whose caption was "-": a separator line (a caption would be drawn beside it).
    QAction* collect = entry(form, "CollectAnswersEntry", tr("Collect Answers"), "CollectAnswers");
    Q_UNUSED(collect);
    QAction* collected = entry(form, "CollectedFormsEntry", tr("Collected Forms…"), nullptr);
    collected->setEnabled(false); // while answers are collected
    connect(collected, &QAction::triggered, this, [this] { run(&DesignerCommands::showCollectedForms); });
    QAction* resume = entry(form, "ResumeCollecting", tr("Collect Again When Quenlow Starts"), nullptr);
    resume->setCheckable(true);
    resume->setChecked(QSettings().value(QStringLiteral("collect/resume"), true).toBool());
    connect(resume, &QAction::toggled, this,
        [](bool on) { QSettings().setValue(QStringLiteral("collect/resume"), on); });
    QAction* store = entry(form, "AnswersDatabaseEntry", tr("Answers Database..."), nullptr);
    connect(store, &QAction::triggered, this, [this] { run(&DesignerCommands::chooseAnswersStore); });
    // The people invited to answer the open form, with their codes.
    QAction* participants = entry(form, "ParticipantsEntry", tr("Participants…"), nullptr);
    participants->setEnabled(m_session.isFormOpen());
    connect(&m_session, &FormSession::htmlNameChanged, participants,
        [participants](const QString& page) { participants->setEnabled(!page.isEmpty()); });
    connect(participants, &QAction::triggered, this, [this] {
        if (!formOpen(tr("You don't currently have a Form Open.")) || !formEditable())
            return;
        ParticipantsForm window(m_session, this);
        if (m_commands)
            window.setFormAddress(m_commands->formAddress(m_session.htmlName()));
        window.exec();
    });
    QAction* line = form->addSeparator();
    line->setObjectName(QStringLiteral("Line"));
    QAction* exit = entry(form, "Exit_Application", tr("Exit"), nullptr);
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &MainForm::exitProgram);

    // Undo and Redo of the changes made to the open form.
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("Edit"));
    QAction* undo = m_history->stack()->createUndoAction(edit, tr("Undo"));
    undo->setObjectName(QStringLiteral("UndoEntry"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = m_history->stack()->createRedoAction(edit, tr("Redo"));
    redo->setObjectName(QStringLiteral("RedoEntry"));
    // Both keys everywhere: the platform's own Redo is one of them, and the same key twice would make it
    // ambiguous.
    redo->setShortcuts(
        { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y) });
    edit->addAction(undo);
    edit->addAction(redo);

    QMenu* add = menuBar()->addMenu(tr("&Add To Form"));
    add->setObjectName(QStringLiteral("Add"));
    entry(add, "LineRule", tr("Horizontal Line Rule"), "AddHorizontalLine");
    entry(add, "Text", tr("Text/Added Instructions"), "GoToTextForm");
    entry(add, "TextField", tr("Text Field"), "GoToTextFieldForm");
    entry(add, "TextArea", tr("Text Area"), "GoToTextAreaForm");
    entry(add, "Menu", tr("Select Pull Down Menu"), "GoToPullDownMenuDesignForm");
    entry(add, "CheckBoxes", tr("Check Boxes"), "GoToCheckBoxForm");
    entry(add, "RadioButtons", tr("Radio Buttons"), "GoToRadioButtonForm");
    entry(add, "Scale", tr("Scale…"), "GoToScaleForm");
    entry(add, "PageBreak", tr("Page Break…"), "GoToPageBreakForm");
    entry(add, "Grid", tr("Grid…"), "GoToGridForm");
    entry(add, "Ranking", tr("Ranking…"), "GoToRankingForm");
    entry(add, "SubmitButton", tr("Submit Button"), "GoToSumbitButtonForm");

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("View"));
    entry(view, "HTMLForm", tr("Current HTML Form"), "ViewCurrentForm");
    entry(view, "Table", tr("Current Database Table in HTML"), "ViewHTMLdbTable");
    QAction* help = entry(view, "HelpPages", tr("Help Pages"), "ViewHelpPages");
    help->setShortcut(QKeySequence::HelpContents);

    // Delete removes the selected element, with the same checks and questions
    // as the button; only from the list, so that it never reaches a form field
    // shown in the browser view.
    auto* removeKey = new QShortcut(QKeySequence::Delete, m_list, nullptr, nullptr, Qt::WidgetShortcut);
    connect(removeKey, &QShortcut::activated, this, [this] {
        if (m_alterFrame->isVisible())
            removeFormMethod();
    });

    // F10 opens the menu bar from the keyboard as well.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this, form] {
        menuBar()->setFocus(Qt::ShortcutFocusReason);
        menuBar()->setActiveAction(form->menuAction());
    });
}

void MainForm::addFormFileEntries(QMenu* form)
{
    const auto add = [this, form](const char* name, const QString& caption, void (*command)(MainForm&)) {
        QAction* action = form->addAction(caption);
        action->setObjectName(QLatin1StringView(name));
        // They act on the open form, so they are there only while one is.
        action->setEnabled(m_session.isFormOpen());
        connect(&m_session, &FormSession::htmlNameChanged, action,
            [action](const QString& page) { action->setEnabled(!page.isEmpty()); });
        connect(action, &QAction::triggered, this, [this, command] {
            if (formOpen(tr("You don't currently have a Form Open.")) && formEditable())
                command(*this);
        });
    };
    add("RenameFormEntry", tr("Rename Form\u2026"), [](MainForm& w) { renameOpenForm(w.m_session, &w); });
    add("CopyFormEntry", tr("Copy Form\u2026"), [](MainForm& w) { copyOpenForm(w.m_session, &w); });
    add("DeleteFormEntry", tr("Delete Form\u2026"), [](MainForm& w) { deleteOpenForm(w.m_session); });
    form->addSeparator()->setObjectName(QStringLiteral("FormFilesLine"));
}

void MainForm::connectSession()
{
    m_htmlName->setText(m_session.htmlName());
    if (!m_session.htmlFrameCaption().isEmpty())
        m_htmlFrame->setTitle(frameCaption(m_session.htmlFrameCaption()));
    m_addFrame->setVisible(m_session.editingVisible());
    m_alterFrame->setVisible(m_session.editingVisible());
    m_viewReporter->setVisible(m_session.reporterVisible());

    connect(&m_session, &FormSession::htmlNameChanged, m_htmlName, &QLabel::setText);
    // The title names the open form, as a document window does.
    auto showTitle = [this](const QString& page) {
        setWindowTitle(page.isEmpty() ? QStringLiteral("Quenlow") : page + QStringLiteral(" \u2014 Quenlow"));
    };
    showTitle(m_session.htmlName());
    connect(&m_session, &FormSession::htmlNameChanged, this, showTitle);
    connect(&m_session, &FormSession::htmlFrameCaptionChanged, m_htmlFrame,
        [this](const QString& caption) { m_htmlFrame->setTitle(frameCaption(caption)); });
    connect(&m_session, &FormSession::editingVisibleChanged, this, [this](bool visible) {
        m_addFrame->setVisible(visible);
        m_alterFrame->setVisible(visible);
    });
    connect(&m_session, &FormSession::reporterVisibleChanged, m_viewReporter, &QPushButton::setVisible);
    connect(&m_session, &FormSession::navigateRequested, m_browser, &BrowserView::navigate);
    connect(&m_session, &FormSession::refreshRequested, m_browser, &BrowserView::refresh);

    // The session decides the selected row; the list shows it. The session's
    // own handlers of row changes ran first (it connected before us).
    connect(&m_session, &FormSession::selectedRowChanged, this, &MainForm::syncListSelection);
    RowsModel* rows = m_session.rows();
    connect(rows, &QAbstractItemModel::rowsInserted, this, &MainForm::syncListSelection);
    connect(rows, &QAbstractItemModel::rowsRemoved, this, &MainForm::syncListSelection);
    connect(rows, &QAbstractItemModel::rowsMoved, this, &MainForm::syncListSelection);
    connect(rows, &QAbstractItemModel::modelReset, this, &MainForm::syncListSelection);
    syncListSelection();
}

void MainForm::syncListSelection()
{
    if (m_syncingSelection)
        return;
    m_syncingSelection = true;
    const int row = m_session.selectedRow();
    QItemSelectionModel* selection = m_list->selectionModel();
    if (row < 0) {
        selection->clearSelection();
    } else {
        const QModelIndex index = m_session.rows()->index(row);
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        m_list->scrollTo(index);
    }
    m_syncingSelection = false;
}

void MainForm::listSelectionChanged()
{
    if (m_syncingSelection)
        return;
    const QModelIndexList selected = m_list->selectionModel()->selectedIndexes();
    m_syncingSelection = true;
    m_session.setSelectedRow(selected.isEmpty() ? -1 : selected.constFirst().row());
    m_syncingSelection = false;
}

void MainForm::startUp()
{
    ensureOpenForm();
    m_session.showInBrowser(helpPage(m_session.htmlFolder(), windowsLanguageTag()));
    m_session.setHtmlFrameCaption(QStringLiteral("Help Pages"));
    if (openAnswersStore(m_session.databasePath()))
        return;
    if (m_commands)
        m_commands->offerAnswersDatabase();
}

void MainForm::ensureOpenForm()
{
    if (m_openForm)
        return;
    m_openForm = new OpenForm(m_session, this);
    m_openForm->dirList()->setPath(m_session.appFolder());
}

void MainForm::closeEvent(QCloseEvent* event)
{
    if (m_ending) {
        QMainWindow::closeEvent(event);
        return;
    }
    // People may be filling a form in right now: closing would cut them off.
    if (m_collecting
        && !askBeforeDestroying(tr("Quenlow is collecting answers: people may be filling a form in right "
                                   "now, and their answers would be lost. Close Quenlow and stop "
                                   "collecting answers?"),
            MessageIcon::Question)) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    m_ending = true;
    // The program ends with its main window, whatever editor is still open beside it.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible())
            window->hide();
    }
    emit programEnding();
}

void MainForm::exitProgram()
{
    close();
}

bool MainForm::formOpen(const QString& message)
{
    if (m_session.isFormOpen())
        return true;
    showExclamation(message);
    return false;
}

bool MainForm::formEditable()
{
    // A page opened without its collection file has no header to build on;
    // adding to it would write a form without one over the page.
    if (!m_session.collection().isEmpty())
        return true;
    showExclamation(tr("The page '%1' was opened without its collection file and cannot be edited.")
                        .arg(m_session.htmlName()));
    return false;
}

void MainForm::run(void (DesignerCommands::*command)())
{
    if (m_commands)
        (m_commands->*command)();
}

void MainForm::addCommand(const QString& openMessage, void (DesignerCommands::*command)())
{
    if (!formOpen(openMessage) || !formEditable())
        return;
    run(command);
}

void MainForm::addSubmitButton()
{
    if (!formOpen(noFormOpen("Submit Button")) || !formEditable())
        return;
    // Only the last element is looked at: a line or text may stand below the button.
    const MethodCollection& collection = m_session.collection();
    if (collection.atPosition(collection.count() - 1).kind == ElementKind::SubmitButton) {
        showExclamation(tr("You already have a submit button in the Form. You may however edit it"));
        return;
    }
    run(&DesignerCommands::addSubmitButton);
}

void MainForm::editFormMethod()
{
    if (m_session.selectedRow() < 0) {
        showExclamation(tr("You do not have a Form Method Selected."));
        return;
    }
    run(&DesignerCommands::editSelected);
}

bool MainForm::refuseMove(int upper, int lower)
{
    const std::optional<QString> dependent = brokenCondition(m_session, upper, lower);
    if (dependent) {
        showExclamation(tr("'%1' is asked only when '%2' has a given answer, so it must stay below it.")
                            .arg(*dependent, m_session.collection().atPosition(upper).userInstruction));
        return true;
    }
    // A text showing an earlier answer stays below the question that asks it.
    if (upper >= 0 && lower < m_session.collection().count()) {
        const FormMethod& question = m_session.collection().atPosition(upper);
        const FormMethod& showing = m_session.collection().atPosition(lower);
        if (isQuestionKind(question.kind) && pipedNames(showing).contains(question.userInstruction)) {
            showExclamation(tr("'%1' shows the answer to '%2', so it must stay below it.")
                                .arg(showing.userInstruction, question.userInstruction));
            return true;
        }
    }
    return false;
}

void MainForm::removeFormMethod()
{
    m_session.recordChange(tr("Remove"), [this] {
        Outcome removed = removeSelected(m_session);
        if (const auto question = removed.question();
            question && question->kind == Notice::Kind::RemoveAnswers) {
            if (!confirm(*question))
                return false;
            removed = removeSelected(m_session, true);
        }
        return tell(m_session, removed);
    });
}

void MainForm::newForm()
{
    run(&DesignerCommands::newForm);
}

void MainForm::openFormCommand()
{
    ensureOpenForm();
    OpenForm* window = m_openForm;
    window->patternChange(QStringLiteral("*.html"));
    window->dirList()->setPath(m_session.htmlFolder());
    window->filList()->setPath(window->dirList()->path());
    window->filList()->setFocus();
    window->exec();
    // Closed by its title bar: the next use makes it anew.
    if (m_openForm && m_openForm->wasClosed())
        delete m_openForm;
}

void MainForm::viewCurrentForm()
{
    if (!formOpen(tr("You don't currently have a Form Open to view.")))
        return;
    m_session.showInBrowser(m_session.htmlName());
    m_session.setHtmlFrameCaption(QStringLiteral("Current Form"));
}

void MainForm::viewAnswersTable()
{
    if (!formOpen(tr("You don't currently have a Form Open."))
        || !(m_commands && m_commands->offerAnswersDatabase()))
        return;
    run(&DesignerCommands::viewAnswersTable);
}

void MainForm::viewHelpPages()
{
    m_session.showInBrowser(helpPage(m_session.htmlFolder(), windowsLanguageTag()) + QStringLiteral("#help"));
    m_session.setHtmlFrameCaption(QStringLiteral("Help Pages"));
}

void MainForm::viewReporter()
{
    if (!formOpen(tr("You don't currently have a Form Open."))
        || !(m_commands && m_commands->offerAnswersDatabase()))
        return;
    run(&DesignerCommands::openReporter);
}

void MainForm::setCollectionStatus(bool collecting, const QString& text)
{
    m_collecting = collecting;
    m_collectAnswers->setText(collecting ? tr("Stop Collecting Answers") : tr("Collect Answers"));
    m_collectionAddress->setText(text);
    if (QAction* entry = findChild<QAction*>(QStringLiteral("CollectAnswersEntry")))
        entry->setText(m_collectAnswers->text());
    if (QAction* entry = findChild<QAction*>(QStringLiteral("CollectedFormsEntry")))
        entry->setEnabled(collecting);
}

void MainForm::showStatus(const QString& text)
{
    statusBar()->showMessage(text);
}

} // namespace quenlow
