// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/FormHeader.h"
#include "model/FormSettings.h"
#include "platform/OutcomeMessages.h"

#include <QString>

#include <optional>

namespace quenlow {

class FormSession;

/// The inputs of the new-form window, as read from its controls.
struct HeaderInputs {
    QString title;
    QString letterSize;
    QString justification;
    int backgroundRow = -1; // selected position of BackgroundChoice, -1 for none
    QString backgroundText; // the text of that row ("" for none)
    bool userViewTable = false;
    QString databaseLocation; // header editing only; creation uses the program's database
    std::optional<FormSettings> settings; // how answers are collected; nothing keeps the header's
};

/// True when the answers store is there (its file, or its database on the
/// server); otherwise offers to create it (the CreateNewDatabase window) and
/// tells whether it was.
bool requireAnswersDatabase(const FormSession& session);

// The checks of a form's name and their words (acceptFormName,
// formNameProblemText) are the platform's: the main window asks them too.

/// "Generate HTML Form & Corresponding Database Table": creates the table of
/// `name`, then (and only then) replaces the open form with the new one: its
/// header record and row, HTMLName, the editing frames, page and collection
/// file, row 0 selected. Returns false, with the reason shown and nothing
/// changed, when the name is empty or unusable, the database is missing or
/// the table cannot be created.
bool generateForm(FormSession& session, const QString& name, const HeaderInputs& inputs);

/// "Update Form Title": rebuilds the open form's header from `inputs`, puts it
/// back under key "0", renames row 0 when the title changed, rewrites the page.
/// Returns false when no form with a header is open.
bool updateHeader(FormSession& session, const HeaderInputs& inputs);

} // namespace quenlow
