// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/CollectionFile.h"

#include "core/TextFile.h"
#include "model/Backgrounds.h"
#include "model/ElementKind.h"
#include "model/FormChanges.h"
#include "model/FormRepair.h"
#include "model/FormSession.h"
#include "model/FormSettings.h"
#include "model/GridQuestion.h"
#include "model/PageWriter.h"
#include "model/QuestionSettings.h"
#include "model/ScaleQuestion.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace quenlow {

namespace {

const QString kUserInstruction = QStringLiteral("User Instruction");
const QString kMethodType = QStringLiteral("Method Type");
const QString kHtmlCode = QStringLiteral("HTML Code");
const QString kAttribute4 = QStringLiteral("Attribute 4");
const QString kAttribute5 = QStringLiteral("Attribute 5");
const QString kAttribute6 = QStringLiteral("Attribute 6");
const QString kFormerName = QStringLiteral("Former Name");
const QString kNext = QStringLiteral("[next]");
const QString kEnd = QStringLiteral("[end]");
const QString kCrLf = QStringLiteral("\r\n");

void storeValue(FormMethod& m, const QString& key, const QString& value)
{
    if (key == kHtmlCode)
        m.htmlCode = value;
    else if (key == kMethodType)
        m.setKindName(value);
    else if (key == kAttribute4)
        m.attribute4 = value;
    else if (key == kAttribute5)
        m.attribute5 = value;
    else if (key == kFormerName)
        m.formerNames.append(value);
    else if (isFormSettingKey(key) || isQuestionSettingKey(key) || isScaleLabelKey(key)
        || isGridAnswerKey(key))
        m.settings.append({ key, value });
    // Keys the program never writes are read past.
}

// Line reader over the whole text: lines end at CR LF (a bare LF is
// accepted too, for files edited elsewhere).
class Lines
{
public:
    explicit Lines(const QString& text)
        : m_text(text)
    {
    }
    bool atEnd() const { return m_pos >= m_text.size(); }
    QString next()
    {
        const qsizetype nl = m_text.indexOf(QLatin1Char('\n'), m_pos);
        qsizetype end = nl < 0 ? m_text.size() : nl;
        QString line = m_text.mid(m_pos, end - m_pos);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        m_pos = nl < 0 ? m_text.size() : nl + 1;
        return line;
    }

private:
    const QString& m_text;
    qsizetype m_pos = 0;
};

// Every collection file starts with this line; anything else (a picture, a
// letter) is not one. Control characters in values are text the user typed
// and never make a file unreadable.
bool startsAsCollection(const QString& text)
{
    return text.startsWith(kUserInstruction)
        && (text.size() == kUserInstruction.size() || text.at(kUserInstruction.size()) == QLatin1Char('\r')
            || text.at(kUserInstruction.size()) == QLatin1Char('\n'));
}

Notice::Collection failureOf(const ParsedCollection& parsed)
{
    switch (parsed.failure) {
    case ParsedCollection::Failure::Missing:
        return Notice::Collection::Missing;
    case ParsedCollection::Failure::Unreadable:
        return Notice::Collection::Unreadable;
    case ParsedCollection::Failure::Damaged:
        break;
    }
    return Notice::Collection::Damaged;
}

} // namespace

QString formNameOf(const QString& pageFile)
{
    const qsizetype dot = pageFile.indexOf(QLatin1Char('.'));
    return dot < 0 ? pageFile : pageFile.left(dot);
}

QString serializeCollection(const MethodCollection& collection)
{
    QString out;
    collection.forEach([&out](const FormMethod& m) {
        out += kUserInstruction + kCrLf + m.userInstruction + kCrLf + kMethodType + kCrLf + m.kindName()
            + kCrLf + kHtmlCode + kCrLf + m.htmlCode + kCrLf + kAttribute4 + kCrLf + m.attribute4 + kCrLf
            + kAttribute5 + kCrLf + m.attribute5 + kCrLf;
        // Only a renamed question has these, so every other file reads as before.
        for (const QString& former : m.formerNames)
            out += kFormerName + kCrLf + former + kCrLf;
        for (const auto& [key, value] : m.settings)
            out += key + kCrLf + value + kCrLf;
        out += kAttribute6 + kCrLf;
        if (m.holdsList()) {
            for (const QString& item : m.attribute6List)
                out += kNext + kCrLf + item + kCrLf;
        } else {
            out += m.attribute6 + kCrLf;
        }
    });
    return out;
}

