#include "app/HelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

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

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
    resize(640, 560);
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
    show();
    raise();
    activateWindow();
}

QString HelpWindow::CurrentPage() const {
    return m_browser->source().toString();
}
