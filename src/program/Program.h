// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

namespace quenlow {

class FormSession;

/// The whole desktop program: the session and every window, wired together.
/// `quenlow` and the scenario driver start it the same way.
class Program final : public QObject
{
    Q_OBJECT
public:
    explicit Program(const QString& appFolder, QObject* parent = nullptr);
    ~Program() override;

    FormSession& session();
    /// The main window (objectName "MainForm").
    QWidget* mainWindow() const;

    /// Where "Collect Answers" proposes to listen, instead of the choice
    /// remembered from the last time (127.0.0.1:8080 at first).
    void setCollectionListen(const QString& host, quint16 port);
    /// Where the answers are stored (empty: the program folder's database).
    void setAnswersStore(const QString& location);
    /// The answers database last chosen in the window, or empty.
    static QString rememberedAnswersStore();

    /// Start-up as the program does it: welcome page, answers database check
    /// (CreateNewDatabase when it fails), then the main window is shown.
    void start();
    /// Collects answers again when the last run ended while collecting and
    /// the person keeps that on (Form > Collect Again When Quenlow Starts);
    /// says so in the status bar. After start().
    void resumeCollecting();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

/// The program folder: `given` (from --app-folder), else the folder of the
/// executable, or a per-person folder when the program is installed (see
/// defaultProgramFolder). Whatever of the folder's layout is missing (the folders, the
/// help page, the backgrounds) is laid out. Returns an empty string, with `error`
/// set, when that is impossible.
QString programFolder(const QString& given, QString* error);

} // namespace quenlow
