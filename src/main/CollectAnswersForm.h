// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QDialog>
#include <QImage>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSpinBox;

namespace quenlow {

/// Who may fill the forms in while answers are collected, and on which port.
struct CollectionChoice {
    bool shared = false; // people on this computer's networks, not only this computer
    quint16 port = 8080; // 0: any free port
    /// PEM files to serve HTTPS with; both empty: plain HTTP.
    QString certificateFile;
    QString keyFile;
    bool https() const { return !certificateFile.isEmpty(); }
};

/// "Collect Answers": asks who may answer (only this computer, or people on
/// this computer's networks) and on which port, before the service starts.
class CollectAnswersForm final : public QDialog
{
    Q_OBJECT
public:
    CollectAnswersForm(const CollectionChoice& proposed, QWidget* parent = nullptr);
    CollectionChoice choice() const;

private:
    void explain();
    void start();
    void chooseFile(QLineEdit* field, const QString& title);

    QRadioButton* m_onlyThisComputer = nullptr;
    QRadioButton* m_network = nullptr;
    QSpinBox* m_port = nullptr;
    QLabel* m_whoCanAnswer = nullptr;
    QLineEdit* m_certificate = nullptr;
    QLineEdit* m_key = nullptr;
    QLabel* m_httpsProblem = nullptr;
};

/// Shown once the service runs: the addresses people open to answer the open
/// form, who each one works for, a Copy button and a QR code a phone's camera
/// opens. When the form lets the people who answer it view its answers table
/// (`answersPublic`), it says that anyone with the address sees every answer.
class CollectionAddresses final : public QDialog
{
    Q_OBJECT
public:
    CollectionAddresses(
        const QStringList& addresses, bool shared, bool answersPublic = false, QWidget* parent = nullptr);

    /// Adds the addresses of the form's live results page after its own,
    /// each row saying what it is; the code follows the chosen row. "Present"
    /// then opens the results for a projector in the person's browser.
    void addResultsAddresses(const QStringList& addresses);
    /// Shows `panel` (taken over) below the addresses.
    void addPanel(QWidget* panel);

private:
    void showCode(int row);
    void fitList();
    void present();

    QStringList m_addresses;
    QStringList m_resultsAddresses;
    QListWidget* m_list = nullptr;
    QLabel* m_code = nullptr;
};

/// The addresses a page is reached at: on this computer only, or at each of
/// this computer's IPv4 network addresses (loopback and link-local left out)
/// when shared; "https://" ones when served over TLS.
QStringList collectionAddresses(bool shared, quint16 port, const QString& pageFile, bool https = false);

/// `text` as a QR code, one pixel a module with a quiet zone of four; a null
/// image when the text does not fit one.
QImage qrCode(const QString& text);

} // namespace quenlow
