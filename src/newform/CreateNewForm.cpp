// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "newform/CreateNewForm.h"

#include "core/Messages.h"
#include "model/Backgrounds.h"
#include "model/ElementKind.h"
#include "model/FormSession.h"
#include "model/QuestionSettings.h"
#include "platform/BrowserView.h"
#include "platform/Translations.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace quenlow {

namespace {

// Shows `text` in an editable combo box and selects its entry when it has one,
// so the open list highlights what the box says.
void setComboText(QComboBox* box, const QString& text)
{
    const int index = box->findText(text, Qt::MatchExactly);
    if (index >= 0)
        box->setCurrentIndex(index);
    box->setEditText(text);
}

// The justification is stored in English whatever the language it is shown in.
void setStoredChoice(QComboBox* box, const QString& stored)
{
    const int index = box->findData(stored);
    if (index < 0)
        return setComboText(box, stored);
    box->setCurrentIndex(index);
    box->setEditText(box->itemText(index));
}

QString storedChoice(const QComboBox* box)
{
    const int index = box->findText(box->currentText(), Qt::MatchExactly);
    return index >= 0 ? box->itemData(index).toString() : box->currentText();
}

// Closing times are typed as a person writes them, to the minute, in local time.
const QString kClosingTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm");

template <typename W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1StringView(name));
    return widget;
}

QLabel* label(const char* name, const QString& text, QWidget* parent)
{
    auto* l = named(new QLabel(text, parent), name);
    l->setWordWrap(true);
    return l;
}

} // namespace

