// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QAbstractButton>
#include <QAnyStringView>
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace quenlow::test {

/// Acts inside the next modal window of its name once it is up (polled from
/// the event loop, so it works for windows shown with exec()). Make the step
/// before the call that opens the window, and keep it until that call
/// returns. The window still open after `act` is closed (leftOpen() says so);
/// after 5 s without it, whatever modal window is up is closed, so nothing
/// hangs. A window that never came fails the test when the step goes.
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
    ~ModalStep()
    {
        m_state->done = true;
        if (!m_state->ran && !QTest::currentTestFailed())
            QTest::qFail(
                qPrintable(QStringLiteral("the window ") + m_state->name + QStringLiteral(" never showed")),
                __FILE__, __LINE__);
    }
    ModalStep(const ModalStep&) = delete;
    ModalStep& operator=(const ModalStep&) = delete;

    bool ran() const { return m_state->ran; }
    bool leftOpen() const { return m_state->leftOpen; }

private:
    struct State {
        QString name;
        std::function<void(QWidget*)> act;
        QElapsedTimer clock;
        bool ran = false;
        bool leftOpen = false;
        bool done = false;
    };

    static void poll(std::shared_ptr<State> state)
    {
        QTimer::singleShot(5, qApp, [state] {
            if (state->done)
                return;
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal->isVisible() && modal->objectName() == state->name) {
                state->ran = true;
                QPointer<QWidget> window(modal);
                state->act(modal);
                if (window && window->isVisible()) {
                    state->leftOpen = true;
                    window->close();
                }
                return;
            }
            if (state->clock.elapsed() < 5000)
                poll(state);
            else if (modal)
                modal->close(); // another window, or ours never came: nothing may wait for ever
        });
    }

    std::shared_ptr<State> m_state;
};

/// The child of `window` named `name`, or a test failure.
template <typename T> T* child(QObject* window, QAnyStringView name)
{
    T* widget = window ? window->findChild<T*>(name.toString()) : nullptr;
    if (!widget)
        QTest::qFail(qPrintable(QStringLiteral("no control ") + name.toString()), __FILE__, __LINE__);
    return widget;
}

/// Clicks the button `name` of `window`, failing when it is missing, hidden or disabled.
inline void click(QObject* window, QAnyStringView name)
{
    auto* button = child<QAbstractButton>(window, name);
    if (button && (!button->isEnabled() || button->isHidden()))
        QTest::qFail(qPrintable(name.toString() + QStringLiteral(" cannot be clicked")), __FILE__, __LINE__);
    else if (button)
        button->click();
}

} // namespace quenlow::test
