// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HelpWindow.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWindow>

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(tr("Torvo Help"));
    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(false);

    auto* contents = new QPushButton(tr("&Contents"), this);
    auto* back = new QPushButton(tr("&Back"), this);
    connect(contents, &QPushButton::clicked, this, &HelpWindow::ShowContents);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    back->setEnabled(false);
    // The page is announced by its title.
    connect(m_browser, &QTextBrowser::sourceChanged, this,
            [this] { m_browser->setAccessibleName(m_browser->documentTitle()); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
    resize(640, 560);

    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

QString HelpWindow::TopicPage(int contextNumber) {
    const QString page = QString("%1.html").arg(contextNumber);
    return QFile::exists(":/help/" + page) ? page : QString("contents.html");
}

void HelpWindow::ShowContents() {
    ShowPage("contents.html");
}

void HelpWindow::ShowTopic(int contextNumber) {
    ShowPage(TopicPage(contextNumber));
}

void HelpWindow::ShowPage(const QString& pageName) {
    m_browser->setSource(QUrl("qrc:/help/" + pageName));
    FollowModalDialog();
    // F1 brings a minimised help window back as it was.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

QString HelpWindow::CurrentPage() const {
    return m_browser->source().toString();
}

void HelpWindow::FollowModalDialog() {
    QWidget* modal = QApplication::activeModalWidget();
    BelongTo(modal && !Owns(modal) ? modal : nullptr);
}

bool HelpWindow::Owns(const QWidget* window) const {
    // A window that help owns does not block it, and following it would make
    // each the other's parent.
    for (const QWidget* w = window; w; w = w->parentWidget()) {
        if (w == this) {
            return true;
        }
    }
    return false;
}

void HelpWindow::BelongTo(QWidget* dialog) {
    if (m_dialog) {
        m_dialog->removeEventFilter(this);
    }
    m_dialog = dialog;
    if (m_dialog) {
        m_dialog->installEventFilter(this);
    }
    // A window whose transient parent is the modal dialog is not blocked by it.
    QWidget* owner = m_dialog ? m_dialog.data() : parentWidget();
    if (!windowHandle()) {
        create();
    }
    windowHandle()->setTransientParent(owner ? owner->window()->windowHandle() : nullptr);
}

bool HelpWindow::event(QEvent* event) {
    // A dialog opened while help shows would block it.
    if (event->type() == QEvent::WindowBlocked && isVisible()) {
        FollowModalDialog();
    }
    return QWidget::event(event);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_dialog && event->type() == QEvent::Hide) {
        BelongTo(nullptr);
    }
    return QWidget::eventFilter(watched, event);
}
