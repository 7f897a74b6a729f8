// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "main/CollectAnswersForm.h"

#include "core/Messages.h"
#include "model/QrCode.h"
#include "platform/ExternalBrowser.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QNetworkInterface>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

namespace quenlow {

namespace {

QPushButton* namedButton(const char* name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1StringView(name));
    return b;
}

} // namespace

CollectAnswersForm::CollectAnswersForm(const CollectionChoice& proposed, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CollectAnswersForm"));
    setWindowTitle(tr("Collect Answers"));
    setModal(true);

    m_onlyThisComputer = new QRadioButton(tr("Only this computer"), this);
    m_onlyThisComputer->setObjectName(QStringLiteral("OnlyThisComputer"));
    m_network = new QRadioButton(tr("People on my network"), this);
    m_network->setObjectName(QStringLiteral("PeopleOnMyNetwork"));
    (proposed.shared ? m_network : m_onlyThisComputer)->setChecked(true);
    m_whoCanAnswer = new QLabel(this);
    m_whoCanAnswer->setObjectName(QStringLiteral("WhoCanAnswer"));
    m_whoCanAnswer->setWordWrap(true);

    m_port = new QSpinBox(this);
    m_port->setObjectName(QStringLiteral("CollectionPort"));
    m_port->setRange(0, 65535);
    m_port->setSpecialValueText(tr("any free port"));
    m_port->setValue(proposed.port);

    // HTTPS: what a phone needs before it sends answers across a network that
    // is not the person's own; the files are the web server's usual PEM pair.
    m_certificate = new QLineEdit(proposed.certificateFile, this);
    m_certificate->setObjectName(QStringLiteral("CertificateFile"));
    m_certificate->setPlaceholderText(tr("none: plain HTTP"));
    m_key = new QLineEdit(proposed.keyFile, this);
    m_key->setObjectName(QStringLiteral("KeyFile"));
    auto* chooseCertificate = namedButton("ChooseCertificate", tr("Browse..."), this);
    auto* chooseKey = namedButton("ChooseKey", tr("Browse..."), this);
    connect(chooseCertificate, &QPushButton::clicked, this,
        [this] { chooseFile(m_certificate, tr("HTTPS Certificate")); });
    connect(chooseKey, &QPushButton::clicked, this, [this] { chooseFile(m_key, tr("HTTPS Private Key")); });
    m_httpsProblem = new QLabel(this);
    m_httpsProblem->setObjectName(QStringLiteral("HttpsProblem"));
    m_httpsProblem->setWordWrap(true);
    m_httpsProblem->hide();

    auto* start = namedButton("StartCollecting", tr("Start Collecting"), this);
    start->setDefault(true);
    auto* cancel = namedButton("Cancel", tr("Cancel"), this);
    connect(start, &QPushButton::clicked, this, &CollectAnswersForm::start);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_onlyThisComputer, &QRadioButton::toggled, this, &CollectAnswersForm::explain);

    auto* intro = new QLabel(tr("Who may fill your forms in?"), this);
    auto* portRow = new QFormLayout;
    portRow->addRow(tr("Port :"), m_port);
    const auto fileRow = [portRow](const QString& caption, QLineEdit* field, QPushButton* browse) {
        auto* row = new QHBoxLayout;
        row->addWidget(field, 1);
        row->addWidget(browse);
        portRow->addRow(caption, row);
    };
    fileRow(tr("HTTPS certificate :"), m_certificate, chooseCertificate);
    fileRow(tr("HTTPS key :"), m_key, chooseKey);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(start);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_onlyThisComputer);
    layout->addWidget(m_network);
    layout->addWidget(m_whoCanAnswer);
    layout->addLayout(portRow);
    layout->addWidget(m_httpsProblem);
    layout->addLayout(buttons);
    setMinimumWidth(460);
    explain();
}

void CollectAnswersForm::explain()
{
    m_whoCanAnswer->setText(m_network->isChecked()
            ? tr("Phones and computers on the same network as this one (the same Wi-Fi or office "
                 "network) can open your forms. People elsewhere on the internet cannot.")
            : tr("Only a web browser on this computer can open your forms: useful to try a form "
                 "out. Nobody else can reach it."));
}

void CollectAnswersForm::chooseFile(QLineEdit* field, const QString& title)
{
    // Qt's own chooser, as every other window of the program shows.
    const QString file = QFileDialog::getOpenFileName(this, title, QFileInfo(field->text()).path(),
        tr("PEM files (*.pem *.crt *.key);;All files (*)"), nullptr, QFileDialog::DontUseNativeDialog);
    if (!file.isEmpty())
        field->setText(file);
}

void CollectAnswersForm::start()
{
    // Whether the files hold a usable pair the service tells when it starts.
    if (m_certificate->text().trimmed().isEmpty() != m_key->text().trimmed().isEmpty()) {
        m_httpsProblem->setText(tr("HTTPS needs both the certificate and its private key; "
                                   "leave both empty for plain HTTP."));
        m_httpsProblem->show();
        return;
    }
    accept();
}

CollectionChoice CollectAnswersForm::choice() const
{
    return { m_network->isChecked(), quint16(m_port->value()), m_certificate->text().trimmed(),
        m_key->text().trimmed() };
}

