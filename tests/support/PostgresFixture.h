// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>

namespace quenlow::test {

/// The location of a PostgreSQL database no test has used, on the run's
/// throwaway cluster (or on the server QUENLOW_TEST_POSTGRES names): give it
/// to createAnswersStore, which makes the database. Empty, with the reason in
/// `why`, when there is no cluster; the test then fails with that reason.
QString freshPostgresLocation(QString* why);

} // namespace quenlow::test
