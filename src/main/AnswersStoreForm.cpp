// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "main/AnswersStoreForm.h"

#include "core/Messages.h"
#include "database/AnswersStore.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

namespace quenlow {

AnswersStoreForm::AnswersStoreForm(const QString& current, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AnswersStoreForm"));
    setWindowTitle(tr("Answers Database"));
    setModal(true);

    m_embedded = new QRadioButton(tr("The database in the program folder (formAnswers.mdb)"), this);
    m_embedded->setObjectName(QStringLiteral("EmbeddedStore"));
    m_server = new QRadioButton(tr("A PostgreSQL database, shared with collection servers elsewhere:"), this);
    m_server->setObjectName(QStringLiteral("ServerStore"));
    m_address = new QLineEdit(this);
    m_address->setObjectName(QStringLiteral("ServerAddress"));
    m_address->setPlaceholderText(tr("postgresql://USER@HOST:5432/DBNAME"));
    auto* note = new QLabel(tr("The password comes from PGPASSWORD or the file ~/.pgpass; it is never "
                               "kept by Quenlow. The choice is remembered."),
        this);
    note->setObjectName(QStringLiteral("PasswordNote"));
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));

    const bool server = isServerLocation(current);
    (server ? m_server : m_embedded)->setChecked(true);
    m_address->setText(server ? current : QString());
    m_address->setEnabled(server);
    connect(m_server, &QRadioButton::toggled, m_address, &QLineEdit::setEnabled);
    // Once the button has taken the focus itself (arrow keys give it to the button they tick).
    connect(m_server, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            QMetaObject::invokeMethod(m_address, qOverload<>(&QWidget::setFocus), Qt::QueuedConnection);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_embedded);
    layout->addWidget(m_server);
    auto* indented = new QVBoxLayout;
    indented->setContentsMargins(24, 0, 0, 0);
    indented->addWidget(m_address);
    indented->addWidget(note);
    layout->addLayout(indented);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    setMinimumWidth(520);

    connect(buttons, &QDialogButtonBox::accepted, this, &AnswersStoreForm::acceptChoice);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString AnswersStoreForm::location() const
{
    return m_server->isChecked() ? m_address->text().trimmed() : QString();
}

void AnswersStoreForm::acceptChoice()
{
    if (m_server->isChecked()) {
        const QString address = location();
        if (!isServerLocation(address)) {
            showExclamation(tr("The address of a PostgreSQL database begins with postgresql://, for "
                               "example postgresql://quenlow@db.example.org:5432/answers."));
            return;
        }
        // The choice is kept in the settings file, where a password does not belong.
        const QUrl url(address);
        if (!url.password().isEmpty() || address.contains(QLatin1String("password="), Qt::CaseInsensitive)) {
            showExclamation(tr("Please leave the password out of the address: give it through "
                               "PGPASSWORD or the file ~/.pgpass instead."));
            return;
        }
    }
    accept();
}

} // namespace quenlow
