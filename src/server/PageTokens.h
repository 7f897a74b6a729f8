// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QByteArray>
#include <QString>

namespace quenlow {

/// The hidden field that carries a page's one-time submission token.
QString submissionTokenField();
/// The hidden field that carries the version of the form a page was sent of.
QString formVersionField();
/// The hidden field that carries an invited person's code; the address of a
/// form's page takes it as "?code=".
QString participantCodeField();

/// Issues and checks the one-time tokens the form pages carry. A token is
/// 128 random bits and a keyed digest of them and the form's table, so a
/// token can only come from this service (or a server sharing its key), for
/// that form; nothing is kept per token. A key of the service's own lives as
/// long as the service: a page sent before a restart posts a token that no
/// longer checks, and is then taken as tokenless.
/// Thread-safe.
class SubmissionTokens final
{
public:
    /// With an empty key, one made for this service alone.
    explicit SubmissionTokens(const QByteArray& key = {});

    QString issue(const QString& table) const;
    /// `token` when this service issued it for `table`, else empty.
    QString verified(const QString& table, const QString& token) const;

private:
    QByteArray digest(const QByteArray& nonceHex, const QString& table) const;

    QByteArray m_key;
};

} // namespace quenlow