ParsedCollection parseCollection(const QString& text)
{
    ParsedCollection result;
    if (text.isEmpty()) {
        result.error = QStringLiteral("the file is empty");
        return result;
    }
    if (!startsAsCollection(text)) {
        result.error = QStringLiteral("the file is not a collection file");
        return result;
    }
    Lines lines(text);
    QString pending;
    bool inRecord = false; // a record was opened and its "Attribute 6" not yet read
    FormMethod current;
    while (!lines.atEnd()) {
        QString key;
        if (pending == kUserInstruction) {
            key = pending;
            pending.clear();
        } else {
            key = lines.next();
        }
        if (key == kUserInstruction) {
            if (inRecord) {
                result.error = QStringLiteral("a record ends before its \"Attribute 6\"");
                return result;
            }
            if (lines.atEnd()) {
                result.error = QStringLiteral("the file ends inside a record");
                return result;
            }
            current = FormMethod {};
            current.userInstruction = lines.next();
            inRecord = true;
        } else if (key == kAttribute6) {
            if (!inRecord) {
                result.error = QStringLiteral("\"Attribute 6\" stands outside a record");
                return result;
            }
            if (current.holdsList()) {
                // Items follow as "[next]" / item pairs; the list ends at the first
                // other line (normally the next "User Instruction") or at the end.
                QString line = lines.atEnd() ? kEnd : lines.next();
                while (line == kNext) {
                    if (lines.atEnd()) {
                        result.error = QStringLiteral("the file ends inside a list");
                        return result;
                    }
                    current.attribute6List.append(lines.next());
                    line = lines.atEnd() ? kEnd : lines.next();
                }
                if (line != kEnd && line != kUserInstruction && !line.isEmpty()) {
                    result.error = QStringLiteral("the line \"%1\" follows a list").arg(line.left(40));
                    return result;
                }
                pending = line;
            } else {
                // A single value is taken whatever it reads, so a default text of
                // "[next]" or "User Instruction" comes back as it was written.
                if (lines.atEnd()) {
                    result.error = QStringLiteral("the file ends inside a record");
                    return result;
                }
                current.attribute6 = lines.next();
                pending.clear();
            }
            result.methods.append(current);
            inRecord = false;
        } else {
            if (!inRecord) {
                // Blank trailing lines are harmless; anything else is not a collection file.
                if (key.isEmpty() && (lines.atEnd() || pending == kEnd))
                    continue;
                result.error = QStringLiteral("the line \"%1\" stands outside a record").arg(key.left(40));
                return result;
            }
            if (lines.atEnd()) {
                result.error = QStringLiteral("the file ends inside a record");
                return result;
            }
            storeValue(current, key, lines.next());
        }
    }
    if (inRecord) {
        result.error = QStringLiteral("the file ends inside a record");
        return result;
    }
    if (result.methods.isEmpty()) {
        result.error = QStringLiteral("the file holds no records");
        return result;
    }
    const FormMethod& header = result.methods.constFirst();
    if (header.kind != ElementKind::Header) {
        result.error = QStringLiteral("the first record is not the form's header");
        return result;
    }
    if (header.attribute6List.size() < 4) {
        result.error = QStringLiteral("the header's list is short");
        return result;
    }
    // The name is the answers column and the field the page posts: a NUL
    // cuts it short in both, and no answer could be stored.
    for (const FormMethod& m : std::as_const(result.methods)) {
        if (isQuestionKind(m.kind) && m.userInstruction.contains(QChar(0))) {
            result.error = QStringLiteral("the name of a question holds a NUL character");
            return result;
        }
    }
    return result;
}

ParsedCollection readCollectionFile(const QString& path)
{
    QByteArray bytes;
    if (const FileResult read = readWholeFile(path, &bytes); !read) {
        ParsedCollection result;
        result.error = read.error().detail;
        result.failure = QFileInfo::exists(path) ? ParsedCollection::Failure::Unreadable
                                                 : ParsedCollection::Failure::Missing;
        return result;
    }
    return parseCollection(decodeText(bytes));
}

