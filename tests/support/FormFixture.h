// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "model/FormMethod.h"

#include <QString>

namespace quenlow {
class FormSession;
}

namespace quenlow::test {

/// Opens a new form `name` in `session` without the windows: its table with
/// "Form Question", the header record, the page and the collection file.
void createForm(
    FormSession& session, const QString& name, const QString& title = QStringLiteral("New Form Title"));

/// A record of the given kind with a recognisable fragment.
FormMethod element(ElementKind kind, const QString& instruction, const QStringList& options = {});

} // namespace quenlow::test
