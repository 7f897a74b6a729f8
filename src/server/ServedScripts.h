// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace quenlow {

/// The scripts of ours that pages load, each at its own path under /scripts/,
/// served by the service itself so that a room without internet has them:
/// the script at `path`, or nothing for a path that is none of them.
std::optional<QByteArray> servedScript(QByteArrayView path);

/// The tag that loads the script at `path` once the page is read, with
/// `attributes` (each with its leading space, escaped) for the words it shows.
QByteArray deferredScriptTag(QByteArrayView path, const QByteArray& attributes = {});

} // namespace quenlow
