// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "server/FormPage.h"

#include <QByteArrayView>

#include <vector>

namespace quenlow {

/// An order of `count` options drawn from `seed`: the same seed gives the
/// same order, on any server, so a page sent again with its token keeps it.
/// order[i] is the option shown in place i.
std::vector<int> shuffledOrder(int count, QByteArrayView seed);

/// Shows the fragments of a question's options (in page order, none
/// overlapping another: option buttons with their text, menu options, the
/// boxes of a group, a grid's rows, …) in the order `seed` draws. What is
/// inserted at a fragment's start goes with it from the layer `firstWith` on.
void shuffleFragments(FormPage& page, const std::vector<PageSpan>& fragments, QByteArrayView seed,
    FormPage::Layer firstWith = FormPage::Layer::TextStart);

} // namespace quenlow