CollectionAddresses::CollectionAddresses(
    const QStringList& addresses, bool shared, bool answersPublic, QWidget* parent)
    : QDialog(parent)
    , m_addresses(addresses)
{
    setObjectName(QStringLiteral("CollectionAddresses"));
    setWindowTitle(tr("Collecting Answers"));
    setModal(true);

    auto* explanation = new QLabel(this);
    explanation->setObjectName(QStringLiteral("AddressExplanation"));
    explanation->setWordWrap(true);
    if (addresses.isEmpty())
        explanation->setText(tr("Quenlow is collecting answers, but this computer has no network address "
                                "that other devices could reach. Connect it to a network and start again."));
    else if (shared)
        explanation->setText(tr("Quenlow is collecting answers. People on the same network as this "
                                "computer open one of these addresses (a phone can scan the code); "
                                "this computer's own browser can use them too. They do not work from "
                                "the internet."));
    else
        explanation->setText(tr("Quenlow is collecting answers. This address works in a web browser on "
                                "this computer only."));

    auto* answersNotice = new QLabel(tr("Anyone with the form's address can see every answer to it: "
                                        "the form lets the people who answer it view its answers table."),
        this);
    answersNotice->setObjectName(QStringLiteral("AnswersTablePublic"));
    answersNotice->setWordWrap(true);
    answersNotice->setVisible(answersPublic && !addresses.isEmpty());

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("AddressList"));
    m_list->addItems(addresses);
    fitList();
    m_code = new QLabel(this);
    m_code->setObjectName(QStringLiteral("AddressQrCode"));
    m_code->setAlignment(Qt::AlignCenter);
    m_code->setVisible(shared && !addresses.isEmpty());

    auto* copy = namedButton("CopyAddress", tr("Copy"), this);
    copy->setEnabled(!addresses.isEmpty());
    auto* close = namedButton("CloseAddresses", tr("Close"), this);
    close->setDefault(true);
    connect(copy, &QPushButton::clicked, this, [this] {
        const int row = std::max(0, m_list->currentRow());
        if (row < m_addresses.size())
            QApplication::clipboard()->setText(m_addresses.at(row));
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QListWidget::currentRowChanged, this, &CollectionAddresses::showCode);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(answersNotice);
    layout->addWidget(m_list);
    layout->addWidget(m_code);
    layout->addLayout(buttons);
    setMinimumWidth(480);
    if (!addresses.isEmpty())
        m_list->setCurrentRow(0);
}

void CollectionAddresses::fitList()
{
    m_list->setMaximumHeight(m_list->sizeHintForRow(0) * std::max<qsizetype>(3, m_list->count()) + 8);
}

void CollectionAddresses::addResultsAddresses(const QStringList& addresses)
{
    for (const QString& address : addresses) {
        m_addresses.append(address);
        m_list->addItem(tr("Results: %1").arg(address));
    }
    fitList();
    if (m_resultsAddresses.isEmpty() && !addresses.isEmpty()) {
        auto* presentButton = namedButton("PresentResults", tr("Present"), this);
        presentButton->setToolTip(tr("Shows the results in your web browser, large enough for a projector."));
        connect(presentButton, &QPushButton::clicked, this, &CollectionAddresses::present);
        // Beside Copy, in the row of buttons.
        if (auto* row = qobject_cast<QHBoxLayout*>(layout()->itemAt(layout()->count() - 1)->layout()))
            row->insertWidget(1, presentButton);
    }
    m_resultsAddresses.append(addresses);
}

void CollectionAddresses::present()
{
    // The chosen results row, or the first: any of them reaches the service from here.
    const int row = m_list->currentRow();
    const qsizetype chosen = m_resultsAddresses.indexOf(m_addresses.value(row));
    QUrl url(m_resultsAddresses.value(std::max<qsizetype>(0, chosen)));
    url.setQuery(QStringLiteral("present"));
    if (!openInExternalBrowser(url))
        showExclamation(tr("No web browser could be opened for %1.").arg(url.toString()));
}

void CollectionAddresses::addPanel(QWidget* panel)
{
    auto* box = qobject_cast<QVBoxLayout*>(layout());
    panel->setParent(this);
    // Above the row of buttons, which stays last.
    box->insertWidget(box->count() - 1, panel);
    setMinimumWidth(std::max(minimumWidth(), 720)); // room for the addresses in the table
}

void CollectionAddresses::showCode(int row)
{
    if (m_code->isHidden())
        return;
    const QImage code = row >= 0 && row < m_addresses.size() ? qrCode(m_addresses.at(row)) : QImage();
    // Whole pixels a module: a scaled code stays sharp for the camera.
    const int scale = code.isNull() ? 1 : std::max(1, 220 / code.width());
    m_code->setPixmap(code.isNull() ? QPixmap() : QPixmap::fromImage(code.scaled(code.size() * scale)));
}

QStringList collectionAddresses(bool shared, quint16 port, const QString& pageFile, bool https)
{
    const QString path = QLatin1Char('/') + QString::fromUtf8(QUrl::toPercentEncoding(pageFile));
    const QString portText = QLatin1Char(':') + QString::number(port);
    const QString scheme = https ? QStringLiteral("https://") : QStringLiteral("http://");
    if (!shared)
        return { scheme + QStringLiteral("127.0.0.1") + portText + path };
    // The service listens on every IPv4 address when shared: only those work.
    QStringList v4;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& interface : interfaces) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning)
            || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            const QHostAddress ip = entry.ip();
            if (ip.isLoopback() || ip.isLinkLocal())
                continue;
            if (ip.protocol() == QAbstractSocket::IPv4Protocol)
                v4.append(scheme + ip.toString() + portText + path);
        }
    }
    return v4;
}

QImage qrCode(const QString& text)
{
    const QrModules code(text);
    if (code.isEmpty())
        return {};
    const int size = code.width() + 2 * QrModules::quietZone;
    QImage image(size, size, QImage::Format_Mono);
    image.fill(0); // index 0: white, set below
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    for (int y = 0; y < code.width(); ++y)
        for (int x = 0; x < code.width(); ++x)
            image.setPixel(x + QrModules::quietZone, y + QrModules::quietZone, code.dark(x, y) ? 1 : 0);
    return image;
}

} // namespace quenlow
