// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "main/FolderLists.h"

#include <QDir>
#include <QFileInfo>
#include <QStyle>
#include <QStyledItemDelegate>

namespace quenlow {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kIndent = 14;

// Indents each row by its depth, so the list reads as the path's tree.
class DepthDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->rect.adjust(index.data(kDepthRole).toInt() * kIndent, 0, 0, 0);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += index.data(kDepthRole).toInt() * kIndent;
        return size;
    }
};

} // namespace

DirectoryList::DirectoryList(QWidget* parent)
    : QListWidget(parent)
{
    setItemDelegate(new DepthDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemActivated, this,
        [this](QListWidgetItem* item) { setPath(item->data(kPathRole).toString()); });
}

void DirectoryList::setPath(const QString& path)
{
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (clean == m_path)
        return;
    m_path = clean;
    fill();
    emit pathChanged(m_path);
}

QString DirectoryList::pathAt(int row) const
{
    const QListWidgetItem* it = item(row);
    return it ? it->data(kPathRole).toString() : QString();
}

void DirectoryList::fill()
{
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirIcon);

    // The chain from the root down to the current folder.
    QStringList chain;
    for (QDir dir(m_path);;) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    int depth = 0;
    for (const QString& folder : std::as_const(chain)) {
        const QString name = QDir(folder).isRoot() ? folder : QFileInfo(folder).fileName();
        auto* row = new QListWidgetItem(open, name, this);
        row->setData(kPathRole, folder);
        row->setData(kDepthRole, depth++);
    }
    const int current = count() - 1;

    const QDir here(m_path);
    const QStringList children
        = here.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : children) {
        auto* row = new QListWidgetItem(closed, name, this);
        row->setData(kPathRole, here.absoluteFilePath(name));
        row->setData(kDepthRole, depth);
    }
    setCurrentRow(current);
}

FileList::FileList(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void FileList::setPath(const QString& path)
{
    m_path = path;
    refresh();
}

void FileList::setPattern(const QString& pattern)
{
    m_pattern = pattern;
    refresh();
}

void FileList::refresh()
{
    clear();
    if (m_path.isEmpty())
        return;
    QStringList filters;
    for (const QString& part : m_pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        filters.append(part.trimmed());
    const QStringList files = QDir(m_path).entryList(filters, QDir::Files, QDir::Name | QDir::IgnoreCase);
    addItems(files);
    emit refreshed();
}

} // namespace quenlow
