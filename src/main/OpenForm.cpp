// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#include "main/OpenForm.h"

#include "main/FolderLists.h"
#include "model/CollectionFile.h"
#include "model/FormSession.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quenlow {

OpenForm::OpenForm(FormSession& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("OpenForm"));
    setWindowTitle(QStringLiteral("Open"));
    setModal(true);

    m_fileNameToOpen = new QLineEdit(this);
    m_fileNameToOpen->setObjectName(QStringLiteral("FileNameToOpen"));
    m_dirList = new DirectoryList(this);
    m_dirList->setObjectName(QStringLiteral("dirList"));
    m_filList = new FileList(this);
    m_filList->setObjectName(QStringLiteral("filList"));
    m_openFile = new QPushButton(QStringLiteral("Open"), this);
    m_openFile->setObjectName(QStringLiteral("OpenFile"));
    m_openFile->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("Cancel"));

    auto* lists = new QHBoxLayout;
    lists->addWidget(m_filList, 1);
    lists->addWidget(m_dirList, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_openFile);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fileNameToOpen);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    setTabOrder(m_fileNameToOpen, m_filList);
    setTabOrder(m_filList, m_dirList);
    setTabOrder(m_dirList, m_openFile);
    setTabOrder(m_openFile, m_cancel);
    resize(520, 340);

    connect(m_dirList, &DirectoryList::pathChanged, m_filList, &FileList::setPath);
    // A click, or moving along the list with the keys, names the file to open.
    // (Selection, not the current row: the list gets a current row merely by
    // taking the focus, and that must not overwrite a typed name.)
    connect(m_filList, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = m_filList->selectedItems();
        if (!selected.isEmpty())
            m_fileNameToOpen->setText(selected.constFirst()->text());
    });
    connect(m_filList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { m_fileNameToOpen->setText(item->text()); });
    connect(m_filList, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        m_fileNameToOpen->setText(item->text());
        m_openFile->click();
    });
    connect(m_openFile, &QPushButton::clicked, this, &OpenForm::openFile);
    connect(m_cancel, &QPushButton::clicked, this, &OpenForm::reject);
}

void OpenForm::PatternChange(const QString& pattern)
{
    m_filList->setPattern(pattern);
}

void OpenForm::closeEvent(QCloseEvent* event)
{
    m_closed = true;
    QDialog::closeEvent(event);
}

void OpenForm::openFile()
{
    hide();
    // Only the name travels: the form comes from the program's folders.
    LoadForm(m_session, m_session.appFolder(), m_fileNameToOpen->text());
}

} // namespace quenlow