CreateNewForm::CreateNewForm(FormSession& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("CreateNewForm"));
    setWindowTitle(tr("Create New Form"));
    setModal(true);

    m_enterFileNameInstruction = label("EnterFileNameInstruction",
        tr("Please enter desired name for HTML file and corresponding database table :"), this);
    m_htmlFileNameBox = named(new QLineEdit(QStringLiteral("name"), this), "HTMLFileNameBox");
    // A doubled ampersand shows one ampersand; it is not an access key.
    m_generate = named(
        new QPushButton(tr("Generate HTML Form && Corresponding Database Table for form answers"), this),
        "Generate_Form_And_Database");

    m_attributesFrame = named(new QGroupBox(tr("Form Attributes"), this), "FormAttributesFrame");
    auto* formTitleLabel = label("FormTitleUserInstruction", tr("Form Title :"), m_attributesFrame);
    m_formTitleBox = named(new QLineEdit(tr("New Form Title"), m_attributesFrame), "FormTitleBox");
    auto* letterSizeLabel = label("LetterSizeUserInstruction", tr("Title Font Size :"), m_attributesFrame);
    m_letterSize = named(new QComboBox(m_attributesFrame), "LetterSize");
    // Editable like the boxes the stored headers were made with: any text is kept.
    m_letterSize->setEditable(true);
    m_letterSize->setInsertPolicy(QComboBox::NoInsert);
    for (int size = 1; size <= 7; ++size)
        m_letterSize->addItem(QString::number(size));
    setComboText(m_letterSize, QStringLiteral("7"));
    auto* justificationLabel
        = label("JustificationUserInstruction", tr("Title Justification :"), m_attributesFrame);
    m_justification = named(new QComboBox(m_attributesFrame), "Justification");
    m_justification->setEditable(true);
    m_justification->setInsertPolicy(QComboBox::NoInsert);
    m_justification->addItem(tr("Left"), QStringLiteral("Left"));
    m_justification->addItem(tr("Centre"), QStringLiteral("Centre"));
    setStoredChoice(m_justification, QStringLiteral("Centre"));
    auto* backgroundLabel = label("BackgroundUserInstruction", tr("Form Background :"), m_attributesFrame);
    m_backgroundChoice = named(new QListWidget(m_attributesFrame), "BackgroundChoice");
    for (const QString& choice : backgroundChoices()) {
        auto* item = new QListWidgetItem(
            QCoreApplication::translate("Backgrounds", choice.toUtf8().constData()), m_backgroundChoice);
        item->setData(Qt::UserRole, choice);
    }
    m_backgroundChoice->setSelectionMode(QAbstractItemView::SingleSelection);
    m_backgroundChoice->setMinimumWidth(150);
    m_preview = named(new BrowserView(m_attributesFrame), "WebBrowser1");
    m_preview->setMinimumSize(180, 150);
    m_userViewTableCheck = named(
        new QCheckBox(
            tr("Tick box if you wish the HTML Form user to view the Database Table after their input"),
            m_attributesFrame),
        "UserViewTableCheck");
    // The answers table is then served to strangers: say so while it is.
    m_answersTablePublic = label("AnswersTablePublic",
        tr("Anyone with the form's address can see every answer to it."), m_attributesFrame);
    m_answersTablePublic->hide();

    // How answers are collected; each control left as it comes keeps the form as forms were before.
    m_collectingFrame = named(new QGroupBox(tr("Collecting Answers"), this), "CollectingFrame");
    m_showResults = named(new QCheckBox(tr("Show results to respondents"), m_collectingFrame), "ShowResults");
    m_acceptingAnswers = named(new QCheckBox(tr("Accepting answers"), m_collectingFrame), "AcceptingAnswers");
    auto* closingTimeLabel = label("ClosingTimeInstruction", tr("Closing time :"), m_collectingFrame);
    m_closingTime = named(new QLineEdit(m_collectingFrame), "ClosingTime");
    m_closingTime->setPlaceholderText(tr("YYYY-MM-DD HH:MM"));
    m_closingTime->setToolTip(tr("Local date and time after which no answers are taken; empty for none."));
    auto* answerLimitLabel = label("AnswerLimitInstruction", tr("Answer limit :"), m_collectingFrame);
    m_answerLimit = named(new QLineEdit(m_collectingFrame), "AnswerLimit");
    m_answerLimit->setPlaceholderText(tr("no limit"));
    m_answerLimit->setToolTip(tr("How many answers are taken; empty for no limit."));
    auto* thankYouLabel = label("ThankYouTextInstruction", tr("Thank-you message :"), m_collectingFrame);
    m_thankYouText = named(new QLineEdit(m_collectingFrame), "ThankYouText");
    m_thankYouText->setPlaceholderText(tr("the usual thanks"));
    // Short captions on one line each, beside their boxes.
    for (QLabel* caption : { closingTimeLabel, answerLimitLabel, thankYouLabel })
        caption->setWordWrap(false);
    m_offerAnotherAnswer
        = named(new QCheckBox(tr("Offer \"Send another answer\""), m_collectingFrame), "OfferAnotherAnswer");
    // The language of the page as respondents get it, named in the designer's own.
    auto* languageLabel = label("FormLanguageInstruction", tr("Form language :"), m_collectingFrame);
    m_formLanguage = named(new QComboBox(m_collectingFrame), "FormLanguage");
    for (const FormLanguage language : formLanguages()) {
        static const char* const names[]
            = { QT_TR_NOOP("English"), QT_TR_NOOP("German"), QT_TR_NOOP("Spanish") };
        m_formLanguage->addItem(tr(names[int(language)]), languageTag(language));
    }
    languageLabel->setBuddy(m_formLanguage);
    languageLabel->setWordWrap(false);
    // Quotas: at most so many answers with one answer to one choice question.
    auto* quotaLabel = label("QuotaInstruction", tr("Quota :"), m_collectingFrame);
    quotaLabel->setWordWrap(false);
    m_quotaQuestion = named(new QComboBox(m_collectingFrame), "QuotaQuestion");
    m_quotaQuestion->setToolTip(tr("The question whose answers are counted"));
    quotaLabel->setBuddy(m_quotaQuestion);
    m_quotaAnswer = named(new QComboBox(m_collectingFrame), "QuotaAnswer");
    m_quotaAnswer->setToolTip(tr("The answer counted"));
    m_quotaLimit = named(new QSpinBox(m_collectingFrame), "QuotaLimit");
    m_quotaLimit->setRange(1, 999999999);
    m_quotaLimit->setValue(50);
    auto* quotaLimitLabel = label("QuotaLimitInstruction", tr("at most"), m_collectingFrame);
    quotaLimitLabel->setWordWrap(false);
    quotaLimitLabel->setBuddy(m_quotaLimit);
    m_quotaLimit->setToolTip(tr("How many answers with that answer are taken"));
    m_addQuota = named(new QPushButton(tr("Add Quota"), m_collectingFrame), "AddQuota");
    m_quotaList = named(new QListWidget(m_collectingFrame), "QuotaList");
    m_quotaList->setMaximumHeight(80);
    m_removeQuota = named(new QPushButton(tr("Remove Quota"), m_collectingFrame), "RemoveQuota");
    // Who may answer: only the participants, each with a personal code; anonymity
    // means something only then.
    m_invitedOnly
        = named(new QCheckBox(tr("Only invited people may answer"), m_collectingFrame), "InvitedOnly");
    m_anonymousAnswers = named(new QCheckBox(tr("Anonymous answers"), m_collectingFrame), "AnonymousAnswers");
    m_anonymousAnswers->setToolTip(
        tr("Only that a code has answered is kept, never which answers are whose; each code answers once."));
    connect(m_invitedOnly, &QCheckBox::toggled, m_anonymousAnswers, &QWidget::setEnabled);
    showSettings(FormSettings());

    m_dbLocationInstruction = label("dbLocationInstruction",
        tr("If the location of the database has altered you may alter the database location text "
           "within the form by modifying the full path location below :"),
        this);
    m_dbLocationText = named(new QLineEdit(this), "dbLocationText");
    m_updateFormTitle = named(new QPushButton(tr("Update Form Title"), this), "UpdateFormTitle");
    m_cancel = named(new QPushButton(tr("Cancel"), this), "Cancel");

    auto* attributes = new QGridLayout(m_attributesFrame);
    attributes->addWidget(formTitleLabel, 0, 0);
    attributes->addWidget(m_formTitleBox, 0, 1, 1, 2);
    attributes->addWidget(letterSizeLabel, 1, 0);
    attributes->addWidget(m_letterSize, 1, 1);
    attributes->addWidget(justificationLabel, 2, 0);
    attributes->addWidget(m_justification, 2, 1);
    attributes->addWidget(backgroundLabel, 3, 0, Qt::AlignTop);
    attributes->addWidget(m_backgroundChoice, 3, 1);
    attributes->addWidget(m_preview, 3, 2);
    attributes->addWidget(m_userViewTableCheck, 4, 0, 1, 3);
    attributes->addWidget(m_answersTablePublic, 5, 0, 1, 3);
    attributes->setColumnStretch(2, 1);
    attributes->setRowStretch(3, 1);

    auto* collecting = new QGridLayout(m_collectingFrame);
    collecting->addWidget(m_acceptingAnswers, 0, 0, 1, 2);
    collecting->addWidget(m_showResults, 0, 2, 1, 2);
    collecting->addWidget(closingTimeLabel, 1, 0);
    collecting->addWidget(m_closingTime, 1, 1);
    collecting->addWidget(answerLimitLabel, 1, 2);
    collecting->addWidget(m_answerLimit, 1, 3);
    collecting->addWidget(thankYouLabel, 2, 0);
    collecting->addWidget(m_thankYouText, 2, 1, 1, 3);
    collecting->addWidget(m_offerAnotherAnswer, 3, 0, 1, 2);
    collecting->addWidget(languageLabel, 3, 2);
    collecting->addWidget(m_formLanguage, 3, 3);
    collecting->addWidget(m_invitedOnly, 4, 0, 1, 2);
    collecting->addWidget(m_anonymousAnswers, 4, 2, 1, 2);
    auto* quotaChoice = new QHBoxLayout;
    quotaChoice->addWidget(m_quotaQuestion, 2);
    quotaChoice->addWidget(m_quotaAnswer, 2);
    quotaChoice->addWidget(quotaLimitLabel);
    quotaChoice->addWidget(m_quotaLimit, 1);
    quotaChoice->addWidget(m_addQuota);
    collecting->addWidget(quotaLabel, 5, 0);
    collecting->addLayout(quotaChoice, 5, 1, 1, 3);
    collecting->addWidget(m_quotaList, 6, 1, 1, 2);
    collecting->addWidget(m_removeQuota, 6, 3, Qt::AlignTop | Qt::AlignLeft);
    collecting->setColumnStretch(1, 1);
    collecting->setColumnStretch(3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_updateFormTitle);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_enterFileNameInstruction);
    layout->addWidget(m_htmlFileNameBox);
    layout->addWidget(m_generate);
    layout->addWidget(m_attributesFrame, 1);
    layout->addWidget(m_collectingFrame);
    layout->addWidget(m_dbLocationInstruction);
    layout->addWidget(m_dbLocationText);
    layout->addLayout(buttons);
    resize(620, 720);

    // Only header editing shows the database location.
    m_dbLocationInstruction->hide();
    m_dbLocationText->hide();

    connect(m_backgroundChoice, &QListWidget::currentRowChanged, this, &CreateNewForm::backgroundChosen);
    connect(m_userViewTableCheck, &QCheckBox::toggled, m_answersTablePublic, &QLabel::setVisible);
    connect(m_generate, &QPushButton::clicked, this, &CreateNewForm::generate);
    connect(m_updateFormTitle, &QPushButton::clicked, this, &CreateNewForm::updateFormTitle);
    connect(m_cancel, &QPushButton::clicked, this, &CreateNewForm::reject);
    connect(m_quotaQuestion, &QComboBox::currentIndexChanged, this, &CreateNewForm::offerQuotaAnswers);
    connect(m_addQuota, &QPushButton::clicked, this, &CreateNewForm::addQuota);
    connect(m_removeQuota, &QPushButton::clicked, this, &CreateNewForm::removeQuota);
    connect(m_quotaList, &QListWidget::currentRowChanged, this,
        [this](int row) { m_removeQuota->setEnabled(row >= 0); });
    // A new form has no question yet; the header editor offers the open form's.
    offerQuotaQuestions({});
}

