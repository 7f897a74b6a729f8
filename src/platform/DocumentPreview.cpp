// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "platform/DocumentPreview.h"

#include "core/Messages.h"
#include "platform/OutcomeMessages.h"
#include "platform/WordDocument.h"

#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace quenlow {

namespace {

// Runs that set no size of their own follow the program's 12 pt default.
constexpr double kDefaultPointSize = 12;

QTextCharFormat charFormat(const WordFont& font)
{
    QTextCharFormat format;
    format.setFontWeight(font.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(font.italic);
    format.setFontUnderline(font.underline == WordUnderline::Single);
    format.setFontPointSize(font.size > 0 ? font.size : kDefaultPointSize);
    return format;
}

void insertRuns(QTextCursor& cursor, const WordParagraph& paragraph)
{
    for (const WordRun& run : paragraph.runs) {
        QString text = run.text;
        // Line and page breaks stay inside the paragraph, as in the document.
        text.replace(u'\n', QChar::LineSeparator);
        text.replace(u'\f', QChar::LineSeparator);
        cursor.insertText(text, charFormat(run.font));
    }
}

// The paragraph's pictures as the document holds them, narrowed to the page's width.
void insertPictures(QTextCursor& cursor, const WordParagraph& paragraph, const WordContent& content)
{
    constexpr double kWidestPicture = 640;
    for (const QString& id : paragraph.pictures) {
        const QImage picture = QImage::fromData(content.pictures.value(id));
        if (picture.isNull())
            continue;
        const QUrl name(u"report-picture:"_s + id);
        cursor.document()->addResource(QTextDocument::ImageResource, name, picture);
        const double scale = std::min(1.0, kWidestPicture / std::max(1, picture.width()));
        QTextImageFormat format;
        format.setName(name.toString());
        format.setWidth(picture.width() * scale);
        format.setHeight(picture.height() * scale);
        cursor.insertImage(format);
    }
}

} // namespace

DocumentPreview::DocumentPreview(WordDocument& document, QWidget* parent)
    : QDialog(parent)
    , m_document(document)
{
    setObjectName(u"DocumentPreview"_s);
    setWindowTitle(document.displayName());
    setModal(true);
    resize(760, 820);

    m_text = new QTextBrowser(this);
    m_text->setObjectName(u"DocumentText"_s);
    m_text->setReadOnly(true);
    m_text->setOpenLinks(false);
    render(document.content(), m_text->document());

    m_status = new QLabel(this);
    m_status->setObjectName(u"DocumentStatus"_s);
    m_save = new QPushButton(tr("Save"), this);
    m_save->setObjectName(u"SaveDocument"_s);
    m_close = new QPushButton(tr("Close"), this);
    m_close->setObjectName(u"CloseDocument"_s);
    m_close->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);

    connect(m_save, &QPushButton::clicked, this, &DocumentPreview::saveDocument);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
}

void DocumentPreview::saveDocument()
{
    const DocumentResult saved = m_document.save();
    if (!saved) {
        m_status->clear();
        showExclamation(documentProblemText(saved.error()));
        return;
    }
    m_status->setText(tr("Saved to %1").arg(m_document.filePath()));
}

void DocumentPreview::render(const WordContent& content, QTextDocument* target, int rowLimit)
{
    target->clear();
    QFont base(u"Times New Roman"_s);
    base.setStyleHint(QFont::Serif);
    base.setPointSizeF(kDefaultPointSize);
    target->setDefaultFont(base);

    QTextCursor cursor(target);
    cursor.beginEditBlock();
    bool first = true;
    for (const WordBlock& block : content.blocks) {
        if (block.kind == WordBlock::Kind::Paragraph) {
            if (!first)
                cursor.insertBlock();
            insertRuns(cursor, block.paragraph);
            insertPictures(cursor, block.paragraph, content);
            first = false;
            continue;
        }
        const WordTable& table = block.table;
        const int columns = table.columnCount();
        const int shownRows = std::min(table.rowCount(), std::max(rowLimit, 1));
        if (shownRows == 0 || columns == 0)
            continue;
        QTextTableFormat format;
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setCellPadding(3);
        format.setCellSpacing(0);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        QTextTable* textTable = cursor.insertTable(shownRows, columns, format);
        for (int row = 0; row < shownRows; ++row) {
            for (int column = 0; column < table.rows[row].size(); ++column) {
                QTextCursor cellCursor = textTable->cellAt(row, column).firstCursorPosition();
                const WordCell& cell = table.rows[row][column];
                for (qsizetype i = 0; i < cell.paragraphs.size(); ++i) {
                    if (i > 0)
                        cellCursor.insertBlock();
                    insertRuns(cellCursor, cell.paragraphs[i]);
                }
            }
        }
        cursor = textTable->lastCursorPosition();
        cursor.movePosition(QTextCursor::NextBlock);
        if (shownRows < table.rowCount()) {
            QTextCharFormat note;
            note.setFontItalic(true);
            cursor.insertText(
                tr("(%1 more rows of this table are not shown here.)").arg(table.rowCount() - shownRows),
                note);
            cursor.insertBlock();
        }
        first = true; // the block after a table is already there
    }
    cursor.endEditBlock();
}

} // namespace quenlow
