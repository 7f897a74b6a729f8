// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>

class QWebEngineView;
class QLabel;

namespace quenlow {

/// The embedded browser view: Navigate to a local page (a "#fragment" may
/// follow the file name) and Refresh it from disk. Relative references such as
/// background images resolve in the page's folder. It remembers what it was
/// last asked to show, and what it actually shows once the page has loaded.
///
/// In tests and the scenario driver a recorder hears every request. By default
/// it also replaces the web engine (nothing is rendered); with real pages on,
/// the engine renders as in the program and every finished load is reported.
class BrowserView final : public QWidget
{
    Q_OBJECT
public:
    explicit BrowserView(QWidget* parent = nullptr);
    ~BrowserView() override;

    void navigate(const QString& path);
    void refresh();
    /// The path (with fragment) last passed to Navigate.
    QString lastPath() const { return m_lastPath; }
    /// The name of the window holding this view (objectName of the top-level window).
    QString windowName() const;

    /// What the view shows once a load has finished: its address, title and text.
    QUrl loadedUrl() const { return m_loadedUrl; }
    QString loadedTitle() const { return m_loadedTitle; }
    QString loadedText() const { return m_loadedText; }
    /// A page was asked for and has not finished loading yet.
    bool isLoading() const { return m_loading; }

    /// Hears every request (kind "navigate" or "refresh") of every view, those
    /// created afterwards and those already there; an empty function stops it.
    using Recorder = std::function<void(const QString& window, const QString& kind, const QString& path)>;
    /// Hears every finished load of a rendering view (`ok` false when the page
    /// could not be shown).
    using LoadRecorder = std::function<void(const BrowserView& view, bool ok)>;
    /// Without `renderPages`, views created afterwards show a placeholder instead
    /// of the web engine.
    static void setRecorder(Recorder recorder, bool renderPages = false, LoadRecorder loads = {});
    static bool isRecording();
    /// How many views are loading a page right now.
    static int loadsInProgress();

    QWebEngineView* engineView() const { return m_view; }

signals:
    /// A load finished and its text has been read.
    void pageShown(bool ok);

private:
    void startLoad(const QUrl& url);
    void loadFinished(bool ok);
    void setLoading(bool loading);

    QWebEngineView* m_view = nullptr;
    QLabel* m_placeholder = nullptr;
    QString m_lastPath;
    QUrl m_requestedUrl;
    QUrl m_loadedUrl;
    QString m_loadedTitle;
    QString m_loadedText;
    bool m_loading = false;
    int m_loadSerial = 0;
};

} // namespace quenlow
