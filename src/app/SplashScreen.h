// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start-up picture: closes after its time, or at once on the first key
// press or mouse press anywhere in the program, which it consumes.

#include <QTimer>
#include <QWidget>

class SplashScreen : public QWidget {
    Q_OBJECT

public:
    static constexpr int kDurationMs = 3000;

    explicit SplashScreen(int durationMs = kDurationMs);
    ~SplashScreen() override;

    // Shows the splash and starts its timer.
    void Start();
    void Finish();

signals:
    void Closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    QTimer m_timer;
    bool m_finished = false;
};
