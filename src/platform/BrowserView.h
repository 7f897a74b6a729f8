// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QWebEngineView;
class QLabel;

namespace quenlow {

/// The embedded browser view: Navigate to a local page (a "#fragment" may
/// follow the file name) and Refresh it from disk. Relative references such as
/// background images resolve in the page's folder. It remembers what it was
/// last asked to show.
///
/// In tests and the scenario driver a recorder replaces the web engine:
/// nothing is rendered, and every request is reported to the recorder.
class BrowserView final : public QWidget
{
    Q_OBJECT
public:
    explicit BrowserView(QWidget* parent = nullptr);
    ~BrowserView() override;

    void Navigate(const QString& path);
    void Refresh();
    /// The path (with fragment) last passed to Navigate.
    QString lastPath() const { return m_lastPath; }
    /// The name of the window holding this view (objectName of the top-level window).
    QString windowName() const;

    /// Replaces the web engine in every view created afterwards (and reports
    /// requests of existing ones) with `recorder`; an empty function restores it.
    using Recorder = std::function<void(const QString& window, const QString& kind, const QString& path)>;
    static void setRecorder(Recorder recorder);
    static bool isRecording();

    QWebEngineView* engineView() const { return m_view; }

private:
    QWebEngineView* m_view = nullptr;
    QLabel* m_placeholder = nullptr;
    QString m_lastPath;
};

} // namespace quenlow
