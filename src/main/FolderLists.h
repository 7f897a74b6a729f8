// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QListWidget>
#include <QStringList>

namespace quenlow {

/// A directory list: the folders from the root down to the current one,
/// then the current folder's subfolders, indented by depth. Activating a row
/// (double click, Enter) makes it the current folder. Filled at once, so a
/// row is there to select as soon as the path is set.
class DirectoryList final : public QListWidget
{
    Q_OBJECT
public:
    explicit DirectoryList(QWidget* parent = nullptr);

    QString path() const { return m_path; }
    /// Makes `path` the current folder; emits pathChanged when it differs.
    void setPath(const QString& path);
    /// The folder a row stands for.
    QString pathAt(int row) const;

signals:
    void pathChanged(const QString& path);

private:
    void fill();

    QString m_path;
};

/// A file list: the files of one folder that match a pattern ("*.html"; several
/// patterns separated by ";"), sorted by name. Filled at once.
class FileList final : public QListWidget
{
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString& path);
    QString pattern() const { return m_pattern; }
    void setPattern(const QString& pattern);
    /// Reads the folder again.
    void refresh();

signals:
    /// The list was filled anew.
    void refreshed();

private:
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
};

} // namespace quenlow
