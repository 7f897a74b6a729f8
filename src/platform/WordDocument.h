// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/TextFile.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace quenlow {

/// Underline values as the reporter passes them (the old automation values).
enum class WordUnderline { None = 0, Single = 1 };

/// Character formatting of a run. Read back from a document, `size` is 0 when
/// the run does not set a size of its own (it then follows the styles).
struct WordFont {
    bool bold = false;
    bool italic = false;
    double size = 12; // points
    WordUnderline underline = WordUnderline::None;

    friend bool operator==(const WordFont&, const WordFont&) = default;
};

struct WordRun {
    QString text; // tabs as '\t', line breaks as '\n', page breaks as '\f'
    WordFont font;
};

struct WordParagraph {
    QList<WordRun> runs;
    /// Kept on the page of what follows it (a table's heading); written only.
    bool keepWithNext = false;
    /// The pictures it shows, by their relationship ids (see WordContent::pictures).
    QStringList pictures;
    QString text() const;
    bool isEmpty() const;
};

struct WordCell {
    QList<WordParagraph> paragraphs;
    /// The cell's paragraphs joined by '\n'.
    QString text() const;
};

struct WordTable {
    QList<QList<WordCell>> rows;
    int rowCount() const { return int(rows.size()); }
    /// Cells of the widest row.
    int columnCount() const;
    QString cellText(int row, int column) const;
    QStringList rowTexts(int row) const;
};

/// A paragraph or a table of the document body, in document order.
struct WordBlock {
    enum class Kind { Paragraph, Table };
    Kind kind = Kind::Paragraph;
    WordParagraph paragraph;
    WordTable table;
};

/// What a document holds, as far as reports are concerned.
struct WordContent {
    QList<WordBlock> blocks;
    /// The bytes of the pictures the body's paragraphs show, by relationship id.
    QHash<QString, QByteArray> pictures;

    QList<WordParagraph> paragraphs() const; // body paragraphs only, not those in tables
    QList<WordTable> tables() const;
    /// Body paragraphs' text, one per line; tables as one line per row, cells
    /// separated by '\t'.
    QString text() const;
};

/// Why a document could not be opened or saved. The windows choose the words
/// (platform/OutcomeMessages); `detail` is the system's or the package's own
/// reason where there is one.
struct DocumentProblem {
    enum Kind {
        // Opening `path`.
        NotFound,
        IsFolder,
        TooBig, // size and limit in MB
        Unreadable, // detail: the system's reason
        Empty,
        NotAPackage, // detail: the zip reader's reason
        NoMainPart, // part: the one the package names
        PartTooBig, // limit in MB
        PartTooPacked, // limit: the ratio
        PartDamaged,
        NestedTooDeep, // limit: the depth
        TooManyAttributes, // limit: per element
        TooManyNamespaces, // limit: in force at once
        DocumentType,
        NotText,
        NotReadable, // detail: what the reader found
        // Saving as `path`.
        NothingOpen,
        NeverSaved,
        NoFileName,
        NoFolder, // part: the folder
        SaveIsFolder,
        NotSaved, // detail: the package's or the system's reason
    };
    Kind kind;
    QString path = {};
    QString part = {};
    QString detail = {};
    qint64 size = 0;
    qint64 limit = 0;
};
using DocumentResult = Result<void, DocumentProblem>;

/// A word-processor document in the Office Open XML format (.docx), written by
/// the program itself whatever the file's extension. Its calls follow those the
/// reporter used to make on the word processor's automation objects: new or
/// open, font of the text typed next, type text, end paragraph, add a table and
/// move from cell to cell, save, show ("Visible") and quit.
///
/// Everything typed is appended at the end of the body, after whatever the
/// document already held. An opened document keeps every part and every piece
/// of XML it does not understand: the additions are spliced into the text of its
/// main part, which is otherwise written back unchanged.
class WordDocument final
{
public:
    WordDocument();
    ~WordDocument();
    WordDocument(const WordDocument&) = delete;
    WordDocument& operator=(const WordDocument&) = delete;

    /// A new, empty document with no file name (Documents.Add).
    void newDocument();
    // Failures are values that say what went wrong; the windows say it.
    // Nothing in this layer throws, asks or shows a message.

    /// Opens the document at `path` (Documents.Open). On failure the document
    /// is left as it was and the problem says why (missing file, not a zip
    /// package such as the old binary format, no word-processing part, broken XML).
    DocumentResult open(const QString& path);
    /// True after newDocument() or a successful open(), until quit().
    bool isOpen() const { return m_open; }

