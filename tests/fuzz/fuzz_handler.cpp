// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
// The posted-form handler, without sockets, on any urlencoded body: it answers
// 200 exactly when it stored one row, and otherwise stores nothing.
#include "FuzzCheck.h"

#include "core/TextFile.h"
#include "database/AnswerColumns.h"
#include "database/AnswersStore.h"
#include "model/CollectionFile.h"
#include "model/MethodCollection.h"
#include "server/AnswerWriter.h"
#include "server/RequestHandler.h"
#include "server/ServiceClock.h"
#include "server/StoreExecutor.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>

using namespace quenlow;

namespace {

FormMethod method(ElementKind kind, const QString& question, const QStringList& list = {})
{
    FormMethod m;
    m.kind = kind;
    m.userInstruction = question;
    m.attribute6List = list;
    return m;
}

// A program folder with the form "survey": one question of each kind.
struct Service {
    QTemporaryDir folder { QDir(QStringLiteral("/dev/shm")).exists()
            ? QStringLiteral("/dev/shm/quenlow-fuzz-XXXXXX")
            : QDir::tempPath() + QStringLiteral("/quenlow-fuzz-XXXXXX") };
    std::unique_ptr<AnswerWriter> writer;
    std::unique_ptr<ServiceClock> clock;
    std::unique_ptr<StoreExecutor> executor;
    std::unique_ptr<RequestHandler> handler;
    std::shared_ptr<AnswersStore> store;

    Service()
    {
        const QString app = folder.path();
        const QString dbPath = answersStoreIn(app);
        FUZZ_CHECK(createDatabase(dbPath));
        FUZZ_CHECK(createFormTable(dbPath, QStringLiteral("tbl_survey")));
        const AnswerTable table = AnswerTable::forForm(
            answersStoreIn(app), QStringLiteral("survey"), QStringLiteral("survey.html"));
        MethodCollection form;
        form.append(method(ElementKind::Header, QStringLiteral("Survey"),
            { printNumber(1), printNumber(1), dbPath, printNumber(5) }));
        const QList<FormMethod> questions = { method(ElementKind::TextField, QStringLiteral("Name")),
            method(ElementKind::TextArea, QStringLiteral("Comments")),
            method(ElementKind::CheckBox, QStringLiteral("Agree")),
            method(ElementKind::RadioButtons, QStringLiteral("Colour"),
                { QStringLiteral("Red"), QStringLiteral("Blue") }),
            method(ElementKind::PullDownMenu, QStringLiteral("Size"),
                { QStringLiteral("S"), QStringLiteral("L") }) };
        for (const FormMethod& q : questions) {
            FUZZ_CHECK(addAnswerColumn(table, q.userInstruction, hasMemoColumn(q.kind)));
            form.append(q);
        }
        FUZZ_CHECK(writeFileAtomically(app + QStringLiteral("/Collections/surveyCollection.txt"),
            encodeText(serializeCollection(form))));
        FUZZ_CHECK(writeFileAtomically(app + QStringLiteral("/HTML/survey.html"), "<html></html>"));
        writer = std::make_unique<AnswerWriter>(dbPath);
        FUZZ_CHECK(writer->start());
        clock = std::make_unique<ServiceClock>();
        executor = std::make_unique<StoreExecutor>(dbPath);
        handler = std::make_unique<RequestHandler>(app, *writer, *executor, *clock);
        auto opened = openAnswersStore(dbPath);
        FUZZ_CHECK(opened.ok());
        store = std::move(opened).value();
    }

    qint64 rows()
    {
        const auto count = store->rowCount(QStringLiteral("tbl_survey"));
        FUZZ_CHECK(count.ok());
        return *count;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Service service; // its folder goes when the run ends
    HttpRequest request;
    request.method = QByteArrayLiteral("POST");
    request.path = RequestHandler::submissionPath();
    request.contentType = QByteArrayLiteral("application/x-www-form-urlencoded");
    request.body = QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));

    const qint64 before = service.rows();
    const HttpResponse response = service.handler->handle(request);
    const qint64 stored = service.rows() - before;
    if ((response.status == 200) != (stored == 1))
        std::fprintf(
            stderr, "status %d, %lld rows stored\n", response.status, static_cast<long long>(stored));
    FUZZ_CHECK((response.status == 200) == (stored == 1));
    FUZZ_CHECK(stored == 0 || stored == 1);
    return 0;
}
