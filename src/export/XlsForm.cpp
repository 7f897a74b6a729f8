// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "export/XlsForm.h"

#include "database/AnswerColumns.h"
#include "export/AnswersExport.h"
#include "export/ExportFile.h"
#include "export/ExportTarget_p.h"
#include "model/CollectionFile.h"
#include "model/Fragments.h"
#include "model/OwnedColumns.h"
#include "model/QuestionSettings.h"
#include "model/ScaleQuestion.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <xlsxwriter.h>

#include <array>
#include <memory>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

// ---------------------------------------------------------------------------
// What each row type becomes

enum class Becomes {
    TextField, // with the answer kind of the row
    TextArea,
    RadioButtons,
    PullDownMenu,
    CheckBoxes, // one box per choice, asked as one question
    Ranking, // the choices put in order
    PlainText,
    Scale,
    GroupLabel, // a group's label as plain text
    Page, // a group shown as one page: a page break, its label the page's title
    GroupEnd,
    Skipped, // filled in by the device, never asked: nothing to show
    Refused, // a kind the program cannot ask (yet)
};

struct TypeMapping {
    const char16_t* type; // as normalised by baseType
    const char16_t* appearance; // a word of the appearance column; null: any
    Becomes becomes;
    AnswerKind answerKind;
};

// The one table from XLSForm row types to elements; first match wins.
constexpr std::array kTypeMappings {
    TypeMapping { u"text", u"multiline", Becomes::TextArea, AnswerKind::AnyText },
    TypeMapping { u"text", nullptr, Becomes::TextField, AnswerKind::AnyText },
    TypeMapping { u"integer", nullptr, Becomes::TextField, AnswerKind::WholeNumber },
    TypeMapping { u"decimal", nullptr, Becomes::TextField, AnswerKind::Number },
    TypeMapping { u"date", nullptr, Becomes::TextField, AnswerKind::Date },
    TypeMapping { u"phone number", nullptr, Becomes::TextField, AnswerKind::Phone },
    TypeMapping { u"select_one", u"minimal", Becomes::PullDownMenu, AnswerKind::AnyText },
    TypeMapping { u"select_one", nullptr, Becomes::RadioButtons, AnswerKind::AnyText },
    TypeMapping { u"select_multiple", nullptr, Becomes::CheckBoxes, AnswerKind::AnyText },
    TypeMapping { u"note", nullptr, Becomes::PlainText, AnswerKind::AnyText },
    TypeMapping { u"range", nullptr, Becomes::Scale, AnswerKind::AnyText },
    TypeMapping { u"rank", nullptr, Becomes::Ranking, AnswerKind::AnyText },
    TypeMapping { u"begin_group", u"field-list", Becomes::Page, AnswerKind::AnyText },
    TypeMapping { u"begin_group", nullptr, Becomes::GroupLabel, AnswerKind::AnyText },
    TypeMapping { u"end_group", nullptr, Becomes::GroupEnd, AnswerKind::AnyText },
    TypeMapping { u"start", nullptr, Becomes::Skipped, AnswerKind::AnyText },
    TypeMapping { u"end", nullptr, Becomes::Skipped, AnswerKind::AnyText },
    TypeMapping { u"today", nullptr, Becomes::Skipped, AnswerKind::AnyText },
    TypeMapping { u"deviceid", nullptr, Becomes::Skipped, AnswerKind::AnyText },
    TypeMapping { u"subscriberid", nullptr, Becomes::Skipped, AnswerKind::AnyText },
    TypeMapping { u"simserial", nullptr, Becomes::Skipped, AnswerKind::AnyText },
    TypeMapping { u"phonenumber", nullptr, Becomes::Skipped, AnswerKind::AnyText },
    TypeMapping { u"username", nullptr, Becomes::Skipped, AnswerKind::AnyText },
    TypeMapping { u"email", nullptr, Becomes::Skipped, AnswerKind::AnyText },
    TypeMapping { u"audit", nullptr, Becomes::Skipped, AnswerKind::AnyText },
};

// The boxes, sizes and layout the editors propose for a new element.
const QString kBoxSize = u"30"_s;
const QString kAreaRows = u"5"_s;
const QString kAreaWidth = u"40"_s;
const QString kMenuHeight = u"1"_s;
const QString kSubmitTitle = u"Submit"_s;
const QString kResetTitle = u"Reset Form"_s;

// Columns of ours that other tools leave alone: what a scale's ends say,
// and the titles of the submit button.
const QString kLowLabelColumn = u"scale_low_label"_s;
const QString kHighLabelColumn = u"scale_high_label"_s;
const QString kSubmitSetting = u"submit_label"_s;
const QString kResetSetting = u"reset_label"_s;

QString collapsed(const QString& text)
{
    return text.simplified();
}

/// A row's type in one spelling: lower case, single blanks, the long forms
/// of the format's tools made short; the list of a select apart, and whether
/// it offers "Other:" with a box to type in ("select_one list or_other").
struct RowType {
    QString type;
    QString list;
    bool orOther = false;
};

