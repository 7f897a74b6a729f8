// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <cstring>
#include <span>
#include <vector>

namespace quenlow {

/// A stretch of a page's bytes; `at` is -1 for none.
struct PageSpan {
    qsizetype at = -1;
    qsizetype size = 0;
    bool exists() const { return at >= 0; }
    qsizetype end() const { return at + size; }
};

/// An attribute of a tag, by its place in the page.
struct PageAttribute {
    QByteArrayView name; // in lower case
    qsizetype before = 0; // where the blank before it starts
    qsizetype at = 0;
    qsizetype end = 0;
    PageSpan value; // without quotes; none for a bare attribute
    bool quoted = false;
};

/// A tag of the page: "<" at `at`, its name ending at `nameEnd` (where
/// attributes of ours go), ">" at `end`.
struct PageTag {
    qsizetype at = 0;
    qsizetype nameEnd = 0;
    qsizetype end = 0;
    qsizetype contentEnd = -1; // a text area's text ends here; the page's end when it never closes
    int firstAttribute = 0;
    int attributeCount = 0;
};

/// An input, text area or menu of the page, in page order.
struct PageControl {
    enum class Kind : quint8 { TextBox, TickBox, OptionButton, Hidden, Button, TextArea, Menu };
    Kind kind = Kind::TextBox;
    PageTag tag;
    bool announcesQuestion = false; // a hidden "<name> Type": the kind of the question <name>
    /// A tick box's or option button's own text: what follows it up to the
    /// next tag that is no part of a text. None where the page has it in a
    /// label already, or where nothing follows.
    PageSpan text;
    /// The question before a text box, text area or menu: the text since the
    /// last tag that is no part of a text, or else the paragraph above it.
    /// None after a tick box, whose text that is.
    PageSpan question;
    /// Of a field announcing a question: the first text after it (a check
    /// box's is its own).
    PageSpan following;
    bool inLabel = false; // stands in a label of the page's
    bool conditional = false; // in a block asked only under a condition (data-ask-if)
    int firstOption = 0; // a menu's options in FormPage::options()
    int optionCount = 0;

    bool takesText() const { return kind == Kind::TextBox || kind == Kind::TextArea || kind == Kind::Menu; }
};

/// An option of a menu.
struct PageOption {
    PageTag tag;
    PageSpan text; // up to the next tag
};

/// A reference to an earlier answer in the text of the page: "{QUESTION}".
struct PageReference {
    PageSpan whole; // the braces and what they hold
    PageSpan name; // what they hold
    int option = -1; // in FormPage::options() when it stands in a menu option's text
};

/// A question of the page: the hidden field announcing its kind
/// ("<name> Type") and the controls of its name.
struct PageQuestion {
    QString name;
    int kindField = -1; // in FormPage::controls(); -1 without one
    std::vector<int> controls; // in FormPage::controls(): those of its name but its kind field, in page order
    /// The text that asks it: the first text after its kind field (a check
    /// box's is its own); without a kind field, what labels its first control.
    PageSpan text;
};

/// A form's page as the designer wrote it, read once: its head, its form,
/// its controls and questions, each by its place in the bytes; and the edits
/// made to it, written out at once. Tags are read as browsers read them
/// (any case, quotes respected, comments skipped, the text of scripts,
/// styles, titles and text areas never read as tags); reading stops at a
/// tag or script that never ends.
class FormPage final
{
public:
    explicit FormPage(const QByteArray& bytes);

    const QByteArray& bytes() const { return m_bytes; }
    /// The page in ASCII lower case: positions in it are the page's.
    const QByteArray& lowerCase() const { return m_lc; }

    /// Where the page starts, after a byte-order mark.
    qsizetype start() const { return m_start; }
    /// Every doctype tag, whole.
    const std::vector<PageSpan>& doctypes() const { return m_doctypes; }
    /// The first html and head tags; `at` -1 when the page has none.
    const PageTag& html() const { return m_html; }
    const PageTag& head() const { return m_head; }
    const PageTag& body() const { return m_body; }
    /// Where the page's content ends: its first closing body or html tag; -1 without one.
    qsizetype contentEnd() const { return m_contentEnd; }
    /// The text of each title.
    const std::vector<PageSpan>& titles() const { return m_titles; }
    /// The first form that posts to the service; `at` -1 when none does.
    const PageTag& form() const { return m_form; }
    bool postsToService() const { return m_form.at >= 0; }
    /// Whether some question is asked only under a condition.
    bool hasConditions() const { return m_hasConditions; }
    /// Where the form of form() closes (its closing tag); -1 without one.
    qsizetype formEnd() const { return m_formEnd; }
    /// The page breaks inside that form (the tags marked as one), in page order.
    const std::vector<PageSpan>& pageBreaks() const { return m_pageBreaks; }
    /// Whether [from, to) holds something a person sees: text outside tags,
    /// or a control other than a hidden field.
    bool hasContent(qsizetype from, qsizetype to) const;

