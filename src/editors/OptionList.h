// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quenlow {

/// The option list of the radio button and pull-down menu editors: an input
/// box, the list of options, the default-option tick and the add and remove
/// buttons, with the default option they share ("none" when no option is
/// preselected). The tick follows the selected option; while text is typed
/// it stands for the option being typed.
class OptionList final : public QObject
{
    Q_OBJECT
public:
    struct Controls {
        QLineEdit* input;
        QListWidget* list;
        QCheckBox* tick;
        QPushButton* add;
        QPushButton* remove;
    };
    /// `emptyInputMessage` and `noSelectionMessage` are the refusals of the
    /// add and remove buttons.
    OptionList(const Controls& controls, const QString& emptyInputMessage, const QString& noSelectionMessage,
        QObject* parent);

    QString defaultOption() const { return m_defaultOption; }
    void setDefaultOption(const QString& OptionName) { m_defaultOption = OptionName; }

    bool isEmpty() const;
    /// Empties the list, then adds `options` in order.
    void setOptions(const QStringList& options);
    /// The options first to last, selecting each in turn as the window does
    /// when it builds the element.
    QStringList walkOptions();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addOption();
    void removeOption();
    void tickClicked(bool ticked);
    void selectionChanged();
    int selectedRow() const;
    QString optionAt(int row) const;

    Controls m_c;
    QString m_emptyInputMessage;
    QString m_noSelectionMessage;
    QString m_defaultOption;
};

} // namespace quenlow