Outcome saveCollectionFile(FormSession& session)
{
    session.setOpenFormName(formNameOf(session.htmlName()));
    const QString path = session.collectionFilePath(session.openFormName());
    const FileResult written
        = writeFileAtomically(path, encodeText(serializeCollection(session.collection())));
    if (!written)
        return Notice { Notice::Kind::CollectionNotSaved, {}, path, written.error().detail };
    // The file is saved; a note that stays is settled at the next save or opening.
    (void)settleColumnChange(session, session.collection().methods());
    return {};
}

void openPageOnly(FormSession& session, const QString& formName, const QString& pageFile)
{
    session.resetOpenForm();
    session.setOpenFormName(formName);
    session.setOpenPageFile(pageFile);
    session.setHtmlName(pageFile);
    session.setEditingVisible(false);
    session.setReporterVisible(false);
    session.showInBrowser(pageFile);
}

Outcome loadForm(FormSession& session, const QString& appFolder, const QString& pageFile)
{
    Q_UNUSED(appFolder); // the session was made for the program folder; kept for the callers' sake
    if (isProgramPage(pageFile)) {
        if (!session.collection().isEmpty())
            session.resetOpenForm();
        session.setOpenPageFile(pageFile);
        session.setHtmlName(QString());
        session.setEditingVisible(true);
        session.showInBrowser(pageFile);
        return {};
    }
    // A name without "." cannot be a page of a form: refuse it before anything changes.
    if (!pageFile.contains(QLatin1Char('.')) || formNameOf(pageFile).isEmpty())
        return Notice { Notice::Kind::NotAPageName, pageFile, {}, {} };
    // A rename, copy or deletion cut short is finished or undone first; a
    // form renamed meanwhile opens under its new name.
    const std::optional<FormChange> changed = finishFormChange(session);
    const bool renamed = changed && changed->kind == FormChange::Rename
        && changed->from == formNameOf(pageFile)
        && QFileInfo::exists(session.collectionFilePath(changed->to));
    if (renamed)
        return loadForm(session, appFolder, changed->to + QStringLiteral(".html"));
    const QString formName = formNameOf(pageFile);
    // The whole file is read and checked before the open form is touched, so
    // a missing or damaged file never costs the form that is open.
    const ParsedCollection parsed = readCollectionFile(session.collectionFilePath(formName));
    if (!parsed.ok())
        return Notice { Notice::Kind::OpenPageOnly, formName, pageFile, parsed.error, {}, failureOf(parsed) };

    // A crash may have left the answers table a step ahead of the files.
    QList<FormMethod> methods = parsed.methods;
    // The form opens either way; what is not in step is tried again at the next opening.
    (void)bringAnswersTableInStep(session, formName, pageFile, methods);

    if (!session.collection().isEmpty())
        session.resetOpenForm();
    session.setOpenFormName(formName);
    session.setOpenPageFile(pageFile);
    session.setEditingVisible(true);
    session.setReporterVisible(true);
    session.changeableCollection().setMethods(methods);

    const FormMethod& header = session.collection().atPosition(0);
    const int choice = wholeNumber(header.item(1));
    if (choice >= 0 && choice < backgroundChoices().size()) {
        session.setBackgroundChoice(choice);
        session.setBackground(backgroundChoices().at(choice));
    } else {
        session.setBackgroundChoice(-1);
    }
    session.setElementCounter(qint16(wholeNumber(header.item(4))));
    session.setHtmlName(session.openPageFile());
    return writeFormPage(session, session.openPageFile());
}

bool isProgramPage(const QString& pageFile)
{
    static const QRegularExpression help(QStringLiteral("^welcome(\\.[a-z]{2})?\\.html$"));
    return pageFile == QLatin1StringView("dbTableOfAnswers.html") || help.match(pageFile).hasMatch();
}

QString helpPage(const QString& htmlFolder, const QString& languageTag)
{
    const QString translated = QStringLiteral("welcome.") + languageTag + QStringLiteral(".html");
    if (languageTag.size() == 2 && languageTag != QLatin1StringView("en")
        && QFileInfo::exists(htmlFolder + translated))
        return translated;
    return QStringLiteral("welcome.html");
}

} // namespace quenlow