    const std::vector<PageControl>& controls() const { return m_controls; }
    const std::vector<PageOption>& options() const { return m_options; }
    /// The name of `control` as a browser posts it.
    QString name(const PageControl& control) const { return value(control.tag, "name"); }
    /// Every "{…}" in the page's text (never in a tag, script, style, title
    /// or text area), in page order: what may name an earlier answer.
    const std::vector<PageReference>& references() const { return m_references; }
    /// The questions, in the order the page first names them (found when first asked for).
    const std::vector<PageQuestion>& questions() const;
    /// The question of field `name`, or nullptr.
    const PageQuestion* question(const QString& name) const;

    std::span<const PageAttribute> attributes(const PageTag& tag) const
    {
        return std::span(m_attributes).subspan(tag.firstAttribute, tag.attributeCount);
    }
    /// The attribute `name` (lower case) of `tag`, or nullptr.
    template <std::size_t N> const PageAttribute* attribute(const PageTag& tag, const char (&name)[N]) const
    {
        // Sizes first: cheaper than comparing views, which measure a literal each time.
        for (const PageAttribute& a : attributes(tag)) {
            if (a.name.size() == qsizetype(N - 1) && std::memcmp(a.name.data(), name, N - 1) == 0)
                return &a;
        }
        return nullptr;
    }
    /// Its value as a browser reads it; `orElse` for a missing attribute.
    template <std::size_t N>
    QString value(const PageTag& tag, const char (&name)[N], const QString& orElse = {}) const
    {
        const PageAttribute* a = attribute(tag, name);
        return a ? text(a->value) : orElse;
    }
    /// The text of `span` as a browser posts it (character references read).
    QString text(PageSpan span) const;
    /// An option's value: its value attribute, or else its text with blanks collapsed.
    QString value(const PageOption& option) const;

    /// Where an insertion stands among others made at the same place of the
    /// page; a removal or replacement comes after every insertion there.
    enum class Layer : quint8 {
        Head, // what goes first: the doctype, and the head of ours
        Notice, // a notice at the top of the form
        AfterTag, // fields and choices of ours right after a tag
        TextEnd, // the end of a label around a text
        GroupEnd, // the end of a group of options, after their last label
        Page, // where a page of a form of several pages ends and the next starts
        TextStart, // its start
        Note, // a note above a question
        Answer, // in a tag: an answer put back
        Attribute, // in a tag: an attribute of ours
    };
    void insert(qsizetype at, const QByteArray& text, Layer layer);
    /// `span` replaced by `text` (removed when empty).
    void replace(PageSpan span, const QByteArray& text = {});
    /// Pieces of the page (in page order, none overlapping another) shown in
    /// another order: the place of piece i shows piece order[i], with the
    /// edits made in it. An insertion at a piece's start goes with it from
    /// the layer `firstWith` on, one at its end in the layer TextEnd.
    void reorder(const std::vector<PageSpan>& pieces, const std::vector<int>& order,
        Layer firstWith = Layer::TextStart);
    /// The page with every edit made: at one place, insertions by layer and
    /// then in the order made. An edit inside a stretch already replaced is
    /// dropped.
    QByteArray written() const;

private:
    void read();
    void findReferences(qsizetype from, qsizetype to, int option);
    void findQuestions() const;

    struct Edit {
        qsizetype at = 0;
        qsizetype remove = 0;
        quint8 order = 0;
        int made = 0; // in the order made
        QByteArray text;
    };

    QByteArray m_bytes;
    QByteArray m_lc;
    qsizetype m_start = 0;
    std::vector<PageSpan> m_doctypes;
    std::vector<PageSpan> m_titles;
    PageTag m_html { -1 };
    PageTag m_head { -1 };
    PageTag m_body { -1 };
    qsizetype m_contentEnd = -1;
    PageTag m_form { -1 };
    bool m_hasConditions = false;
    qsizetype m_formEnd = -1;
    std::vector<PageSpan> m_pageBreaks;
    std::vector<PageAttribute> m_attributes;
    std::vector<PageControl> m_controls;
    std::vector<PageOption> m_options;
    mutable std::vector<PageQuestion> m_questions;
    mutable QHash<QString, int> m_questionIndex; // one more than the index in m_questions
    mutable bool m_questionsFound = false;
    std::vector<Edit> m_edits;
    qsizetype m_added = 0;
    std::vector<PageReference> m_references;
    struct Moved {
        PageSpan place;
        qsizetype shows = 0; // where the piece whose bytes stand here starts
        quint8 firstWith = 0; // the first layer of insertions at its start that go with it
    };
    std::vector<Moved> m_moved; // in page order
};

} // namespace quenlow