CreateNewForm::~CreateNewForm()
{
    m_session.forgetNewFormWindow();
}

bool CreateNewForm::createNewForm(FormSession& session, QWidget* owner)
{
    CreateNewForm window(session, owner);
    window.prepareNewForm();
    return window.exec() == QDialog::Accepted;
}

bool CreateNewForm::editHeader(FormSession& session, QWidget* owner)
{
    CreateNewForm window(session, owner);
    if (!window.prepareHeaderEditing())
        return false;
    return window.exec() == QDialog::Accepted;
}

void CreateNewForm::prepareNewForm()
{
    setComboText(m_letterSize, QStringLiteral("7"));
    setStoredChoice(m_justification, QStringLiteral("Centre"));
    selectBackground(1);
    // A new form speaks the designer's language when respondents can be spoken to in it.
    FormSettings settings;
    settings.language = formLanguageFromTag(windowsLanguageTag()).value_or(FormLanguage::English);
    showSettings(settings);
    m_updateFormTitle->hide();
    m_cancel->hide();
    m_generate->setDefault(true);
    m_htmlFileNameBox->setFocus();
    m_htmlFileNameBox->selectAll();
}

bool CreateNewForm::prepareHeaderEditing()
{
    if (m_session.collection().isEmpty())
        return false;
    const FormMethod& header = m_session.collection().atPosition(0);
    m_enterFileNameInstruction->hide();
    m_htmlFileNameBox->hide();
    m_generate->hide();
    m_formTitleBox->setText(header.userInstruction);
    setComboText(m_letterSize, header.attribute4);
    setStoredChoice(m_justification, header.attribute5);
    selectBackground(wholeNumber(header.item(1)));
    m_userViewTableCheck->setChecked(wholeNumber(header.item(2)) != 0);
    offerQuotaQuestions(m_session.collection().methods());
    showSettings(formSettingsOf(header));
    m_dbLocationInstruction->show();
    m_dbLocationText->show();
    m_dbLocationText->setText(header.item(3));
    setWindowTitle(tr("Edit Form Attributes"));
    m_updateFormTitle->show();
    m_cancel->show();
    m_updateFormTitle->setDefault(true);
    m_formTitleBox->setFocus();
    return true;
}

