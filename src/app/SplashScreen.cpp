// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SplashScreen.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>

SplashScreen::SplashScreen(int durationMs)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(":/splash/splash.png") {
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(m_picture.isNull() ? QSize(480, 300) : m_picture.deviceIndependentSize().toSize());
    m_timer.setSingleShot(true);
    m_timer.setInterval(durationMs);
    connect(&m_timer, &QTimer::timeout, this, &SplashScreen::Finish);
}

SplashScreen::~SplashScreen() {
    qApp->removeEventFilter(this);
}

void SplashScreen::Start() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    qApp->installEventFilter(this);
    show();
    m_timer.start();
}

void SplashScreen::Finish() {
    if (m_finished) {
        return;
    }
    m_finished = true;
    m_timer.stop();
    qApp->removeEventFilter(this);
    hide();
    emit Closed();
}

bool SplashScreen::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
            Finish();
            return true;
        default:
            return QWidget::eventFilter(watched, event);
    }
}

void SplashScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_picture.isNull()) {
        painter.drawPixmap(rect(), m_picture);
    }
}
