// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "platform/BrowserView.h"

#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace quenlow {

namespace {
BrowserView::Recorder g_recorder;
BrowserView::LoadRecorder g_loadRecorder;
bool g_renderPages = true;
int g_loadsInProgress = 0;

QUrl urlOfPath(const QString& path)
{
    QString file = path;
    QString fragment;
    if (const qsizetype hash = path.indexOf(QLatin1Char('#')); hash >= 0) {
        file = path.left(hash);
        fragment = path.mid(hash + 1);
    }
    QUrl url = QUrl::fromLocalFile(file);
    if (!fragment.isEmpty())
        url.setFragment(fragment);
    return url;
}
} // namespace

BrowserView::BrowserView(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!g_renderPages) {
        m_placeholder = new QLabel(this);
        m_placeholder->setAlignment(Qt::AlignCenter);
        layout->addWidget(m_placeholder);
        return;
    }
    m_view = new QWebEngineView(this);
    // Forms are local files that post to the collection service over http.
    m_view->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    m_view->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    connect(m_view, &QWebEngineView::loadFinished, this, &BrowserView::loadFinished);
    layout->addWidget(m_view);
}

BrowserView::~BrowserView()
{
    setLoading(false);
}

QString BrowserView::windowName() const
{
    return window() ? window()->objectName() : QString();
}

void BrowserView::setLoading(bool loading)
{
    if (loading != m_loading)
        g_loadsInProgress += loading ? 1 : -1;
    m_loading = loading;
}

void BrowserView::startLoad(const QUrl& url)
{
    m_requestedUrl = url;
    ++m_loadSerial;
    setLoading(true);
    m_view->setUrl(url);
}

void BrowserView::navigate(const QString& path)
{
    m_lastPath = path;
    if (g_recorder)
        g_recorder(windowName(), QStringLiteral("navigate"), path);
    if (m_placeholder)
        m_placeholder->setText(path);
    if (m_view)
        startLoad(urlOfPath(path));
}

void BrowserView::refresh()
{
    if (g_recorder)
        g_recorder(windowName(), QStringLiteral("refresh"), m_lastPath);
    if (!m_view)
        return;
    // A reload applies to the page committed so far: while another is still
    // on its way it would cancel that one and bring the old page back. Ask
    // for the page on its way again instead; it is read from disk anew.
    if (m_loading || m_requestedUrl.isEmpty()) {
        if (!m_requestedUrl.isEmpty())
            startLoad(m_requestedUrl);
        return;
    }
    ++m_loadSerial;
    setLoading(true);
    m_view->triggerPageAction(QWebEnginePage::ReloadAndBypassCache);
}

void BrowserView::loadFinished(bool ok)
{
    // A load that another request replaced reports too; only the last counts.
    const int serial = m_loadSerial;
    m_loadedUrl = m_view->url();
    m_loadedTitle = m_view->title();
    m_view->page()->toPlainText([this, guard = QPointer<BrowserView>(this), serial, ok](const QString& text) {
        if (!guard || serial != m_loadSerial)
            return;
        m_loadedText = text;
        setLoading(false);
        if (g_loadRecorder)
            g_loadRecorder(*this, ok);
        emit pageShown(ok);
    });
}

void BrowserView::setRecorder(Recorder recorder, bool renderPages, LoadRecorder loads)
{
    g_recorder = std::move(recorder);
    g_loadRecorder = std::move(loads);
    g_renderPages = !g_recorder || renderPages;
}

bool BrowserView::isRecording()
{
    return bool(g_recorder);
}

int BrowserView::loadsInProgress()
{
    return g_loadsInProgress;
}

} // namespace quenlow