HeaderInputs CreateNewForm::inputs() const
{
    HeaderInputs in;
    in.title = m_formTitleBox->text();
    in.letterSize = m_letterSize->currentText();
    in.justification = storedChoice(m_justification);
    if (QListWidgetItem* item = m_backgroundChoice->currentItem(); item && item->isSelected()) {
        in.backgroundRow = m_backgroundChoice->row(item);
        in.backgroundText = item->data(Qt::UserRole).toString();
    }
    in.userViewTable = m_userViewTableCheck->isChecked();
    in.databaseLocation = m_dbLocationText->text();
    in.settings = settingsInput();
    return in;
}

std::optional<FormSettings> CreateNewForm::settingsInput() const
{
    FormSettings settings;
    settings.showResults = m_showResults->isChecked();
    settings.acceptingAnswers = m_acceptingAnswers->isChecked();
    settings.thankYouText = m_thankYouText->text().trimmed();
    settings.offerAnotherAnswer = m_offerAnotherAnswer->isChecked();
    settings.language
        = formLanguageFromTag(m_formLanguage->currentData().toString()).value_or(FormLanguage::English);
    settings.invitedOnly = m_invitedOnly->isChecked();
    settings.anonymousAnswers = settings.invitedOnly && m_anonymousAnswers->isChecked();
    if (const QString typed = m_closingTime->text().simplified(); !typed.isEmpty()) {
        settings.closingTime = QDateTime::fromString(typed, kClosingTimeFormat);
        if (!settings.closingTime.isValid()) {
            showExclamation(
                tr("The closing time '%1' is not a date and time. Please enter it as YYYY-MM-DD HH:MM "
                   "(for example 2026-06-30 17:00), or leave it empty for no closing time.")
                    .arg(typed));
            return std::nullopt;
        }
    }
    if (const QString typed = m_answerLimit->text().trimmed(); !typed.isEmpty()) {
        bool ok = false;
        const qint64 limit = typed.toLongLong(&ok);
        if (!ok || limit < 1) {
            showExclamation(
                tr("The answer limit '%1' is not a whole number of answers. Please enter a number of 1 "
                   "or more, or leave it empty for no limit.")
                    .arg(typed));
            return std::nullopt;
        }
        settings.answerLimit = limit;
    }
    settings.quotas = m_quotas;
    return settings;
}