RowType baseType(const QString& written)
{
    QString type = collapsed(written).toLower();
    static const QRegularExpression longSelect(u"^select (one|all that apply) from (\\S+)$"_s);
    if (const auto m = longSelect.match(type); m.hasMatch())
        return { m.captured(1) == u"one"_s ? u"select_one"_s : u"select_multiple"_s,
            collapsed(written).section(u' ', -1) };
    for (const QString& select : { u"select_one"_s, u"select_multiple"_s, u"rank"_s }) {
        if (type.startsWith(select + u' ') && type.count(u' ') == 1)
            return { select, collapsed(written).section(u' ', 1) };
        // A ranking has no "Other:"; other suffixes are types the table does not know.
        if (select != u"rank"_s && type.startsWith(select + u' ') && type.count(u' ') == 2
            && type.endsWith(u" or_other"_s))
            return { select, collapsed(written).section(u' ', 1, 1), true };
    }
    if (type == u"begin group"_s)
        return { u"begin_group"_s, {} };
    if (type == u"end group"_s)
        return { u"end_group"_s, {} };
    if (type == u"begin repeat"_s)
        return { u"begin_repeat"_s, {} };
    if (type == u"end repeat"_s)
        return { u"end_repeat"_s, {} };
    return { type, {} };
}

const TypeMapping* mappingOf(const QString& type, const QString& appearance)
{
    const QStringList words = appearance.toLower().split(u' ', Qt::SkipEmptyParts);
    for (const TypeMapping& mapping : kTypeMappings) {
        if (type != QStringView(mapping.type))
            continue;
        if (!mapping.appearance || words.contains(QString::fromUtf16(mapping.appearance)))
            return &mapping;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// Reading the sheets

/// A column heading in one spelling: lower case, "list name" as
/// "list_name", a language after one colon or two as "label::language".
QString headingKey(const QString& written)
{
    QString key = collapsed(written).toLower();
    if (key == u"list name"_s)
        return u"list_name"_s;
    const qsizetype colon = key.indexOf(u':');
    if (colon > 0) {
        const QString base = key.left(colon).trimmed();
        QString language = key.mid(colon + 1);
        while (language.startsWith(u':'))
            language.remove(0, 1);
        return base + u"::"_s + language.trimmed();
    }
    return key;
}

/// A sheet's rows under its first row's headings.
class Table
{
public:
    explicit Table(const WorkbookSheet* sheet)
    {
        if (!sheet || sheet->rows.isEmpty())
            return;
        const SheetRow& headings = sheet->rows.constFirst();
        for (qsizetype c = 0; c < headings.cells.size(); ++c) {
            const QString key = headingKey(headings.cells.at(c));
            if (!key.isEmpty() && !m_columns.contains(key)) {
                m_columns.insert(key, c);
                m_order.append(key);
            }
        }
        m_rows = sheet->rows.mid(1);
    }

    const QList<SheetRow>& rows() const { return m_rows; }
    qsizetype column(const QString& key) const { return m_columns.value(key, -1); }
    QString value(const SheetRow& row, const QString& key) const { return row.cell(column(key)).trimmed(); }

    /// The column of a text in `language` ("label", "hint"): that language's
    /// when the sheet has it, else the first of the text's columns.
    QString languageKey(const QString& base, const QString& language) const
    {
        if (!language.isEmpty() && m_columns.contains(base + u"::"_s + language))
            return base + u"::"_s + language;
        for (const QString& key : m_order) {
            if (key == base || key.startsWith(base + u"::"_s))
                return key;
        }
        return base;
    }

private:
    QHash<QString, qsizetype> m_columns;
    QStringList m_order;
    QList<SheetRow> m_rows;
};

const WorkbookSheet* sheetNamed(const QList<WorkbookSheet>& sheets, const QString& name)
{
    for (const WorkbookSheet& sheet : sheets) {
        if (sheet.name.trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return &sheet;
    }
    return nullptr;
}

/// A text as an element's record keeps it: on one line, no NUL.
QString oneLine(QString text)
{
    text.replace(u"\r\n"_s, u" "_s).replace(u'\r', u' ').replace(u'\n', u' ').remove(QChar(0));
    return text.trimmed();
}

struct Choice {
    QString name;
    QString label;
};

std::optional<bool> truth(const QString& text)
{
    const QString t = text.trimmed().toLower();
    if (t.isEmpty() || t == u"no"_s || t == u"false"_s || t == u"false()"_s)
        return false;
    if (t == u"yes"_s || t == u"true"_s || t == u"true()"_s)
        return true;
    return std::nullopt;
}

/// A value written in an expression: 'text', "text", date('…') or a number.
std::optional<QString> literal(const QString& written)
{
    static const QRegularExpression form(
        uR"re(^(?:'([^']*)'|"([^"]*)"|date\s*\(\s*'([^']*)'\s*\)|date\s*\(\s*"([^"]*)"\s*\)|(-?\d+(?:\.\d+)?))$)re"_s);
    const auto m = form.match(written.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    for (int i = 1; i <= 5; ++i) {
        if (m.capturedStart(i) >= 0)
            return m.captured(i);
    }
    return std::nullopt;
}

/// `. >= A and . <= B`, or either half: the limits, or nothing for any other expression.
std::optional<std::pair<QString, QString>> limitsOf(const QString& constraint)
{
    static const QRegularExpression andWord(u"\\s+and\\s+"_s, QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression half(u"^\\s*\\.\\s*(>=|<=)\\s*(.+?)\\s*$"_s);
    const QStringList halves = constraint.split(andWord);
    if (halves.size() > 2)
        return std::nullopt;
    std::pair<QString, QString> limits;
    bool low = false;
    bool high = false;
    for (const QString& part : halves) {
        const auto m = half.match(part);
        if (!m.hasMatch())
            return std::nullopt;
        const std::optional<QString> value = literal(m.captured(2));
        if (!value || value->isEmpty())
            return std::nullopt;
        bool& seen = m.captured(1) == u">="_s ? low : high;
        if (seen)
            return std::nullopt;
        seen = true;
        (m.captured(1) == u">="_s ? limits.first : limits.second) = *value;
    }
    return limits;
}

/// A question an expression may name, as it became.
struct Known {
    Becomes becomes = Becomes::TextField;
    QString question; // the element's text (radio buttons, menu, scale)
    QHash<QString, QString> options; // choice name -> option text, or -> box title for boxes
    QStringList scaleValues;
};

/// `${q} = 'v'` or `selected(${q}, 'v')` naming an earlier question that
/// can decide it: the condition, or nothing.
std::optional<AskCondition> conditionOf(const QString& relevant, const QHash<QString, Known>& known)
{
    static const QRegularExpression equals(uR"re(^\s*\$\{([^}\s]+)\}\s*=\s*(.+?)\s*$)re"_s);
    static const QRegularExpression selected(
        uR"re(^\s*selected\s*\(\s*\$\{([^}\s]+)\}\s*,\s*(.+?)\s*\)\s*$)re"_s);
    if (const auto m = equals.match(relevant); m.hasMatch()) {
        const auto it = known.constFind(m.captured(1));
        const std::optional<QString> value = literal(m.captured(2));
        if (it == known.cend() || !value)
            return std::nullopt;
        if (it->becomes == Becomes::RadioButtons || it->becomes == Becomes::PullDownMenu) {
            if (!it->options.contains(*value))
                return std::nullopt;
            return AskCondition { it->question, it->options.value(*value) };
        }
        if (it->becomes == Becomes::Scale && it->scaleValues.contains(*value))
            return AskCondition { it->question, *value };
        return std::nullopt;
    }
    if (const auto m = selected.match(relevant); m.hasMatch()) {
        const auto it = known.constFind(m.captured(1));
        const std::optional<QString> value = literal(m.captured(2));
        if (it == known.cend() || !value || !it->options.contains(*value))
            return std::nullopt;
        if (it->becomes == Becomes::CheckBoxes)
            return AskCondition { it->options.value(*value), checkedAnswer() };
        if (it->becomes == Becomes::RadioButtons || it->becomes == Becomes::PullDownMenu)
            return AskCondition { it->question, it->options.value(*value) };
        return std::nullopt;
    }
    return std::nullopt;
}

/// The range's parameters ("start=1 end=5 step=1"), the format's defaults where left out.
std::optional<ScaleQuestion> scaleOfRange(const QString& parameters)
{
    double start = 1;
    double end = 10;
    double step = 1;
    static const QRegularExpression separators(u"[\\s,;]+"_s);
    for (const QString& part : parameters.split(separators, Qt::SkipEmptyParts)) {
        const QString key = part.section(u'=', 0, 0).trimmed().toLower();
        bool ok = false;
        const double value = part.section(u'=', 1).trimmed().toDouble(&ok);
        if (!ok)
            return std::nullopt;
        if (key == u"start"_s)
            start = value;
        else if (key == u"end"_s)
            end = value;
        else if (key == u"step"_s)
            step = value;
        else
            return std::nullopt;
    }
    ScaleQuestion scale;
    scale.from = int(start);
    scale.to = int(end);
    if (step != 1 || scale.from != start || scale.to != end || scale.from < kScaleLowestFrom
        || scale.from > kScaleHighestFrom || scale.to < kScaleLowestTo || scale.to > kScaleHighestTo)
        return std::nullopt;
    return scale;
}

/// An element made from a row, with the row that made it.
struct Made {
    FormMethod element;
    XlsFormRow row;
};

class SurveyReader
{
public:
    SurveyReader(const Table& survey, const QHash<QString, QList<Choice>>& lists, const QString& language)
        : m_survey(survey)
        , m_lists(lists)
        , m_label(survey.languageKey(u"label"_s, language))
        , m_hint(survey.languageKey(u"hint"_s, language))
    {
    }

    Result<QList<Made>, XlsFormProblem> read();

private:
    void refuse(const XlsFormRow& row) { m_refused.append(row); }
    void readRow(const SheetRow& row);
    void add(FormMethod element, const XlsFormRow& row) { m_made.append({ std::move(element), row }); }
    QString text(const SheetRow& row) const
    {
        const QString label = oneLine(m_survey.value(row, m_label));
        return label.isEmpty() ? oneLine(m_survey.value(row, u"name"_s)) : label;
    }

    const Table& m_survey;
    const QHash<QString, QList<Choice>>& m_lists;
    QString m_label;
    QString m_hint;
    QList<Made> m_made;
    QList<XlsFormRow> m_refused;
    std::optional<std::pair<QString, XlsFormRow>> m_missingList;
    QHash<QString, Known> m_known;
    QHash<QString, XlsFormRow> m_names;
    std::optional<std::pair<QString, QList<XlsFormRow>>> m_duplicate;
    /// The open groups' conditions, innermost last (empty: asked always).
    QList<AskCondition> m_groups;
};

void SurveyReader::readRow(const SheetRow& row)
{
    const QString writtenType = collapsed(m_survey.value(row, u"type"_s));
    if (writtenType.isEmpty())
        return;
    const QString name = m_survey.value(row, u"name"_s);
    const XlsFormRow where { row.number, writtenType, name };
    const auto [type, list, orOther] = baseType(writtenType);
    const QString appearance = m_survey.value(row, u"appearance"_s);
    const TypeMapping* mapping = mappingOf(type, appearance);
    if (!mapping || mapping->becomes == Becomes::Refused) {
        refuse(where);
        // Its end is then no row of its own to refuse.
        if (type == u"begin_group"_s)
            m_groups.append(AskCondition {});
        return;
    }
    if (mapping->becomes == Becomes::Skipped)
        return;
    if (mapping->becomes == Becomes::GroupEnd) {
        if (m_groups.isEmpty())
            refuse(where);
        else
            m_groups.removeLast();
        return;
    }
    // Calculations and filtered choices are expressions the program has no place for.
    if (!m_survey.value(row, u"calculation"_s).isEmpty()
        || !m_survey.value(row, u"choice_filter"_s).isEmpty()) {
        refuse(where);
        return;
    }
    if (!name.isEmpty()) {
        if (const auto earlier = m_names.constFind(name); earlier != m_names.cend()) {
            if (!m_duplicate)
                m_duplicate = { name, { *earlier, where } };
        } else {
            m_names.insert(name, where);
        }
    }

    const std::optional<bool> required = truth(m_survey.value(row, u"required"_s));
    const QString relevant = m_survey.value(row, u"relevant"_s);
    std::optional<AskCondition> condition = AskCondition {};
    if (!relevant.isEmpty())
        condition = conditionOf(relevant, m_known);
    if (!required || !condition) {
        refuse(where);
        return;
    }
    // A question in a group asked under a condition is asked under it too; one condition each.
    for (const AskCondition& group : std::as_const(m_groups)) {
        if (group.always())
            continue;
        if (!condition->always() && *condition != group) {
            refuse(where);
            return;
        }
        condition = group;
    }

    if (mapping->becomes == Becomes::Page) {
        m_groups.append(*condition);
        add(pageBreakMethod(oneLine(m_survey.value(row, m_label))), where);
        return;
    }
    if (mapping->becomes == Becomes::GroupLabel) {
        m_groups.append(*condition);
        if (const QString label = oneLine(m_survey.value(row, m_label)); !label.isEmpty())
            add(plainTextMethod(label), where);
        return;
    }
    if (mapping->becomes == Becomes::PlainText) {
        if (const QString label = oneLine(m_survey.value(row, m_label)); !label.isEmpty())
            add(plainTextMethod(label), where);
        return;
    }
    if (name.isEmpty()) {
        refuse(where); // a question needs a name to be answered under
        return;
    }

    QuestionSettings settings;
    settings.rules.required = *required;
    settings.condition = *condition;
    const QString question = text(row);
    const QString defaultValue = m_survey.value(row, u"default"_s);
    const QString constraint = m_survey.value(row, u"constraint"_s);
    const bool limited = mapping->becomes == Becomes::TextField && answerKindHasLimits(mapping->answerKind);
    if (!constraint.isEmpty()) {
        const auto limits = limited ? limitsOf(constraint) : std::nullopt;
        const auto low = limits ? canonicalLimit(mapping->answerKind, limits->first) : std::nullopt;
        const auto high = limits ? canonicalLimit(mapping->answerKind, limits->second) : std::nullopt;
        if (!low || !high) {
            refuse(where);
            return;
        }
        settings.rules.minimum = *low;
        settings.rules.maximum = *high;
    }
    settings.rules.kind = mapping->becomes == Becomes::TextField ? mapping->answerKind : AnswerKind::AnyText;

    QList<Choice> choices;
    const bool selects = mapping->becomes == Becomes::RadioButtons
        || mapping->becomes == Becomes::PullDownMenu || mapping->becomes == Becomes::CheckBoxes
        || mapping->becomes == Becomes::Ranking;
    if (selects) {
        const auto found = m_lists.constFind(list);
        if (list.isEmpty() || found == m_lists.cend()) {
            if (!m_missingList)
                m_missingList = { list, where };
            return;
        }
        choices = *found;
    }
    const auto labelOf = [&choices](const QString& choiceName) {
        for (const Choice& choice : std::as_const(choices)) {
            if (choice.name == choiceName)
                return choice.label;
        }
        return QString();
    };

    Known known { mapping->becomes, question, {}, {} };
    switch (mapping->becomes) {
    case Becomes::TextField:
        add(withQuestionSettings(
                textFieldMethod(question, kBoxSize, QString(), oneLine(defaultValue)), settings),
            where);
        break;
    case Becomes::TextArea:
        add(withQuestionSettings(
                textAreaMethod(question, kAreaRows, kAreaWidth, oneLine(defaultValue)), settings),
            where);
        break;
    case Becomes::RadioButtons:
    case Becomes::PullDownMenu: {
        QStringList options;
        for (const Choice& choice : std::as_const(choices)) {
            options.append(choice.label);
            known.options.insert(choice.name, choice.label);
        }
        const QString chosen = defaultValue.isEmpty() ? noDefaultOption() : labelOf(defaultValue);
        if (chosen.isEmpty()) {
            refuse(where); // a default that is none of the choices
            return;
        }
        settings.otherAnswer = orOther;
        add(withQuestionSettings(mapping->becomes == Becomes::RadioButtons
                    ? radioButtonsMethod(question, options, chosen)
                    : pullDownMenuMethod(question, kMenuHeight, options, chosen),
                settings),
            where);
        break;
    }
    case Becomes::CheckBoxes: {
        const QStringList ticked = defaultValue.split(u' ', Qt::SkipEmptyParts);
        // One choice that says what the question says is a box on its own, unless it offers "Other:" too.
        const bool single = choices.size() == 1 && choices.constFirst().label == question && !orOther;
        if (!single)
            settings.questionText = question;
        for (const Choice& choice : std::as_const(choices)) {
            known.options.insert(choice.name, choice.label);
            // The group's "Other:" stands on its first box.
            settings.otherAnswer = orOther && &choice == &choices.constFirst();
            add(withQuestionSettings(
                    checkBoxMethod(choice.label, true, ticked.contains(choice.name)), settings),
                where);
        }
        break;
    }
    case Becomes::Ranking: {
        QStringList options;
        for (const Choice& choice : std::as_const(choices))
            options.append(choice.label);
        // An order given beforehand is no answer of the person's; fewer than two options are no ranking.
        if (!defaultValue.isEmpty() || options.size() < 2) {
            refuse(where);
            return;
        }
        add(withQuestionSettings(rankingMethod(question, options), settings), where);
        break;
    }
    case Becomes::Scale: {
        std::optional<ScaleQuestion> scale = scaleOfRange(m_survey.value(row, u"parameters"_s));
        if (!scale) {
            refuse(where);
            return;
        }
        scale->lowLabel = oneLine(m_survey.value(row, kLowLabelColumn));
        scale->highLabel = oneLine(m_survey.value(row, kHighLabelColumn));
        known.scaleValues = scaleValues(*scale);
        add(withQuestionSettings(scaleMethod(question, *scale), settings), where);
        break;
    }
    default:
        break;
    }
    m_known.insert(name, known);
    // The hint stands under its question, as a line of text.
    if (const QString hint = oneLine(m_survey.value(row, m_hint)); !hint.isEmpty())
        add(plainTextMethod(hint), where);
}

Result<QList<Made>, XlsFormProblem> SurveyReader::read()
{
    for (const SheetRow& row : m_survey.rows())
        readRow(row);
    // A list missing leaves the conditions on its question unreadable too: said first.
    if (m_missingList)
        return XlsFormProblem { XlsFormProblem::MissingChoiceList, m_missingList->first,
            { m_missingList->second } };
    if (!m_refused.isEmpty())
        return XlsFormProblem { XlsFormProblem::Unsupported, {}, m_refused };
    if (m_duplicate)
        return XlsFormProblem { XlsFormProblem::DuplicateName, m_duplicate->first, m_duplicate->second };
    // Each question's answers go to a column named by its text: two of one
    // name (as the answers database compares names) cannot both be kept.
    QHash<QString, XlsFormRow> columns { { columnNameFor(u"Form Question"_s).toCaseFolded(),
        XlsFormRow {} } };
    for (const Made& made : std::as_const(m_made)) {
        // A ranking's columns are its options'.
        for (const OwnedColumn& owned : answerColumnsOf(made.element)) {
            const QString column = owned.name.toCaseFolded();
            if (const auto earlier = columns.constFind(column); earlier != columns.cend()) {
                QList<XlsFormRow> rows;
                if (earlier->number > 0)
                    rows.append(*earlier);
                rows.append(made.row);
                return XlsFormProblem { XlsFormProblem::DuplicateName, owned.source, rows };
            }
            columns.insert(column, made.row);
        }
    }
    return m_made;
}

} // namespace

Result<XlsFormContents, XlsFormProblem> xlsFormFromSheets(const QList<WorkbookSheet>& sheets)
{
    const WorkbookSheet* surveySheet = sheetNamed(sheets, u"survey"_s);
    if (!surveySheet)
        return XlsFormProblem { XlsFormProblem::NoSurveySheet, {}, {} };
    const Table survey(surveySheet);
    const Table choices(sheetNamed(sheets, u"choices"_s));
    const Table settings(sheetNamed(sheets, u"settings"_s));
    const SheetRow settingsRow = settings.rows().isEmpty() ? SheetRow {} : settings.rows().constFirst();
    const QString language = headingKey(u"label::"_s + settings.value(settingsRow, u"default_language"_s))
                                 .mid(int(QStringView(u"label::").size()));

    QHash<QString, QList<Choice>> lists;
    const QString choiceLabel = choices.languageKey(u"label"_s, language);
    for (const SheetRow& row : choices.rows()) {
        const QString list = choices.value(row, u"list_name"_s);
        const QString name = choices.value(row, u"name"_s);
        if (list.isEmpty() || name.isEmpty())
            continue;
        const QString label = oneLine(choices.value(row, choiceLabel));
        lists[list].append({ name, label.isEmpty() ? name : label });
    }

    SurveyReader reader(survey, lists, language);
    Result<QList<Made>, XlsFormProblem> made = reader.read();
    if (!made)
        return made.error();
    XlsFormContents contents;
    contents.formId = oneLine(settings.value(settingsRow, u"form_id"_s));
    contents.title = oneLine(settings.value(settingsRow, u"form_title"_s));
    for (const Made& element : *made)
        contents.elements.append(element.element);
    if (contents.elements.isEmpty())
        return XlsFormProblem { XlsFormProblem::NoQuestions, {}, {} };
    const QString reset = oneLine(settings.value(settingsRow, kResetSetting));
    const QString submit = oneLine(settings.value(settingsRow, kSubmitSetting));
    contents.elements.append(submitButtonMethod(
        submit.isEmpty() ? kSubmitTitle : submit, !reset.isEmpty(), reset.isEmpty() ? kResetTitle : reset));
    return contents;
}

Result<XlsFormContents, XlsFormProblem> readXlsForm(const QString& path)
{
    const auto sheets = readWorkbook(path);
    if (!sheets) {
        const WorkbookProblem& problem = sheets.error();
        const XlsFormProblem::Kind kind = problem.kind == WorkbookProblem::Unreadable
            ? XlsFormProblem::Unreadable
            : problem.kind == WorkbookProblem::NotWorkbook ? XlsFormProblem::NotWorkbook
                                                           : XlsFormProblem::Damaged;
        return XlsFormProblem { kind, problem.detail, {} };
    }
    return xlsFormFromSheets(*sheets);
}

// ---------------------------------------------------------------------------
// Writing

namespace {

/// A name the format takes (letters, digits, "_", not a digit first), made
/// from a text and not given before in `taken`.
QString uniqueName(const QString& text, QSet<QString>& taken, const QString& fallback)
{
    QString name;
    for (const QChar c : text) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
        if (plain)
            name += c;
        else if (!name.endsWith(u'_'))
            name += u'_';
    }
    while (name.endsWith(u'_'))
        name.chop(1);
    while (name.startsWith(u'_'))
        name.remove(0, 1);
    name = name.left(40);
    if (name.isEmpty())
        name = fallback;
    if (name.front().isDigit())
        name.prepend(u'_');
    QString unique = name;
    for (int n = 2; taken.contains(unique.toLower()); ++n)
        unique = name + u'_' + QString::number(n);
    taken.insert(unique.toLower());
    return unique;
}

QString quoted(const QString& value)
{
    return u"'"_s + value + u"'"_s;
}

QString limitText(AnswerKind kind, const QString& limit)
{
    return kind == AnswerKind::Date ? u"date('"_s + limit + u"')"_s : limit;
}

/// How an earlier question is named in a condition.
struct Named {
    QString name; // the question's (the group's, for a box of one)
    ElementKind kind = ElementKind::Unknown;
    QHash<QString, QString> choices; // option text (or box title) -> choice name
    bool box = false;
};

const QStringList kSurveyHeadings { u"type"_s, u"name"_s, u"label"_s, u"required"_s, u"relevant"_s,
    u"constraint"_s, u"appearance"_s, u"default"_s, u"parameters"_s };

} // namespace

Result<QList<WorkbookSheet>, XlsFormExportProblem> xlsFormSheetsOf(
    const QList<FormMethod>& elements, const QString& formName)
{
    WorkbookSheet survey { u"survey"_s, {} };
    WorkbookSheet choices { u"choices"_s, { { 1, { u"list_name"_s, u"name"_s, u"label"_s } } } };
    WorkbookSheet settings { u"settings"_s, {} };
    QStringList unsayable;
    QSet<QString> taken;
    QHash<QString, Named> named; // by question text
    bool scaleLabels = false;
    QString title = formName;
    QString submitLabel;
    QString resetLabel;
    int notes = 0;
    int pages = 0;
    bool pageOpen = false;

    const auto addRow = [&survey](QStringList cells) {
        survey.rows.append({ int(survey.rows.size()) + 2, std::move(cells) });
    };
    const auto addChoice = [&choices](const QString& list, const QString& name, const QString& label) {
        choices.rows.append({ int(choices.rows.size()) + 1, { list, name, label } });
    };
    // The condition as the format writes it; nothing when it cannot.
    const auto relevantOf = [&named](const AskCondition& condition) -> std::optional<QString> {
        if (condition.always())
            return QString();
        const auto it = named.constFind(condition.question);
        if (it == named.cend())
            return std::nullopt;
        if (it->box) {
            if (condition.answer != checkedAnswer())
                return std::nullopt;
            return u"selected(${%1}, %2)"_s.arg(it->name, quoted(it->choices.value(condition.question)));
        }
        if (it->kind == ElementKind::Scale)
            return u"${%1} = %2"_s.arg(it->name, condition.answer);
        if (!it->choices.contains(condition.answer))
            return std::nullopt;
        return u"${%1} = %2"_s.arg(it->name, quoted(it->choices.value(condition.answer)));
    };

    for (qsizetype i = 0; i < elements.size(); ++i) {
        const FormMethod& m = elements.at(i);
        const QuestionSettings s = questionSettingsOf(m);
        QStringList row(kSurveyHeadings.size() + 2);
        row[2] = m.userInstruction;
        row[3] = s.rules.required ? u"yes"_s : QString();
        const std::optional<QString> relevant = relevantOf(s.condition);
        if (isQuestionKind(m.kind) && !relevant) {
            unsayable.append(m.rowText());
            continue;
        }
        if (relevant)
            row[4] = *relevant;
        switch (m.kind) {
        case ElementKind::Header:
            title = m.userInstruction;
            continue;
        case ElementKind::SubmitButton:
            // Every imported form ends with one; only other titles need saying.
            if (m.userInstruction != kSubmitTitle)
                submitLabel = m.userInstruction;
            if (wholeNumber(m.attribute5) != 0)
                resetLabel = m.attribute4;
            continue;
        case ElementKind::PlainText:
            row[0] = u"note"_s;
            row[1] = uniqueName(u"note_"_s + QString::number(++notes), taken, u"note"_s);
            row[3].clear();
            row[4].clear();
            addRow(row);
            continue;
        case ElementKind::TextField:
        case ElementKind::TextArea: {
            const AnswerKind kind = m.kind == ElementKind::TextArea ? AnswerKind::AnyText : s.rules.kind;
            static const QHash<AnswerKind, QString> types { { AnswerKind::AnyText, u"text"_s },
                { AnswerKind::WholeNumber, u"integer"_s }, { AnswerKind::Number, u"decimal"_s },
                { AnswerKind::Date, u"date"_s }, { AnswerKind::Phone, u"phone number"_s } };
            if (!types.contains(kind)) {
                unsayable.append(m.rowText());
                continue;
            }
            row[0] = types.value(kind);
            row[1] = uniqueName(m.userInstruction, taken, u"question"_s);
            QStringList limits;
            if (!s.rules.minimum.isEmpty())
                limits.append(u". >= "_s + limitText(kind, s.rules.minimum));
            if (!s.rules.maximum.isEmpty())
                limits.append(u". <= "_s + limitText(kind, s.rules.maximum));
            row[5] = limits.join(u" and "_s);
            if (m.kind == ElementKind::TextArea)
                row[6] = u"multiline"_s;
            row[7] = m.attribute6;
            named.insert(m.userInstruction, { row[1], m.kind, {}, false });
            addRow(row);
            continue;
        }
        case ElementKind::RadioButtons:
        case ElementKind::PullDownMenu: {
            row[1] = uniqueName(m.userInstruction, taken, u"question"_s);
            row[0] = u"select_one "_s + row[1] + (s.otherAnswer ? u" or_other"_s : QString());
            if (m.kind == ElementKind::PullDownMenu)
                row[6] = u"minimal"_s;
            Named question { row[1], m.kind, {}, false };
            QSet<QString> choiceNames;
            for (const QString& option : m.attribute6List) {
                if (question.choices.contains(option))
                    continue;
                const QString choice = uniqueName(option, choiceNames, u"choice"_s);
                question.choices.insert(option, choice);
                addChoice(row[1], choice, option);
            }
            row[7] = question.choices.value(m.attribute5);
            named.insert(m.userInstruction, question);
            addRow(row);
            continue;
        }
        case ElementKind::Scale: {
            const ScaleQuestion scale = scaleOf(m);
            row[0] = u"range"_s;
            row[1] = uniqueName(m.userInstruction, taken, u"question"_s);
            row[8] = u"start=%1 end=%2 step=1"_s.arg(scale.from).arg(scale.to);
            row[9] = scale.lowLabel;
            row[10] = scale.highLabel;
            scaleLabels = scaleLabels || !scale.lowLabel.isEmpty() || !scale.highLabel.isEmpty();
            named.insert(m.userInstruction, { row[1], m.kind, {}, false });
            addRow(row);
            continue;
        }
        case ElementKind::CheckBox: {
            // The run of boxes asked as one question, or a box on its own.
            qsizetype last = i;
            if (!s.questionText.isEmpty()) {
                while (last + 1 < elements.size() && elements.at(last + 1).kind == ElementKind::CheckBox
                    && questionSettingsOf(elements.at(last + 1)).questionText == s.questionText)
                    ++last;
            }
            const QString question = s.questionText.isEmpty() ? m.userInstruction : s.questionText;
            row[2] = question;
            row[1] = uniqueName(question, taken, u"question"_s);
            row[0] = u"select_multiple "_s + row[1];
            QSet<QString> choiceNames;
            QStringList ticked;
            bool other = false;
            for (qsizetype b = i; b <= last; ++b) {
                const FormMethod& box = elements.at(b);
                other = other || !extraColumnsOf(box).isEmpty();
                const QString choice = uniqueName(box.userInstruction, choiceNames, u"choice"_s);
                addChoice(row[1], choice, box.userInstruction);
                if (wholeNumber(box.attribute4) != 0)
                    ticked.append(choice);
                named.insert(box.userInstruction,
                    { row[1], ElementKind::CheckBox, { { box.userInstruction, choice } }, true });
            }
            row[7] = ticked.join(u' ');
            if (other)
                row[0] += u" or_other"_s;
            addRow(row);
            i = last;
            continue;
        }
        case ElementKind::PageBreak: {
            // A page is a group shown as one: it runs to the next break.
            if (pageOpen)
                addRow({ u"end_group"_s });
            row[0] = u"begin_group"_s;
            row[1] = uniqueName(u"page_"_s + QString::number(++pages), taken, u"page"_s);
            row[3].clear();
            row[4].clear();
            row[6] = u"field-list"_s;
            addRow(row);
            pageOpen = true;
            continue;
        }
        case ElementKind::Ranking: {
            row[1] = uniqueName(m.userInstruction, taken, u"question"_s);
            row[0] = u"rank "_s + row[1];
            QSet<QString> choiceNames;
            for (const QString& option : m.attribute6List)
                addChoice(row[1], uniqueName(option, choiceNames, u"choice"_s), option);
            addRow(row);
            continue;
        }
        case ElementKind::Line:
        case ElementKind::Grid: // written as groups of list-nolabel questions only by some tools
        case ElementKind::Unknown:
            unsayable.append(m.rowText());
            continue;
        }
    }
    if (pageOpen)
        addRow({ u"end_group"_s });
    if (!unsayable.isEmpty())
        return XlsFormExportProblem { XlsFormExportProblem::Unsayable, {}, unsayable };

    QStringList headings = kSurveyHeadings;
    if (scaleLabels)
        headings << kLowLabelColumn << kHighLabelColumn;
    for (SheetRow& row : survey.rows)
        row.cells.resize(headings.size());
    survey.rows.prepend({ 1, headings });

    QStringList settingHeadings { u"form_title"_s, u"form_id"_s };
    QStringList settingValues { title, formName };
    if (!submitLabel.isEmpty()) {
        settingHeadings.append(kSubmitSetting);
        settingValues.append(submitLabel);
    }
    if (!resetLabel.isEmpty()) {
        settingHeadings.append(kResetSetting);
        settingValues.append(resetLabel);
    }
    settings.rows = { { 1, settingHeadings }, { 2, settingValues } };
    return QList<WorkbookSheet> { survey, choices, settings };
}

namespace {

struct WorkbookCloser {
    void operator()(lxw_workbook* workbook) const
    {
        if (workbook)
            workbook_close(workbook);
    }
};

XlsFormExportProblem failedWith(const QString& why)
{
    return { XlsFormExportProblem::Failed, why, {} };
}

} // namespace

Result<void, XlsFormExportProblem> writeXlsForm(const QList<FormMethod>& elements, const QString& formName,
    const QString& appFolder, const QString& outputPath, const QString& answersStore)
{
    const auto sheets = xlsFormSheetsOf(elements, formName);
    if (!sheets)
        return sheets.error();

    // The same places are refused as for the answers' workbooks.
    ExportRequest request;
    request.appFolder = appFolder;
    request.outputPath = outputPath;
    request.answersStore = answersStore;
    request.format = ExportFormat::Xlsx;
    if (outputPath.isEmpty() || outputPath == u"-"_s)
        return failedWith(u"An XLSForm cannot go to standard output; name it with --output."_s);
    if (const Result<void> allowed = exporting::checkOutput(request); !allowed)
        return failedWith(allowed.error().detail);
    if (QFileInfo(outputPath).isDir())
        return failedWith(
            u"The file '%1' cannot be written: it is a folder."_s.arg(exporting::displayPath(outputPath)));

    ExportFile file(outputPath);
    if (const Result<void> opened = file.open(); !opened)
        return failedWith(opened.error().detail);
    const QByteArray temporaryName = file.fileName();
    const QByteArray temporaryFolder = file.folderName();
    lxw_workbook_options options {};
    options.tmpdir = const_cast<char*>(temporaryFolder.constData());
    std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(
        workbook_new_opt(temporaryName.constData(), &options));
    if (!workbook)
        return failedWith(u"The file '%1' cannot be written."_s.arg(exporting::displayPath(outputPath)));
    lxw_format* bold = workbook_add_format(workbook.get());
    format_set_bold(bold);
    for (const WorkbookSheet& sheet : *sheets) {
        lxw_worksheet* worksheet = workbook_add_worksheet(workbook.get(), sheet.name.toUtf8().constData());
        for (const SheetRow& row : sheet.rows) {
            for (qsizetype c = 0; c < row.cells.size(); ++c) {
                if (row.cells.at(c).isEmpty())
                    continue;
                worksheet_write_string(worksheet, lxw_row_t(row.number - 1), lxw_col_t(c),
                    row.cells.at(c).toUtf8().constData(), row.number == 1 ? bold : nullptr);
            }
        }
        worksheet_freeze_panes(worksheet, 1, 0);
    }
    const lxw_error closed = workbook_close(workbook.release());
    if (closed != LXW_NO_ERROR)
        return failedWith(u"The file '%1' cannot be written: %2."_s.arg(
            exporting::displayPath(outputPath), QString::fromUtf8(lxw_strerror(closed))));
    const QStringList databaseFiles = exporting::databaseFiles(request);
    const Result<void> committed = file.commit([&](int folder, const QByteArray& name) {
        return exporting::checkOutputAt(request, databaseFiles, folder, name);
    });
    if (!committed)
        return failedWith(committed.error().detail);
    return {};
}

Result<void, XlsFormExportProblem> exportXlsForm(
    const QString& appFolder, const QString& pageFile, const QString& outputPath, const QString& answersStore)
{
    const QString formName = formNameOf(pageFile);
    if (formName.isEmpty() || pageFile.contains(u'/'))
        return failedWith(u"'%1' is not the file name of a form (NAME.html)."_s.arg(pageFile));
    const QString collectionPath = appFolder + u"/Collections/"_s + formName + u"Collection.txt"_s;
    if (!QFileInfo(collectionPath).isFile())
        return failedWith(u"The form '%1' is unknown: there is no element list '%2'."_s.arg(
            pageFile, exporting::displayPath(collectionPath)));
    const ParsedCollection collection = readCollectionFile(collectionPath);
    if (!collection.ok())
        return failedWith(u"The element list '%1' of the form '%2' cannot be read: %3"_s.arg(
            exporting::displayPath(collectionPath), pageFile, collection.error));
    return writeXlsForm(collection.methods, formName, appFolder, outputPath, answersStore);
}

} // namespace quenlow
