// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "model/FormSession.h"

#include "database/AnswersStore.h"
#include "model/Backgrounds.h"

namespace quenlow {

FormSession::FormSession(const QString& appFolder, QObject* parent)
    : QObject(parent)
    , m_appFolder(appFolder)
{
    // Rows removed or inserted shift the selection the way a list box does.
    connect(&m_rows, &QAbstractItemModel::modelReset, this, [this] { setSelectedRow(-1); });
    connect(&m_rows, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex&, int first, int last) {
        if (m_selectedRow >= first && m_selectedRow <= last)
            setSelectedRow(-1);
        else if (m_selectedRow > last)
            setSelectedRow(m_selectedRow - (last - first + 1));
    });
    connect(
        &m_rows, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
            if (m_selectedRow >= first)
                setSelectedRow(m_selectedRow + (last - first + 1));
        });
    // A moved row keeps its selection.
    connect(&m_rows, &QAbstractItemModel::rowsMoved, this,
        [this](const QModelIndex&, int first, int last, const QModelIndex&, int to) {
            const int n = last - first + 1;
            if (m_selectedRow >= first && m_selectedRow <= last)
                setSelectedRow(m_selectedRow - first + (to > last ? to - n : to));
            else if (m_selectedRow > last && m_selectedRow < to)
                setSelectedRow(m_selectedRow - n);
            else if (m_selectedRow >= to && m_selectedRow < first)
                setSelectedRow(m_selectedRow + n);
        });
}

QString FormSession::databasePath() const
{
    return m_answersStore.isEmpty() ? answersStoreIn(m_appFolder) : m_answersStore;
}

AnswerTable FormSession::answerTable() const
{
    return AnswerTable::forForm(databasePath(), m_openFormName, m_openPageFile);
}

void FormSession::resetOpenForm()
{
    m_collection.removeAll();
}

void FormSession::setSelectedRow(int row)
{
    if (row < -1 || row >= m_rows.count())
        row = -1;
    if (row == m_selectedRow)
        return;
    m_selectedRow = row;
    emit selectedRowChanged(row);
}

void FormSession::setHtmlName(const QString& caption)
{
    if (caption == m_htmlName)
        return;
    m_htmlName = caption;
    emit htmlNameChanged(caption);
}

void FormSession::setHtmlFrameCaption(const QString& caption)
{
    if (caption == m_htmlFrameCaption)
        return;
    m_htmlFrameCaption = caption;
    emit htmlFrameCaptionChanged(caption);
}

void FormSession::setEditingVisible(bool visible)
{
    if (visible == m_editingVisible)
        return;
    m_editingVisible = visible;
    emit editingVisibleChanged(visible);
}

void FormSession::setReporterVisible(bool visible)
{
    if (visible == m_reporterVisible)
        return;
    m_reporterVisible = visible;
    emit reporterVisibleChanged(visible);
}

void FormSession::showInBrowser(const QString& page)
{
    m_browserPage = htmlFolder() + page;
    emit navigateRequested(m_browserPage);
}

void FormSession::refreshBrowser()
{
    emit refreshRequested();
}

void FormSession::setBackground(const QString& choice)
{
    const QString image = backgroundImageFor(choice);
    if (!image.isEmpty())
        m_backgroundFileName = image;
}

void FormSession::forgetNewFormWindow()
{
    m_backgroundChoice = -1;
    m_backgroundFileName.clear();
}

} // namespace quenlow