void CreateNewForm::showSettings(const FormSettings& settings)
{
    m_showResults->setChecked(settings.showResults);
    m_acceptingAnswers->setChecked(settings.acceptingAnswers);
    m_closingTime->setText(settings.closingTime.isValid()
            ? settings.closingTime.toLocalTime().toString(kClosingTimeFormat)
            : QString());
    m_answerLimit->setText(settings.answerLimit ? QString::number(*settings.answerLimit) : QString());
    m_thankYouText->setText(settings.thankYouText);
    m_formLanguage->setCurrentIndex(m_formLanguage->findData(languageTag(settings.language)));
    m_offerAnotherAnswer->setChecked(settings.offerAnotherAnswer);
    m_invitedOnly->setChecked(settings.invitedOnly);
    m_anonymousAnswers->setChecked(settings.anonymousAnswers);
    m_anonymousAnswers->setEnabled(settings.invitedOnly);
    m_quotas = settings.quotas;
    showQuotas();
}

void CreateNewForm::offerQuotaQuestions(const QList<FormMethod>& methods)
{
    // Questions with one answer from a fixed list: options, menus and scales.
    m_quotaQuestion->clear();
    for (const FormMethod& m : methods) {
        if (m.kind != ElementKind::RadioButtons && m.kind != ElementKind::PullDownMenu
            && m.kind != ElementKind::Scale)
            continue;
        if (const auto choice = conditionChoice(m))
            m_quotaQuestion->addItem(choice->question, choice->answers);
    }
    const bool any = m_quotaQuestion->count() > 0;
    for (QWidget* w :
        std::initializer_list<QWidget*> { m_quotaQuestion, m_quotaAnswer, m_quotaLimit, m_addQuota })
        w->setEnabled(any);
    offerQuotaAnswers();
}

