// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// The collection-file reader on any bytes; what it accepts must come back
// unchanged when written and read again, and be written the same way twice.
#include "FuzzCheck.h"

#include "core/TextFile.h"
#include "model/CollectionFile.h"
#include "model/MethodCollection.h"

#include <cstddef>
#include <cstdint>

using namespace quenlow;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const ParsedCollection first = parseCollection(decodeText(bytes));
    if (!first.ok())
        return 0;

    MethodCollection collection;
    for (qsizetype i = 0; i < first.methods.size(); ++i)
        collection.append(first.methods.at(i));
    const QByteArray written = encodeText(serializeCollection(collection));
    const ParsedCollection second = parseCollection(decodeText(written));
    FUZZ_CHECK(second.ok());
    FUZZ_CHECK(second.methods == first.methods);

    MethodCollection again;
    for (qsizetype i = 0; i < second.methods.size(); ++i)
        again.append(second.methods.at(i));
    FUZZ_CHECK(encodeText(serializeCollection(again)) == written);
    return 0;
}
