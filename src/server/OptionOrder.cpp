// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "server/OptionOrder.h"

#include <QCryptographicHash>

#include <cstring>
#include <numeric>

namespace quenlow {

std::vector<int> shuffledOrder(int count, QByteArrayView seed)
{
    std::vector<int> order(std::size_t(std::max(count, 0)));
    std::iota(order.begin(), order.end(), 0);
    // Fisher–Yates, each draw a digest of the seed and the step: the same
    // everywhere, unlike the standard library's distributions.
    for (int i = count - 1; i > 0; --i) {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        hash.addData(seed);
        hash.addData(QByteArray::number(i));
        const QByteArray digest = hash.result();
        quint64 draw = 0;
        std::memcpy(&draw, digest.constData(), sizeof draw);
        std::swap(order[std::size_t(i)], order[std::size_t(draw % quint64(i + 1))]);
    }
    return order;
}

void shuffleFragments(
    FormPage& page, const std::vector<PageSpan>& fragments, QByteArrayView seed, FormPage::Layer firstWith)
{
    if (fragments.size() > 1)
        page.reorder(fragments, shuffledOrder(int(fragments.size()), seed), firstWith);
}

} // namespace quenlow
