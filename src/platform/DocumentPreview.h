// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTextBrowser;
class QTextDocument;

namespace quenlow {

class WordDocument;
struct WordContent;

/// The program's window onto a report document, standing in for the word
/// processor made visible: the document read-only, with "Save" and "Close".
/// Opened by WordDocument::visible(); title = the document's file name.
///
/// Controls: "DocumentText" (the rendered document), "SaveDocument",
/// "CloseDocument", "DocumentStatus" (says when the document was saved).
class DocumentPreview final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DocumentPreview)

public:
    explicit DocumentPreview(WordDocument& document, QWidget* parent = nullptr);

    /// Renders `content` into `target` (replacing what it held): paragraphs
    /// with bold, italic, size and underline and their pictures, tables with their cells. Very
    /// long tables show their first `rowLimit` rows and say how many follow.
    static void render(const WordContent& content, QTextDocument* target, int rowLimit = 300);

private:
    void saveDocument();

    WordDocument& m_document;
    QTextBrowser* m_text = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace quenlow