void CreateNewForm::offerQuotaAnswers()
{
    m_quotaAnswer->clear();
    m_quotaAnswer->addItems(m_quotaQuestion->currentData().toStringList());
    m_addQuota->setEnabled(m_quotaAnswer->count() > 0);
}

void CreateNewForm::addQuota()
{
    if (m_quotaQuestion->currentIndex() < 0 || m_quotaAnswer->currentIndex() < 0)
        return;
    const FormQuota quota { m_quotaQuestion->currentText(), m_quotaAnswer->currentText(),
        m_quotaLimit->value() };
    // One quota per answer: adding it again sets its number.
    const auto same = std::find_if(m_quotas.begin(), m_quotas.end(),
        [&quota](const FormQuota& q) { return q.question == quota.question && q.answer == quota.answer; });
    const qsizetype at = same - m_quotas.begin();
    if (at < m_quotas.size())
        m_quotas[at] = quota;
    else
        m_quotas.append(quota);
    showQuotas();
    m_quotaList->setCurrentRow(int(at));
}

void CreateNewForm::removeQuota()
{
    const int row = m_quotaList->currentRow();
    if (row < 0 || row >= m_quotas.size())
        return;
    m_quotas.removeAt(row);
    showQuotas();
    m_quotaList->setCurrentRow(qMin(row, int(m_quotas.size()) - 1));
}

void CreateNewForm::showQuotas()
{
    m_quotaList->clear();
    for (const FormQuota& quota : std::as_const(m_quotas))
        m_quotaList->addItem(
            tr("%1 = %2: at most %3").arg(quota.question, quota.answer, QString::number(quota.limit)));
    m_removeQuota->setEnabled(m_quotaList->currentRow() >= 0);
}

void CreateNewForm::selectBackground(int row)
{
    if (row < 0 || row >= m_backgroundChoice->count())
        row = -1;
    // Selecting the row already selected still shows its preview, as a click does.
    if (row == m_backgroundChoice->currentRow())
        backgroundChosen(row);
    else
        m_backgroundChoice->setCurrentRow(row);
}

void CreateNewForm::backgroundChosen(int row)
{
    m_session.setBackgroundChoice(row);
    if (row < 0)
        return;
    const QString image = backgroundImageFor(m_backgroundChoice->item(row)->data(Qt::UserRole).toString());
    if (!image.isEmpty())
        m_preview->navigate(m_session.htmlFolder() + image);
}

void CreateNewForm::generate()
{
    // A setting that cannot be read leaves the window open with everything typed.
    const HeaderInputs header = inputs();
    if (!header.settings)
        return;
    if (generateForm(m_session, m_htmlFileNameBox->text(), header))
        accept();
}

void CreateNewForm::updateFormTitle()
{
    const HeaderInputs header = inputs();
    if (!header.settings)
        return;
    m_session.recordChange(tr("Edit Header"), [&] { return updateHeader(m_session, header); });
    accept();
}

} // namespace quenlow
