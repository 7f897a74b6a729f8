// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QByteArray>
#include <QString>

namespace quenlow {

/// The hidden field that carries a page's one-time submission token.
QString submissionTokenField();

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

/// A form page as it is sent to the people who answer it (the file on disk
/// is not changed): a viewport and a stylesheet for phones that leave a
/// desktop browser's layout alone, each tick box and option button wrapped
/// with its text in a label so tapping the text ticks it, `token` in a hidden
/// field, and the form's name instead of the database location the page
/// holds. `page` is the UTF-8 text of a page; a page with no form posting to
/// the service comes back as it was.
QByteArray pageForRespondents(const QByteArray& page, const QString& formName, const QString& token);

} // namespace quenlow
