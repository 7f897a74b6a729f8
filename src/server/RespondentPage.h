// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/RespondentTexts.h"
#include "server/FormFields.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quenlow {

/// The hidden field that carries a page's one-time submission token.
QString submissionTokenField();
/// The hidden field that carries the version of the form a page was sent of.
QString formVersionField();

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

/// The viewport and stylesheet every page sent to respondents carries: tap
/// targets and text sized for phones below a phone's width, buttons tall
/// enough to tap everywhere, and the look of a notice.
QByteArrayView respondentHead();

/// A form page as it is sent to the people who answer it (the file on disk
/// is not changed): a standards-mode page in `language` with a viewport and a
/// stylesheet for phones that leave a desktop browser's layout alone, each
/// tick box and option button wrapped with its text in a label so tapping the
/// text ticks it, each text box labelled by the question before it, a text
/// area's default text as a hint rather than an answer, each menu opening on
/// an empty "Choose…" unless the designer chose a default, `token` in a
/// hidden field, and the form's name instead of the database location the
/// page holds. `page` is the UTF-8 text of a page; a page with no form
/// posting to the service comes back as it was.
QByteArray pageForRespondents(const QByteArray& page, const QString& formName, const QString& token,
    FormLanguage language = FormLanguage::English, const QString& version = {});

/// `sentPage` (a page as pageForRespondents sends it) with answers put back,
/// for a person who has to send them again. `answers` holds the answers only,
/// question by question, never the page's hidden fields: a field's name and
/// what was posted for it (a box counts as ticked with its value, "on" unless
/// the page names one, or "Checked"; anything else unticks it; option buttons
/// and menus take the chosen value). A text box, text area, tick box or menu
/// takes the next answer of its name, so a name given twice fills two boxes
/// in page order; option buttons of one name share one answer. Every control
/// named in `answers` shows only what they say; the others keep the page's
/// defaults; hidden fields never change. A non-empty `notice` stands at the top
/// of the form, and each of `questionNotes` (field name, text) just above its
/// question. Every text is escaped.
QByteArray pageWithAnswers(const QByteArray& sentPage, const FormFields& answers, const QString& notice = {},
    const FormFields& questionNotes = {});

} // namespace quenlow