    // Font of the text typed next (Selection.Font).
    WordFont font() const { return m_font; }
    void setFont(const WordFont& font);
    void setBold(bool on) { m_font.bold = on; }
    void setItalic(bool on) { m_font.italic = on; }
    /// Points; stored in half-points, so 10.25 becomes 10.5 (clamped to 0.5–1638).
    void setSize(double points);
    void setUnderline(WordUnderline underline) { m_font.underline = underline; }
    void setUnderline(int underline)
    {
        setUnderline(underline ? WordUnderline::Single : WordUnderline::None);
    }

    /// Types `text` at the selection, which moves behind it. '\t' becomes a
    /// tab, '\n' (or "\r\n", '\r', '\v') a line break, '\f' a page break;
    /// other characters XML cannot hold are dropped.
    void typeText(const QString& text);
    /// Ends the paragraph (in a table cell: starts a new paragraph in the cell).
    void typeParagraph();
    /// Adds an empty table of `rows` × `columns` at the selection; the selection
    /// goes into its first cell. Text typed before it on the same paragraph stays
    /// in a paragraph above the table, its heading, which a page break never
    /// parts from it.
    void addTable(int rows, int columns);
    /// Moves to the next cell; from the last cell it appends a row and moves
    /// into the row's first cell. Returns false (and does nothing) outside a table.
    bool moveRight();
    bool isInTable() const { return m_inTable; }
    /// Moves the selection out of the table being filled, into the paragraph below it.
    void endTable() { m_inTable = false; }

    /// Adds `picture` (stored as PNG) in a paragraph of its own at the end,
    /// after any table being filled; text typed next goes below it. It shows
    /// at 96 pixels an inch, narrowed to the text width. `description` is its
    /// alternative text. Returns false (nothing added) for an empty picture.
    bool addPicture(const QImage& picture, const QString& description = {});
    /// Pictures added since the document was created or opened.
    int addedPictureCount() const { return int(m_pictures.size()); }

    /// Saves under `path` (Document.SaveAs), atomically: a temporary file beside
    /// it, then a rename. The document then carries that name.
    DocumentResult saveAs(const QString& path);
    /// Saves under the document's own name; fails for a document never saved.
    DocumentResult save();
    /// Changed since it was created, opened or last saved.
    bool isModified() const { return m_modified; }

    /// Full path; empty for a new document never saved.
    QString filePath() const { return m_path; }
    /// The file name, or "Document1" for a new document never saved.
    QString displayName() const;

    /// The whole document as it would be saved now: what it held when opened and
    /// everything added since.
    WordContent content() const;
    /// The text of the main part as it would be saved now (for tests).
    QString documentXml() const;

    /// Shows the document modally in the program's preview window (Visible =
    /// true), where the user can save it; returns when the user closes it.
    void visible(QWidget* parent = nullptr);

    enum class Changes { Save, Discard };
    /// Ends work on the document: a changed one is saved first when `changes`
    /// says so (the caller asks; see isModified()), or its changes are
    /// discarded. The document is closed afterwards in every case; a save
    /// that failed is the error.
    DocumentResult quit(Changes changes);

private:
    WordParagraph& currentParagraph();
    void startBodyParagraph();
    QString composeXml() const;
    void appendAdditionsXml(QString& out) const;

    struct AddedPicture {
        QByteArray png;
        QSize pixels;
        QString description;
        QString relationshipId;
        QString mediaName; // relative to the main part's folder
        int drawingId = 0;
        qsizetype block = 0; // the paragraph of m_added it fills
    };
    void appendPictureXml(QString& out, const AddedPicture& picture) const;
    /// The bytes of the picture with relationship `id`: one added, or a part of the package.
    QByteArray pictureBytes(const QString& id) const;
    /// The parts to add or replace for the added pictures: the images, the
    /// main part's relationships and the content types.
    Result<void> pictureParts(QList<std::pair<QString, QByteArray>>& parts) const;

    bool m_open = false;
    bool m_modified = false;
    QString m_path;
    WordFont m_font;

    // The package and main part the additions are spliced into.
    QByteArray m_package; // zip bytes; empty for a new document (built when saved)
    QString m_partName; // e.g. "word/document.xml"
    QString m_baseXml;
    qsizetype m_splice = 0; // where additions go: before the body's final sectPr
    bool m_declareW = false; // the "w" prefix is not bound to the body's namespace there
    QString m_namespace; // namespace of the body element
    bool m_baseEndsWithTable = false;
    bool m_baseHasBlocks = false;
    int m_encoding = 0; // 0 UTF-8, 1 UTF-8 with BOM, 2 UTF-16LE, 3 UTF-16BE

    // Additions, in order; while not in a table the last block is the paragraph
    // holding the selection.
    QList<WordBlock> m_added;
    QList<AddedPicture> m_pictures;
    bool m_inTable = false;
    int m_row = 0;
    int m_column = 0;
};

} // namespace quenlow
