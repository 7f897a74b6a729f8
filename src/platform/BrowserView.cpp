// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "platform/BrowserView.h"

#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace quenlow {

namespace {
BrowserView::Recorder g_recorder;
}

BrowserView::BrowserView(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (g_recorder) {
        m_placeholder = new QLabel(this);
        m_placeholder->setAlignment(Qt::AlignCenter);
        layout->addWidget(m_placeholder);
    } else {
        m_view = new QWebEngineView(this);
        // Forms are local files that post to the collection service over http.
        m_view->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
        m_view->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
        layout->addWidget(m_view);
    }
}

BrowserView::~BrowserView() = default;

QString BrowserView::windowName() const
{
    return window() ? window()->objectName() : QString();
}

void BrowserView::Navigate(const QString& path)
{
    m_lastPath = path;
    if (g_recorder) {
        g_recorder(windowName(), QStringLiteral("navigate"), path);
        if (m_placeholder)
            m_placeholder->setText(path);
        return;
    }
    if (!m_view)
        return;
    QString file = path;
    QString fragment;
    if (const qsizetype hash = path.indexOf(QLatin1Char('#')); hash >= 0) {
        file = path.left(hash);
        fragment = path.mid(hash + 1);
    }
    QUrl url = QUrl::fromLocalFile(file);
    if (!fragment.isEmpty())
        url.setFragment(fragment);
    m_view->setUrl(url);
}

void BrowserView::Refresh()
{
    if (g_recorder) {
        g_recorder(windowName(), QStringLiteral("refresh"), m_lastPath);
        return;
    }
    if (m_view)
        m_view->triggerPageAction(QWebEnginePage::ReloadAndBypassCache);
}

void BrowserView::setRecorder(Recorder recorder)
{
    g_recorder = std::move(recorder);
}

bool BrowserView::isRecording()
{
    return bool(g_recorder);
}

} // namespace quenlow
