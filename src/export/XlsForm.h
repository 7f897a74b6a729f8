// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include "core/Result.h"
#include "export/XlsxWorkbook.h"
#include "model/FormMethod.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quenlow {

// Forms in and out as XLSForm workbooks, the form format field teams write
// and share: a `survey` sheet of questions, a `choices` sheet of option lists
// and a `settings` sheet. Only what this program's elements can say is
// taken; everything else is refused before anything is made.

/// A row of a survey sheet, as a refusal names it.
struct XlsFormRow {
    int number = 0; // in the sheet
    QString type;
    QString name;

    bool operator==(const XlsFormRow&) const = default;
};

/// Why an XLSForm cannot become a form.
struct XlsFormProblem {
    enum Kind {
        Unreadable, // the file cannot be read (detail: the system's reason)
        NotWorkbook, // not an .xlsx workbook
        Damaged, // a workbook whose parts cannot be read (detail: which and why)
        NoSurveySheet,
        MissingChoiceList, // detail: the list's name; rows: the rows that use it
        DuplicateName, // detail: the name (or question text) given twice; rows: where
        Unsupported, // rows: every row the program cannot take
        NoQuestions, // nothing in the survey sheet becomes an element
    };
    Kind kind;
    QString detail;
    QList<XlsFormRow> rows;
};

/// A form read from an XLSForm: what a new form is made of.
struct XlsFormContents {
    QString formId; // the settings' form_id, when it has one
    QString title; // the settings' form_title, when it has one
    /// The elements after the header, in order, a submit button last.
    QList<FormMethod> elements;
};

/// Reads the XLSForm at `path`.
Result<XlsFormContents, XlsFormProblem> readXlsForm(const QString& path);
/// The form the sheets of a workbook describe.
Result<XlsFormContents, XlsFormProblem> xlsFormFromSheets(const QList<WorkbookSheet>& sheets);

/// Why a form cannot be written as an XLSForm.
struct XlsFormExportProblem {
    enum Kind {
        Unsayable, // elements: each element the format cannot say, as its row text
        Failed, // detail: why, in a whole sentence (the form unknown, the file not written)
    };
    Kind kind;
    QString detail;
    QStringList elements;
};

/// The `survey`, `choices` and `settings` sheets of a form's elements (the
/// header first); reading them back gives the same elements.
Result<QList<WorkbookSheet>, XlsFormExportProblem> xlsFormSheetsOf(
    const QList<FormMethod>& elements, const QString& formName);

/// Writes the form `elements` of `formName` as an XLSForm workbook at
/// `outputPath`, whole or not at all, with the refusals of the answers'
/// exports: never over the answers database of `appFolder` or among its forms.
Result<void, XlsFormExportProblem> writeXlsForm(const QList<FormMethod>& elements, const QString& formName,
    const QString& appFolder, const QString& outputPath, const QString& answersStore = {});
/// The same for the form of page `pageFile` ("NAME.html"), read from its element list.
Result<void, XlsFormExportProblem> exportXlsForm(const QString& appFolder, const QString& pageFile,
    const QString& outputPath, const QString& answersStore = {});

} // namespace quenlow
