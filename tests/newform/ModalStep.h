// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace quenlow::test {

/// Acts inside the next modal window once it is up (polled from the event
/// loop, so it works for windows shown with exec()). Make the step before the
/// call that opens the window; afterwards check ran(). A window that never
/// comes, or one of another name, leaves ran() false instead of hanging.
class ModalStep
{
public:
    ModalStep(const QString& windowName, std::function<void(QWidget*)> act)
        : m_state(std::make_shared<State>())
    {
        m_state->name = windowName;
        m_state->act = std::move(act);
        m_state->clock.start();
        poll(m_state);
    }

    bool ran() const { return m_state->ran; }

private:
    struct State {
        QString name;
        std::function<void(QWidget*)> act;
        QElapsedTimer clock;
        bool ran = false;
    };

    static void poll(std::shared_ptr<State> state)
    {
        QTimer::singleShot(5, qApp, [state] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal->isVisible()) {
                if (modal->objectName() != state->name) {
                    modal->close();
                    return;
                }
                state->ran = true;
                QPointer<QWidget> window(modal);
                state->act(modal);
                // A failed check inside must not leave the window waiting for ever.
                if (QTest::currentTestFailed() && window && window->isVisible())
                    window->close();
                return;
            }
            if (state->clock.elapsed() < 5000)
                poll(state);
        });
    }

    std::shared_ptr<State> m_state;
};

/// The child of `window` named `name`, or a test failure.
template<typename T> T* child(QWidget* window, const char* name)
{
    T* widget = window->findChild<T*>(QLatin1StringView(name));
    if (!widget)
        QTest::qFail(qPrintable(QStringLiteral("no control ") + QLatin1StringView(name) + QStringLiteral(" in ")
                                + window->objectName()),
                     __FILE__, __LINE__);
    return widget;
}

/// Clicks the button `name` of `window`, failing when it is missing or disabled.
inline void click(QWidget* window, const char* name)
{
    auto* button = child<QAbstractButton>(window, name);
    if (!button)
        return;
    if (!button->isEnabled())
        QTest::qFail(qPrintable(QStringLiteral("control is disabled: ") + QLatin1StringView(name)), __FILE__, __LINE__);
    button->click();
}

} // namespace quenlow::test
